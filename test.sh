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

ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:abort_on_error=0" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
LSAN_OPTIONS="suppressions=$top/tests/lsan.supp:print_suppressions=0" \
    suite "$top/build-sanitize" -DTOVEL_SANITIZE=ON
