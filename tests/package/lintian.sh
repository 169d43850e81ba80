#!/bin/sh
# Builds the Debian package of a build tree in a directory of its own and
# has lintian check it: a package that cannot be built, or any error or
# warning of lintian, fails the test. Without lintian the test is skipped
# (exit code 77).
# Usage: lintian.sh CPACK BUILD_DIR
set -eu
cpack=$1
build=$2
if ! command -v lintian >/dev/null 2>&1; then
    echo "lintian is not installed: the package is not checked"
    exit 77
fi
packages=$(mktemp -d)
trap 'rm -rf "$packages"' EXIT
if ! (cd "$build" && "$cpack" -G DEB -B "$packages") >"$packages/cpack.log" 2>&1; then
    cat "$packages/cpack.log"
    exit 1
fi
lintian --fail-on error,warning "$packages"/*.deb
