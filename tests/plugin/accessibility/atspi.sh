#!/bin/sh
# Runs a command where screen readers meet programs: on a virtual X display,
# in a private D-Bus session with its own accessibility bus and registry,
# with the toolkit's accessibility on, and a home of its own.
#   atspi.sh COMMAND [ARGUMENT...]
# Fails with a message when a part of the set-up is missing or the
# accessibility bus cannot be reached; otherwise ends as the command does.
set -eu
# Debian's own interpreter, which python3-pyatspi is installed for.
python=/usr/bin/python3

fail() {
    echo "atspi.sh: $*" >&2
    exit 1
}

if [ "${1:-}" != --in-session ]; then
    [ $# -ge 1 ] || fail "usage: atspi.sh COMMAND [ARGUMENT...]"
    for program in Xvfb dbus-run-session dbus-send xprop "$python" \
        /usr/libexec/at-spi-bus-launcher /usr/libexec/at-spi2-registryd; do
        command -v "$program" >/dev/null 2>&1 ||
            fail "$program is missing; tools/install-deps.sh installs it"
    done
    "$python" -c 'import pyatspi' 2>/dev/null ||
        fail "python3-pyatspi is missing; tools/install-deps.sh installs it"
    # The session's buses keep their sockets in its own runtime directory,
    # so that sessions running at the same time never meet.
    work=$(mktemp -d)
    export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work" \
        XDG_CACHE_HOME="$work/cache"
    exec dbus-run-session -- sh "$0" --in-session "$work" "$@"
fi
work=$2
shift 2

children=""
cleanup() {
    for pid in $children; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# Xvfb writes the number of the display it took once it is ready. It keeps
# the root window's properties when its last client goes (-noreset).
mkfifo "$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$work/display" 2>"$work/xvfb.log" &
children="$children $!"
read -r number <"$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$number"

# The session bus starts the bus launcher for the first call to its name,
# and the launcher starts the accessibility bus for the address.
address=$(dbus-send --session --print-reply=literal --reply-timeout=30000 --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress) ||
    fail "the accessibility bus cannot be reached"
address=$(echo "$address" | tr -d ' ')
[ -n "$address" ] || fail "the accessibility bus has no address"
# Under Xvfb the launcher leaves the root window's property unset; the
# toolkit and the reader find the bus through it.
xprop -root -f AT_SPI_BUS 8s -set AT_SPI_BUS "$address"
export AT_SPI_BUS_ADDRESS="$address"
/usr/libexec/at-spi2-registryd 2>"$work/registryd.log" &
children="$children $!"

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
"$@"
