#!/bin/sh
# Fails when a C++ file of the repository does not follow .clang-format.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/tools/install-deps.sh" clang-format >&2
cd "$top"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
