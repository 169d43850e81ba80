#!/bin/sh
# Builds the engine, the plug-in and the floor programs in build-bench/ and prints the
# benchmark table. Arguments go to measure.py (--runs N, --callgrind-runs N,
# --quick).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build-bench"

# valgrind counts instructions; bc and qalc are the yardsticks.
extra="valgrind bc qalc"
command -v python3 >/dev/null 2>&1 || extra="$extra python3"
"$top/tools/install-deps.sh" $extra

cmake -S "$top" -B "$build" >/dev/null
cmake --build "$build" --target tovel tovel_library brisma -j2 >/dev/null
cmake -S "$top/bench" -B "$build/floors" >/dev/null
cmake --build "$build/floors" -j2 >/dev/null
exec python3 "$top/bench/measure.py" "$build" "$@"
