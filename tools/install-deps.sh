#!/bin/sh
# Installs the Debian packages that building and testing need, and those
# named as arguments, when missing.
set -eu

packages="g++ cmake make qtbase5-dev qtscript5-dev qttools5-dev qttools5-dev-tools \
fonts-dejavu-core xvfb $*"

missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
