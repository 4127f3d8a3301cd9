#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Mutation check of the test suite: applies each one-line fault of scripts/mutations.txt in
# turn, rebuilds the tree build/mutation incrementally (the mutation preset: optimised, tests
# on, no benchmarks or fuzzers), runs the suite (ctest offscreen, without the X11 repeats of the
# window tests, stopping at the first failure) and restores the file. A mutation is CAUGHT when
# a test fails (or hangs past the timeout), SURVIVED when the whole suite passes, and INVALID
# when the tree no longer builds; an invalid one counts for neither.
#
# Before the mutations the unchanged tree is built and the whole suite must pass (the baseline),
# so that a failure can only come from the mutation. The mutated file is restored on every way
# out (also Ctrl+C), and at the end the sources must show the same `git diff` as at the start.
#
# scripts/mutations.txt: one mutation a line, NAME|FILE|ORIGINAL|REPLACEMENT. ORIGINAL must
# occur exactly once in FILE, or the check stops before it changes anything (update the line
# when the code moves). In ORIGINAL and REPLACEMENT, \| stands for a "|" and {NL} for a line
# break (to take the end of the line before as an anchor). Lines starting with # are comments.
#
# Usage: scripts/mutation-check.sh [--list] [--no-baseline] [NAME...]
#   NAME...        only these mutations (default: all, in the order of the list)
#   --list         check the list against the sources and print the names; change nothing
#   --no-baseline  skip the run of the unchanged tree (when it passed just before)
# Environment: JOBS (build and test jobs, default 2), MUTATION_TEST_TIMEOUT (seconds a test
# may take, default 120), MUTATIONS (the list, default scripts/mutations.txt).
# Prints a table and "caught X of Y"; the table also goes to build/mutation/mutation-results.txt
# and each run's log to build/mutation/mutation-logs/NAME.log. Exit status 0 when every
# mutation ran (caught or survived), 1 when some did not build or the check itself failed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# A long job on a shared machine.
if [ "$(nice)" -lt 10 ]; then
    exec nice -n 10 "$0" "$@"
fi

list=${MUTATIONS:-scripts/mutations.txt}
jobs=${JOBS:-2}
test_timeout=${MUTATION_TEST_TIMEOUT:-120}
build=build/mutation
only_list=no
baseline=yes
names=()
for arg in "$@"; do
    case $arg in
    --list) only_list=yes ;;
    --no-baseline) baseline=no ;;
    -*)
        sed -n '19,25p' "$0" >&2
        exit 2
        ;;
    *) names+=("$arg") ;;
    esac
done

# The list: parsing, checking and applying, in Python for exact text matching.
mutations() {
    python3 - "$@" <<'PYTHON'
import re
import sys

def fields_of(line):
    fields, cur, i = [], "", 0
    while i < len(line):
        if line.startswith("\\|", i):
            cur += "|"
            i += 2
        elif line[i] == "|":
            fields.append(cur)
            cur = ""
            i += 1
        else:
            cur += line[i]
            i += 1
    return fields + [cur]

def read(path):
    with open(path, encoding="utf-8", newline="") as f:
        return f.read()

def load(listfile):
    muts, errors = {}, []
    order = []
    with open(listfile, encoding="utf-8") as f:
        for no, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            where = f"{listfile}:{no}"
            fields = fields_of(line)
            if len(fields) != 4:
                errors.append(f"{where}: {len(fields)} fields, expected NAME|FILE|ORIGINAL|REPLACEMENT")
                continue
            name, path, orig, repl = fields
            orig, repl = orig.replace("{NL}", "\n"), repl.replace("{NL}", "\n")
            if not re.fullmatch(r"[A-Za-z0-9_.-]+", name):
                errors.append(f"{where}: the name {name!r} is not letters, digits, _ . -")
            elif name in muts:
                errors.append(f"{where}: {name} is named twice")
            muts[name] = (where, path, orig, repl)
            order.append(name)
    return muts, order, errors

def check(muts, selected):
    errors = []
    for name in selected:
        where, path, orig, repl = muts[name]
        if not orig or orig == repl:
            errors.append(f"{where}: {name}: ORIGINAL is empty or equal to REPLACEMENT")
            continue
        try:
            count = read(path).count(orig)
        except OSError as e:
            errors.append(f"{where}: {name}: {e}")
            continue
        if count != 1:
            errors.append(f"{where}: {name}: the ORIGINAL text occurs {count} times in {path} "
                          "(must be exactly once; update the line)")
    return errors

command, listfile, args = sys.argv[1], sys.argv[2], sys.argv[3:]
muts, order, errors = load(listfile)
selected = args or order
errors += [f"unknown mutation {n}" for n in selected if n not in muts]
errors += check(muts, [n for n in selected if n in muts])
if errors:
    for e in errors:
        print("mutation-check: " + e, file=sys.stderr)
    sys.exit(1)
if command == "check":
    for name in selected:
        print(f"{name}\t{muts[name][1]}")
elif command == "apply":
    (name,) = selected
    where, path, orig, repl = muts[name]
    text = read(path)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text.replace(orig, repl, 1))
