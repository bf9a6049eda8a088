# SPDX-License-Identifier: GPL-3.0-or-later
# What the package tests share: failures that let the other checks run, a skip when a tool is
# missing (CTest's SKIP_RETURN_CODE), and one temporary folder inside the build tree that is
# removed however the test ends.
failed=0
work=""

fail() {
    echo "FAIL: $*" >&2
    failed=1
}

finish() {
    [ "$failed" -eq 0 ] || exit 1
    exit 0
}

need() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "skipped: $tool is not installed"
            exit 77
        fi
    done
}

temporary_folder() {
    mktemp -d "$1/package-test.XXXXXX"
}

cleanup() {
    [ -z "$work" ] || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
