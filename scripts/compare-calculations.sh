#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole calculations of every shape, this tree against an earlier revision, bit for bit: both
# release builds fold the same drawn calculations into a hash per shape, and the hashes must agree.
# scripts/compare-calculations.sh [REVISION] [CASES PER SHAPE] [SEED]
#   (defaults: main, 1000000, 1; the earlier tree gets this tree's comparison program)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
base_rev=${1:-main}
cases=${2:-1000000}
seed=${3:-1}
base=$(mktemp -d)
trap 'git worktree remove --force "$base"' EXIT
git worktree add --detach "$base" "$base_rev" >/dev/null
mkdir -p "$base/tests/support"
cp bench/core/compare_calculations.cpp bench/core/CMakeLists.txt "$base/bench/core/"
cp tests/support/random_calc_inputs.h "$base/tests/support/"
for tree in . "$base"; do
    (cd "$tree" && cmake --preset release >/dev/null &&
        nice cmake --build --preset release --target compare_calculations -j2 >/dev/null)
done
nice build/release/bench/core/compare_calculations "$cases" "$seed" >"$base/this.txt"
nice "$base/build/release/bench/core/compare_calculations" "$cases" "$seed" >"$base/before.txt"
cat "$base/this.txt"
if diff "$base/before.txt" "$base/this.txt"; then
    echo "Every shape's calculations are bit-identical to $base_rev's."
else
    echo "The calculations differ from $base_rev's." >&2
    exit 1
fi
