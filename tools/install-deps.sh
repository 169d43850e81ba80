#!/bin/sh
# Installs the Debian packages that building, testing and packaging need, and those
# named as arguments, when missing. The argument "fuzz" stands for clang and
# its libFuzzer, for fuzz/run.sh.
set -eu

packages="g++ cmake make qtbase5-dev qtscript5-dev qttools5-dev qttools5-dev-tools \
fonts-dejavu-core fonts-urw-base35 xvfb xauth dpkg-dev file desktop-file-utils appstream lintian \
dbus at-spi2-core python3-pyatspi x11-utils"
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

cannot_install() {
    cat >&2 <<MESSAGE
$(basename "$0"): cannot install the missing Debian packages:$missing
Installing them needs root. Ask an administrator to run
    apt-get update && apt-get install --no-install-recommends$missing
or run this script again as root or as a user allowed to use sudo.
MESSAGE
    exit 1
}

if [ "$(id -u)" -eq 0 ]; then
    as_root="env"
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo env"
else
    cannot_install
fi
echo "Installing the Debian packages:$missing" >&2
# A fresh machine may be running its unattended upgrades: wait for the
# package manager's lock instead of failing at once.
apt_get="$as_root DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=900"
$apt_get update || cannot_install
$apt_get install -y --no-install-recommends $missing || cannot_install
