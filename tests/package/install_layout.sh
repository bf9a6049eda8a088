#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# An installation into a fresh prefix holds both programs, the guide and a sample collection
# that opens from there, and a menu entry, file types, description, icons and manual pages
# that the desktop's own tools accept and that agree with each other and with the programs.
# usage: install_layout.sh BUILD_DIR SOURCE_DIR VERSION
set -eu
build=$(cd "$1" && pwd)
source=$2
version=$3
. "$source/tests/package/checks.sh"

need desktop-file-validate xmllint update-mime-database
work=$(temporary_folder "$build")
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log"
    fail "cmake --install failed"
    finish
}
bin=$prefix/bin
share=$prefix/share

for file in bin/tamblor bin/tamblor-cli; do
    [ -x "$prefix/$file" ] || fail "$file is not installed as a program"
done
for file in tamblor/Tamblor.html tamblor/examples/Sample.col applications/tamblor.desktop \
    mime/packages/tamblor.xml metainfo/tamblor.metainfo.xml man/man1/tamblor.1.gz \
    man/man1/tamblor-cli.1.gz doc/tamblor/copyright doc/tamblor/changelog.gz; do
    [ -f "$share/$file" ] || fail "share/$file is not installed"
done
for picture in "$source"/resources/guide/*; do
    [ -e "$picture" ] || continue
    [ -f "$share/tamblor/guide/${picture##*/}" ] || fail "guide picture ${picture##*/} missing"
done

# The sample's lines name its disks relative to it: listing it reads every disk's header.
disks=$(ls "$source"/examples/disks/*.cdi | wc -l)
if listed=$(cd / && "$bin/tamblor-cli" collection "$share/tamblor/examples/Sample.col" list); then
    [ "$(printf '%s\n' "$listed" | wc -l)" -eq "$disks" ] ||
        fail "the installed sample lists $(printf '%s\n' "$listed" | wc -l) disks, not $disks"
else
    fail "the installed sample collection does not open"
fi
shown=$(QT_QPA_PLATFORM=offscreen "$bin/tamblor" --version) || fail "tamblor --version failed"
[ "$shown" = "Tamblor $version" ] || fail "tamblor --version says '$shown', not Tamblor $version"

# The menu entry: valid, starting an installed program, with an icon and file types that
# the installation provides.
desktop=$share/applications/tamblor.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects tamblor.desktop"
entry() { sed -n "s/^$1=//p" "$desktop"; }
exec_program=$(entry Exec | cut -d' ' -f1)
[ -x "$bin/$exec_program" ] || fail "the menu entry starts '$exec_program', which is not installed"
entry Exec | grep -q ' %[fFuU]$' || fail "the menu entry passes no file to the program"

mime=$share/mime/packages/tamblor.xml
xmllint --noout "$mime" || fail "tamblor.xml is not well-formed"
for type in $(entry MimeType | tr ';' ' '); do
    grep -q "<mime-type type=\"$type\">" "$mime" || fail "menu entry type $type is not declared"
done
# The shared MIME database built from the installed file alone: globs, text parent, icons.
update-mime-database "$share/mime" 2>"$work/mime.log" || fail "update-mime-database failed"
grep -qx '50:application/x-tamblor-collection:\*\.col' "$share/mime/globs2" ||
    fail "*.col is not a Tamblor collection"
grep -qx '60:application/x-tamblor-disk-index:\*\.cdi' "$share/mime/globs2" ||
    fail "*.cdi is not a Tamblor disk index"
grep -qx 'application/x-tamblor-collection text/plain' "$share/mime/subclasses" ||
    fail "a collection is not text"
grep -q '^application/x-tamblor-disk-index ' "$share/mime/subclasses" &&
    fail "a disk index is declared a kind of another type"
for type in application/x-tamblor-collection application/x-tamblor-disk-index; do
    grep -qx "$type:$(echo "$type" | tr / -)" "$share/mime/icons" || fail "$type has no icon"
done

metainfo=$share/metainfo/tamblor.metainfo.xml
xmllint --noout "$metainfo" || fail "tamblor.metainfo.xml is not well-formed"
if command -v appstreamcli >/dev/null; then
    # The id is the desktop file's name, which stays "tamblor" rather than a reverse domain.
    appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info "$metainfo" \
        >"$work/appstream.log" 2>&1 || {
        cat "$work/appstream.log"
        fail "appstreamcli rejects the metainfo"
    }
fi
grep -q '<launchable type="desktop-id">tamblor.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch tamblor.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"

# Every icon the menu entry and the file types name, in each size drawn and scalable.
if [ -d "$source/resources/icons/hicolor" ]; then
    icons=$share/icons/hicolor
    for name in "apps/$(entry Icon)" mimetypes/application-x-tamblor-collection \
        mimetypes/application-x-tamblor-disk-index; do
        for size in 16 24 32 48 64 128 256; do
            [ -f "$icons/${size}x$size/$name.png" ] || fail "icon ${size}x$size/$name.png missing"
        done
        [ -f "$icons/scalable/$name.svg" ] || fail "icon scalable/$name.svg missing"
    done
fi

# The manual pages: readable by man without complaint, and naming every command and option
# the programs' own usage names.
for page in tamblor tamblor-cli; do
    file=$share/man/man1/$page.1.gz
    gzip -t "$file" || fail "$page.1.gz is not gzip"
    if command -v man >/dev/null; then
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$file" 2>&1 \
            >/dev/null) || fail "man cannot format $page.1"
        [ -z "$warnings" ] || fail "man warns on $page.1: $warnings"
    fi
done
cli_page=$(gzip -dc "$share/man/man1/tamblor-cli.1.gz")
for command in $("$bin/tamblor-cli" --help | sed -n 's/^  \([a-z][a-z]*\) .*/\1/p' | sort -u); do
    printf '%s\n' "$cli_page" | grep -qx ".B tamblor\\\\-cli $command" ||
        fail "tamblor-cli.1 does not show the $command command"
done
gui_page=$(gzip -dc "$share/man/man1/tamblor.1.gz")
for pair in "tamblor-cli:$cli_page" "tamblor:$gui_page"; do
    program=${pair%%:*}
    page=${pair#*:}
    usage=$(QT_QPA_PLATFORM=offscreen "$bin/$program" --help)
    for option in $(printf '%s\n' "$usage" | grep -o -- '--[a-z][a-z-]*' | sort -u); do
        printf '%s\n' "$page" | grep -qF -- "$(printf '%s' "$option" | sed 's/-/\\-/g')" ||
            fail "$program.1 does not name $option"
    done
done
finish
