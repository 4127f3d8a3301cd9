#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The long fuzzing campaign: each libFuzzer target in turn, one at a time and at the lowest
# priority, until it has run RUNS inputs or SECONDS have passed, from the committed seeds and the
# corpus earlier campaigns grew. Prints, per target, the inputs run, libFuzzer's coverage
# (cov: edges, ft: features), the corpus size and the failing inputs kept; the same table goes
# to build/fuzz/campaign/summary.txt.
# An input runs for up to 120 s before it counts as a hang: at the lowest priority on a busy
# machine a target can wait that long for the processor.
# Usage: scripts/fuzz-campaign.sh [-n RUNS] [-t SECONDS] [TARGET...]
#        (defaults: 10000000 runs, 14400 s, every target)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

runs=10000000
seconds=14400
while getopts "n:t:" opt; do
    case $opt in
    n) runs=$OPTARG ;;
    t) seconds=$OPTARG ;;
    *) sed -n '3,12p' "$0" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))

source scripts/ensure-deps.sh
runnelex_ensure_deps
cmake --preset fuzz >/dev/null
nice cmake --build --preset fuzz

# Absolute paths: a target may change its working folder.
bin=$root/build/fuzz/tests/fuzz
out=$root/build/fuzz/campaign
mkdir -p "$out/artifacts"
if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for f in "$bin"/fuzz_*; do
        [ -f "$f" ] && [ -x "$f" ] && targets+=("${f##*/fuzz_}")
    done
fi

summary="$out/summary.txt"
printf '%-16s %12s %8s %8s %8s %9s %s\n' target runs cov ft corpus seconds failures >"$summary"
for t in "${targets[@]}"; do
    mkdir -p "$out/corpus/$t"
    dict=()
    [ -f "$root/tests/fuzz/dict/$t.dict" ] && dict=("-dict=$root/tests/fuzz/dict/$t.dict")
    echo "== fuzz_$t: up to $runs runs or $seconds s"
    start=$SECONDS
    status=0
    QT_QPA_PLATFORM=offscreen nice -n 19 "$bin/fuzz_$t" -runs="$runs" -max_total_time="$seconds" \
        -timeout=120 -rss_limit_mb=2048 -print_final_stats=1 -print_pcs=0 \
        -artifact_prefix="$out/artifacts/$t-" "${dict[@]}" \
        "$out/corpus/$t" "$root/tests/fuzz/corpus/$t" >"$out/$t.log" 2>&1 || status=$?
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$t.log" | tail -1)
    last=$(grep -E '^#[0-9]+.* cov: ' "$out/$t.log" | tail -1 || true)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
    corpus=$(find "$out/corpus/$t" -type f | wc -l)
    failures=$(find "$out/artifacts" -name "$t-*" -type f | wc -l)
    [ "$status" -ne 0 ] && failures="$failures (exit $status)"
    printf '%-16s %12s %8s %8s %8s %9s %s\n' "$t" "${executed:-?}" "${cov:-?}" "${ft:-?}" \
        "$corpus" $((SECONDS - start)) "$failures" | tee -a "$summary"
done
echo
cat "$summary"
