#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program on a session bus (started by dbus-run-session around this script) that also
# offers the accessibility bus, as a desktop with a screen reader does.
# Usage: with-accessibility-bus.sh AT_SPI_BUS_LAUNCHER PROGRAM [ARGS...]
set -euo pipefail
launcher=$1
shift
"$launcher" >/dev/null 2>&1 &
launcher_pid=$!
trap 'kill "$launcher_pid" 2>/dev/null || true' EXIT
# The launcher owns org.a11y.Bus once it is up.
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true && break
    sleep 0.1
done
"$@"
