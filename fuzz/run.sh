#!/bin/sh
# Runs every fuzz target for a set time, 60 seconds each by
# default: fuzz/run.sh [seconds [target...]]. Installs clang and libFuzzer when missing,
# builds the targets in build-fuzz/ and starts each from its seeds (made from
# the test cases: the golden lines, the operator tables and cache files of
# the tests) and the inputs earlier runs found. A crash, a sanitizer report
# or an input that takes over 20 seconds (a hang: the evaluating targets stop
# each evaluation after half a second) stops the target: its input lands
# in build-fuzz/artifacts/<target>/, and the run ends with exit code 1.
# Keep such an input in fuzz/findings/<target>/ once the fault is fixed; the
# test suite replays every seed and finding.
set -eu
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-translate operators cache evaluate modules catalogue}
top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build-fuzz

"$top/tools/install-deps.sh" fuzz
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -DTOVEL_FUZZ=ON >/dev/null
cmake --build "$build" -j2 >/dev/null

# seeds of the translating and evaluating targets from the golden cases, one
# line each
for target in translate evaluate; do
    mkdir -p "$build/seeds/$target"
    for cases in "$top"/tests/engine/golden/*.cases; do
        sed -n 's/^in: //p' "$cases"
    done | awk -v dir="$build/seeds/$target" '{ file = sprintf("%s/golden-%04d", dir, NR); printf "%s", $0 > file; close(file) }'
done

# the shipped formula catalogue seeds the catalogue target
mkdir -p "$build/seeds/catalogue"
cp "$top/plugin/data/formulaItems.xml" "$build/seeds/catalogue/shipped.xml"

# the targets write their files in a temporary directory: in memory where
# the machine has it, since every cache save syncs its file to the disk
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$top/tests/lsan.supp:print_suppressions=0
failed=0
for target in $targets; do
    corpus=$build/corpus/$target
    artifacts=$build/artifacts/$target
    mkdir -p "$corpus" "$artifacts" "$build/seeds/$target"
    echo "== $target: $seconds s"
    if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" \
        "$corpus" "$top/fuzz/seeds/$target" "$top/fuzz/findings/$target" "$build/seeds/$target" \
        >"$build/$target.log" 2>&1; then
        failed=1
        echo "   FOUND a fault: see $build/$target.log and $artifacts/"
    fi
    grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|slowest_unit_time_sec)' \
        "$build/$target.log" | sed 's/^/   /'
done
exit $failed
