#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one window test on the given Qt platform: offscreen, or xcb on an X server of its own
# (xvfb-run -a picks a free display, so tests run side by side). The test gets a private home
# and XDG folders, removed afterwards, and no D-Bus session bus: nothing it does can reach the
# user's files, settings or accessibility bus, and no bus is started on its behalf.
# Usage: run-gui-test.sh offscreen|xcb PROGRAM [ARGS...]
set -euo pipefail
platform=$1
shift

scratch=$(mktemp -d -t runnelex-gui-test.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export HOME=$scratch/home
export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
export XDG_DATA_HOME=$HOME/.local/share XDG_STATE_HOME=$HOME/.local/state
export XDG_RUNTIME_DIR=$scratch/runtime
export DBUS_SESSION_BUS_ADDRESS=disabled:
unset AT_SPI_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=$platform

case $platform in
offscreen | xcb) ;;
*)
    echo "run-gui-test: unknown platform $platform" >&2
    exit 2
    ;;
esac
if [ "$platform" = xcb ] && ! command -v xvfb-run >/dev/null; then
    echo "run-gui-test: xvfb-run is missing (package xvfb)" >&2
    exit 1
fi

# One run in a fresh home; its standard error is kept to be looked at, then shown.
run() {
    rm -rf "$scratch/home" "$scratch/runtime"
    mkdir -m 700 "$scratch/home" "$scratch/runtime"
    local status=0
    if [ "$platform" = xcb ]; then
        xvfb-run -a -s "-screen 0 1280x1024x24" "$@" 2>"$scratch/stderr" || status=$?
    else
        "$@" 2>"$scratch/stderr" || status=$?
    fi
    cat "$scratch/stderr" >&2
    return $status
}

status=0
run "$@" || status=$?
# LeakSanitizer's tracer now and then crashes while the program's threads wind down: a fault of
# the tool, not a leak. Such a run is repeated once, with the leak check as before.
if [ $status -ne 0 ] && grep -q "LeakSanitizer has encountered a fatal error" "$scratch/stderr"; then
    echo "run-gui-test: LeakSanitizer's tracer crashed; the test runs once more" >&2
    status=0
    run "$@" || status=$?
fi
exit $status
