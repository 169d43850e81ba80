#!/bin/sh
# Builds the project twice, plainly and with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite on each build.
# Any failing test or sanitizer report fails the run.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/install-deps.sh"

suite() {
    build=$1
    shift
    cmake -S "$top" -B "$build" "$@"
    cmake --build "$build" -j2
    (cd "$build" && ctest --output-on-failure -j2)
}

suite "$top/build"

suite "$top/build-sanitize" -DTOVEL_SANITIZE=ON
