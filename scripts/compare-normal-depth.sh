#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The long comparison of the normal-depth search with the bisection it replays:
# scripts/compare-normal-depth.sh [PIPES]   (default 10000000; a few thousand run in ./test.sh)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/ensure-deps.sh
runnelex_ensure_deps
cmake --preset release >/dev/null
cmake --build --preset release --target engine_tests
RUNNELEX_DNORM_PIPES=${1:-10000000} build/release/tests/engine/engine_tests \
    --gtest_filter='NormalDepthSearch.SameAsTheBisectionForEveryPipe'