PYTHON
}

if ! command -v python3 >/dev/null; then
    source scripts/ensure-deps.sh
    runnelex_ensure_deps python3
fi

# Every selected mutation is checked before anything changes.
plan=$(mutations check "$list" "${names[@]}")
if [ "$only_list" = yes ]; then
    echo "$plan" | cut -f1
    echo "$(echo "$plan" | wc -l) mutations, each found exactly once"
    exit 0
fi
mapfile -t selected < <(echo "$plan" | cut -f1)
mapfile -t files < <(echo "$plan" | cut -f2 | sort -u)

source scripts/ensure-deps.sh
runnelex_ensure_deps python3

diff_before=$(git diff -- "${files[@]}")
work=$(mktemp -d -t runnelex-mutation.XXXXXX)
mutated=""
restore() {
    if [ -n "$mutated" ]; then
        # Written over in place: a new modification time, so the next build recompiles it.
        cat "$work/original" >"$mutated"
        mutated=""
    fi
}
finish() {
    local status=$?
    if [ -n "$mutated" ]; then
        echo "mutation-check: stopped; $mutated restored" >&2
    fi
    restore
    rm -rf "$work"
    if [ "$(git diff -- "${files[@]}")" != "$diff_before" ]; then
        echo "mutation-check: THE SOURCES ARE NOT AS BEFORE:" >&2
        git status --short -- "${files[@]}" >&2
        status=1
    fi
    exit $status
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

export QT_QPA_PLATFORM=offscreen
logs=$build/mutation-logs
started=$SECONDS
cmake --preset mutation >/dev/null
mkdir -p "$logs"

run_suite() { # run_suite LOG [ctest options...]
    local log=$1
    shift
    ctest --test-dir "$build" -j "$jobs" --label-exclude xcb --timeout "$test_timeout" \
        --output-on-failure "$@" >>"$log" 2>&1
}
first_failure() {
    local failed=$build/Testing/Temporary/LastTestsFailed.log
    [ -s "$failed" ] && head -1 "$failed" | cut -d: -f2- || echo "?"
}

if [ "$baseline" = yes ]; then
    echo "== baseline: the unchanged tree builds and passes"
    log=$logs/baseline.log
    : >"$log"
    if ! cmake --build "$build" -j "$jobs" >>"$log" 2>&1; then
        echo "mutation-check: the unchanged tree does not build (see $log)" >&2
        exit 1
    fi
    if ! run_suite "$log"; then
        echo "mutation-check: the unchanged tree fails tests (see $log):" >&2
        sed 's/^/  /' "$build/Testing/Temporary/LastTestsFailed.log" >&2
        exit 1
    fi
    echo "   passed ($((SECONDS - started)) s)"
fi

results=$build/mutation-results.txt
table=()
caught=0 survived=0 invalid=0
width=$(printf '%s\n' MUTATION "${selected[@]}" | awk '{ if (length > w) w = length } END { print w }')
row() { printf "%-${width}s %-9s %5s  %s\n" "$@"; }
for name in "${selected[@]}"; do
    file=$(echo "$plan" | awk -F'\t' -v n="$name" '$1 == n { print $2 }')
    log=$logs/$name.log
    : >"$log"
    t0=$SECONDS
    cp "$file" "$work/original"
    mutated=$file
    mutations apply "$list" "$name"
    git diff --no-color -- "$file" >>"$log"
    if ! cmake --build "$build" -j "$jobs" >>"$log" 2>&1; then
        result=INVALID note="the mutant does not build"
        invalid=$((invalid + 1))
    elif run_suite "$log" --stop-on-failure; then
        result=SURVIVED note="every test passed"
        survived=$((survived + 1))
    else
        result=CAUGHT note="first failure: $(first_failure)"
        caught=$((caught + 1))
    fi
    restore
    if ! cmp -s "$file" "$work/original"; then
        echo "mutation-check: $file was not restored" >&2
        exit 1
    fi
    line=$(row "$name" "$result" "$((SECONDS - t0))s" "$note")
    table+=("$line")
    echo "$line"
done

counted=$((caught + survived))
{
    echo
    row MUTATION RESULT TIME NOTE
    printf '%s\n' "${table[@]}"
    echo
    echo "caught $caught of $counted ($survived survived; $invalid invalid, not counted)"
    if [ "$survived" -gt 0 ]; then
        echo "survived: $(printf '%s\n' "${table[@]}" | awk '$2 == "SURVIVED" { print $1 }' | xargs)"
    fi
    echo "took $((SECONDS - started)) s"
} | tee "$results"
[ "$invalid" -eq 0 ]
