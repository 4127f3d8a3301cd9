#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Runnelex and starts the calculator. Without a display it says so and prints the
# worked example through the command-line calculator instead. --web builds the web page and
# opens it in the desktop's browser, or prints where it is without a display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/ensure-deps.sh
runnelex_ensure_deps

if [ "${1:-}" = --web ]; then
    cmake --preset wasm >/dev/null
    cmake --build --preset wasm --target runnelex-page
    page=$(realpath build/wasm/src/web/runnelex.html)
    if { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; } && command -v xdg-open >/dev/null; then
        exec xdg-open "$page"
    fi
    echo "No display found: open this page in a browser (it needs nothing else):"
    echo "$page"
    exit 0
fi

cmake --preset default >/dev/null
cmake --build --preset default --target runnelex runnelex-cli

bin=build/default/src
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$bin/app/runnelex" "$@"
fi

echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): the window cannot open here."
echo "The worked example through runnelex-cli (12 in. pipe, slope 0.01 ft/ft, n 0.013, 2 CFS):"
echo
"$bin/cli/runnelex-cli" calc --diam 12 --slope 0.01 --n 0.013 --flow 2 --labels
