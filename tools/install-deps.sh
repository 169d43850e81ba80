#!/bin/sh
# Installs the Debian packages that building and testing need, and those
# named as arguments, when missing. The argument "fuzz" stands for clang and
# its libFuzzer, for fuzz/run.sh.
set -eu

packages="g++ cmake make qtbase5-dev qtscript5-dev qttools5-dev qttools5-dev-tools \
fonts-dejavu-core xvfb xauth"
for extra in "$@"; do
    if [ "$extra" = fuzz ]; then
        packages="$packages clang libclang-rt-14-dev"
    else
        packages="$packages $extra"
    fi
done

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
