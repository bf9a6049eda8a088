#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package made from this build tree: its name, its control fields with the
# libraries dpkg-shlibdeps found, and files under /usr owned by root, readable by all,
# with stripped programs. lintian, when installed, finds no error or warning.
# usage: deb_package.sh BUILD_DIR SOURCE_DIR VERSION CPACK
set -eu
build=$(cd "$1" && pwd)
source=$2
version=$3
cpack=$4
. "$source/tests/package/checks.sh"

need dpkg dpkg-deb dpkg-shlibdeps file
work=$(temporary_folder "$build")
(cd "$build" && "$cpack" -G DEB -B "$work") >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    fail "cpack failed"
    finish
}
deb=$work/tamblor_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || {
    ls "$work"
    fail "no ${deb##*/}"
    finish
}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tamblor ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version)"
[ "$(field Section)" = utils ] || fail "section $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
[ -n "$(field Recommends)" ] || fail "no recommends"
for library in libc6 libstdc++6 libqt6core6 libqt6widgets6 libqt6dbus6 libblkid1 libmount1; do
    field Depends | tr ',' '\n' | grep -q "^ *$library\( \|$\)" ||
        fail "Depends does not name $library: $(field Depends)"
done

contents=$(dpkg-deb -c "$deb")
printf '%s\n' "$contents" >"$work/contents"
awk '$2 != "root/root" { print "FAIL: not owned by root: " $0; bad = 1 } END { exit bad }' \
    "$work/contents" >&2 || failed=1
awk '$6 !~ /^\.\/(usr\/.*)?$/ || $6 ~ /^\.\/usr\/local/ { print "FAIL: outside /usr: " $0; bad = 1 }
     substr($1, 6, 1) == "w" || substr($1, 9, 1) == "w" { print "FAIL: writable by others: " $0; bad = 1 }
     END { exit bad }' "$work/contents" >&2 || failed=1
for path in bin/tamblor bin/tamblor-cli share/applications/tamblor.desktop \
    share/mime/packages/tamblor.xml share/metainfo/tamblor.metainfo.xml \
    share/man/man1/tamblor.1.gz share/man/man1/tamblor-cli.1.gz share/tamblor/Tamblor.html \
    share/tamblor/examples/Sample.col share/doc/tamblor/copyright \
    share/doc/tamblor/changelog.gz; do
    printf '%s\n' "$contents" | grep -q " \./usr/$path$" || fail "the package lacks /usr/$path"
done

dpkg-deb -x "$deb" "$work/root"
for program in tamblor tamblor-cli; do
    kind=$(file -b "$work/root/usr/bin/$program")
    case $kind in
    *", stripped"*) ;;
    *) fail "/usr/bin/$program is not stripped: $kind" ;;
    esac
done

if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || {
        cat "$work/lintian.log"
        fail "lintian complains"
    }
fi
finish
