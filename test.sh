#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Runnelex and runs every test: the default build, the same tests under
# AddressSanitizer + UndefinedBehaviorSanitizer, a few seconds of each fuzz target (clang,
# libFuzzer), then the Debian package check, then the web page and the command line under
# Node.js (emscripten; the page in headless Chromium); first, that the tests stay at most a
# third of the C++ lines. The window tests run twice in each build: offscreen, and on the real
# X11 platform under xvfb-run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/ensure-deps.sh
runnelex_ensure_deps

echo "== test share: tests at most a third of the C++ lines =="
scripts/test-share.sh --max 33 | tail -1

export QT_QPA_PLATFORM=offscreen
for preset in default asan; do
    echo "== $preset build =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" --label-exclude xcb
    echo "== $preset: window tests on X11 (xvfb-run) =="
    started=$SECONDS
    ctest --preset "$preset" --label-regex xcb
    echo "== $preset: X11 window tests took $((SECONDS - started)) s =="
done

echo "== fuzz build: each target for a few seconds =="
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

echo "== package =="
packaging/check-package.sh build/package

echo "== wasm build: the web page and runnelex-cli.js, their tests (Node.js, headless Chromium) =="
started=$SECONDS
cmake --preset wasm >/dev/null
cmake --build --preset wasm
ctest --preset wasm
echo "== wasm: build and tests took $((SECONDS - started)) s =="
