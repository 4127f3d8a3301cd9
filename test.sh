#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Runnelex and runs every test: the default build, the same tests under
# AddressSanitizer + UndefinedBehaviorSanitizer, a few seconds of each fuzz target (clang,
# libFuzzer), then the Debian package check.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/ensure-deps.sh
runnelex_ensure_deps

export QT_QPA_PLATFORM=offscreen
for preset in default asan fuzz; do
    echo "== $preset build =="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

echo "== package =="
packaging/check-package.sh build/package
