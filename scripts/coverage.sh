#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Line and branch coverage of src/ by the whole test suite: builds the coverage preset (GCC,
# -O0, --coverage), zeroes the counters, runs every ctest test (offscreen, then the X11 window
# tests under xvfb-run when it is there) and summarises with gcovr, counting src/ only (not
# tests/, bench/, build/ or the moc files generated there).
#
# Branches: gcovr counts a branch for every edge GCC adds, and at -O0 C++ gets many that no
# test could take: the exception edges of nearly every call, and edges that belong to no source
# line. Both are left out (--exclude-throw-branches, --exclude-unreachable-branches), so the
# branch figure counts the decisions written in the source. Measurements to compare must come
# from this same script.
#
# Prints two lines to quote:
#   Line coverage of src/: 90.1% (5000 of 5550 lines)
#   Branch coverage of src/: 70.2% (3000 of 4274 branches)
# and writes the per-file reports build/coverage/coverage-lines.txt and
# build/coverage/coverage-branches.txt.
# Usage: scripts/coverage.sh [--no-xcb]   (JOBS=N to build and test with N jobs; default 2)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# A long job on a shared machine.
if [ "$(nice)" -lt 10 ]; then
    exec nice -n 10 "$0" "$@"
fi

xcb=yes
case ${1:-} in
--no-xcb) xcb=no ;;
"") ;;
*)
    sed -n '3,19p' "$0" >&2
    exit 2
    ;;
esac
jobs=${JOBS:-2}

source scripts/ensure-deps.sh
runnelex_ensure_deps gcovr

started=$SECONDS
build=build/coverage
cmake --preset coverage >/dev/null
cmake --build --preset coverage -j "$jobs"
built=$SECONDS

# Counters of earlier runs would be added to this one's.
find "$build" -name '*.gcda' -delete

export QT_QPA_PLATFORM=offscreen
status=0
ctest --preset coverage -j "$jobs" --label-exclude xcb || status=1
if [ "$xcb" = yes ]; then
    if command -v xvfb-run >/dev/null; then
        ctest --preset coverage -j "$jobs" --label-regex xcb || status=1
    else
        echo "coverage: xvfb-run is missing, the X11 window tests were not run" >&2
    fi
fi
tested=$SECONDS

gcovr_args=(
    --root "$root"
    --object-directory "$root/$build"
    --exclude-directories "$root/$build/CMakeFiles/[0-9.]+" # CMake's compiler checks
    --filter "$root/src/"
    --exclude "$root/tests/"
    --exclude "$root/bench/"
    --exclude "$root/build/"
    --exclude '.*_autogen/.*'
    --exclude '.*/moc_[^/]*\.cpp'
    --exclude-throw-branches
    --exclude-unreachable-branches
)
gcovr "${gcovr_args[@]}" -j "$jobs" --json "$build/coverage.json" \
    --txt "$build/coverage-lines.txt" --print-summary >"$build/coverage-summary.txt"
gcovr --root "$root" --add-tracefile "$build/coverage.json" --branches \
    --txt "$build/coverage-branches.txt"

# gcovr's summary: "lines: 90.1% (5000 out of 5550)" and "branches: ...".
summary() {
    local what=$1 unit=$2
    sed -n "s/^$what: \([0-9.]*%\) (\([0-9]*\) out of \([0-9]*\))$/\1 (\2 of \3 $unit)/p" \
        "$build/coverage-summary.txt"
}
lines=$(summary lines lines)
branches=$(summary branches branches)
if [ -z "$lines" ] || [ -z "$branches" ]; then
    echo "coverage: no summary from gcovr:" >&2
    cat "$build/coverage-summary.txt" >&2
    exit 1
fi

echo
echo "== coverage of src/ (gcovr $(gcovr --version | sed -n '1s/^gcovr //p'), throw and unreachable branches excluded)"
echo "Line coverage of src/: $lines"
echo "Branch coverage of src/: $branches"
echo "Per file: $build/coverage-lines.txt, $build/coverage-branches.txt"
echo "Took $((SECONDS - started)) s: build $((built - started)) s, tests $((tested - built)) s, gcovr $((SECONDS - tested)) s"
if [ "$status" -ne 0 ]; then
    echo "coverage: some tests FAILED; the figures above are of a failing suite" >&2
    exit 1
fi
