#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The soak of the main and results windows (not part of ./test.sh): builds the soak program in
# the release tree, runs it on the offscreen platform, then on X11 (Xvfb) with the accessibility
# bridge active, as a screen-reader user has it. Arguments go to the program
# ([--held N] [--save-every N] [--seed N]; default 100 000 records held, a save every 10 000).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source scripts/ensure-deps.sh
# The accessibility bus a screen reader talks to, and the stand-in for the screen reader.
runnelex_ensure_deps dbus-daemon at-spi2-core python3-dbus python3-gi

cmake --preset release >/dev/null
nice cmake --build --preset release --target soak_main_window
soak=build/release/bench/soak/soak_main_window

# Others run tests at the same time: a home and runtime folder of our own.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
chmod 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data \
    XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/runtime

echo "== offscreen"
QT_QPA_PLATFORM=offscreen nice -n 19 "$soak" "$@"
echo "== xcb, accessibility bridge active, a screen reader's events read"
export RUNNELEX_SOAK=$soak
dbus-run-session -- bash -c '
    log=$XDG_RUNTIME_DIR/stand-in.log
    /usr/bin/python3 bench/soak/screen_reader_stand_in.py >"$log" 2>&1 &
    listener=$!
    for _ in $(seq 100); do grep -q listening "$log" && break; sleep 0.1; done
    status=0
    xvfb-run -a env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        nice -n 19 "$RUNNELEX_SOAK" "$@" || status=$?
    kill -TERM "$listener"
    wait "$listener" || true
    grep -v listening "$log"
    exit $status
' soak "$@"
