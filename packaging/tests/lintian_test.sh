#!/bin/sh
# lintian, Debian's package checker, on each package the package test made:
# any error or warning fails. Its whole report, information tags included,
# goes to the test's output; the packages' own override files (each line
# with its reason) are honoured.
#
# usage: lintian_test.sh DEB_DIR COMPONENT...
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

dir=$1
shift
failed=""
for component in "$@"; do
    deb=$(ls "$dir/${component}"_*.deb 2>/dev/null) || fail "no package for $component in $dir"
    echo "== lintian $(basename "$deb")"
    lintian --display-info --fail-on error,warning "$deb" || failed="$failed $component"
done
[ -z "$failed" ] || fail "lintian reports errors or warnings for:$failed"
echo "lintian: ok"
