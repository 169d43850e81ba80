#!/bin/sh
# Sets up and builds the calculator, then evaluates the expression given on
# the command line with the engine; without an expression it starts the
# interactive prompt. Everything but the engine's own output goes to
# standard error.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
build="$top/build"
"$top/tools/install-deps.sh" >&2

if [ ! -f "$build/Makefile" ]; then
    echo "Configuring and building in build/; the first build takes a few minutes." >&2
    cmake -S "$top" -B "$build" >&2
    cmake --build "$build" -j2 >&2
elif ! cmake --build "$build" -j2 >"$build/build.log" 2>&1; then
    # Later builds are quiet unless they fail.
    cat "$build/build.log" >&2
    echo "The build failed; its output is in build/build.log." >&2
    exit 1
fi
exec "$build/bin/tovel" "$@"
