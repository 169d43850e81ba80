#!/bin/sh
# Times the engine on long hostile lines: every pass must stay linear or
# close to it, and no line of up to 1 MB may take more than about a second.
# Usage: fuzz/long-lines.sh [build dir]   (default: build/)
# Lines go through the prompt (a command-line argument is capped at 128 KiB).
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
"$top/tools/install-deps.sh" python3 bc >&2
if [ ! -x "$build/bin/tovel" ]; then
    echo "There is no $build/bin/tovel: build it first with ./run.sh." >&2
    exit 1
fi
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/bin"
cp "$build/bin/tovel" "$tree/bin/"
cp -r "$top/engine/library/scripts" "$tree/"
cp "$top/engine/library/tovel_operators.conf" "$tree/"
: >"$tree/tovel_cache.dat"

shape() {
    name=$1
    python3 -c "$2" >"$tree/line"
    printf '\n0\n' >>"$tree/line"
    size=$(wc -c <"$tree/line")
    start=$(date +%s.%N)
    "$tree/bin/tovel" <"$tree/line" >"$tree/out" 2>"$tree/err" || true
    end=$(date +%s.%N)
    printf '%-34s %8d bytes %6.2f s  %s\n' "$name" "$size" \
        "$(echo "$end - $start" | bc)" "$(cat "$tree/out" "$tree/err" | tr "\n" " " | cut -c1-50)"
    rm -f "$tree/tovel.log" "$tree"/tovel.log.* "$tree/_tovel.log"
}

names='
import itertools, string
def names(n):
    out = []
    for k in itertools.count(1):
        for t in itertools.product(string.ascii_lowercase, repeat=k):
            out.append("v" + "".join(t))
            if len(out) == n: return out
'
shape "80,000 distinct names"      "$names
print('+'.join(names(80000)), end='')"
shape "40,000 numerals chained by _" "print('_'.join(['1'] + ['2'] * 39999), end='')"
shape "40,000 numerals ff_16"      "print('+'.join(['ff_16'] * 40000), end='')"
shape "1 MB of 1+1"                "print('+'.join(['1'] * 500000), end='')"
shape "1 MB of implicit products"  "print('2x' * 500000, end='')"
shape "1 MB of e(1)"               "print('+'.join(['e(1)'] * 200000), end='')"
shape "1 MB of pi"                 "print('+'.join(['pi'] * 330000), end='')"
shape "1 MB string literal"        "print('\"' + 'a' * 1000000 + '\"', end='')"
shape "1 MB one name"              "print('a' * 1000000, end='')"
shape "1 MB nested brackets"       "print('(' * 500000 + ')' * 500000, end='')"
shape "1 MB nested right operands" "print('1_(' * 330000 + '1' + ')' * 330000, end='')"
shape "1 MB nested left operands"  "print('(' * 250000 + '1' + ')_2' * 250000, end='')"
shape "1 MB private-use characters" "print('\"' + ''.join(chr(0xE000 + i % 6400) for i in range(330000)) + '\"_2', end='')"
shape "100,000 statements"         "print(';'.join(['1'] * 100000), end='')"
shape "1 MB of for heads"          "print('for(' + ',' * 1000000, end='')"
shape "1 MB of tabs"               "print('1' + '\t' * 1000000, end='')"
