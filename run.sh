#!/bin/sh
# Sets up and builds the calculator, then evaluates the expression given on
# the command line with the engine; without an expression it starts the
# interactive prompt.
set -eu
top=$(cd "$(dirname "$0")" && pwd)
"$top/tools/install-deps.sh"
cmake -S "$top" -B "$top/build" >/dev/null
cmake --build "$top/build" -j2 >/dev/null
exec "$top/build/bin/tovel" "$@"
