#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the cases of one golden file through runnelex-cli (or another program: the desktop
# program's arguments) and compares every byte of standard output, standard error and the
# exit status with what the file expects.
#
# Usage: run-golden.sh PROGRAM FILE               (UPDATE=1: write the actual results into FILE)
#
# A file is a run of cases; each case starts with its arguments. Lines:
#   # text          a comment (kept by UPDATE)
#   $ ARGS          the arguments, in shell syntax; $TMP is a folder of the case's own,
#                   its working folder and home
#   < text          a line of standard input
#   > text          a line of standard output     ("> " alone: an empty line)
#   ! text          a line of standard error
#   ? N             the exit status (0 when not given)
#   = NAME          a file or folder the run left in $TMP (with "% files")
#   % option        stdin-crlf, stdin-no-eol: how the input lines end; stdin-encoding NAME:
#                   the input is written in that character set (iconv's name);
#                   env NAME=VALUE: the environment of the run;
#                   stdout FILE: standard output goes to FILE (/dev/full: a full disk) and is
#                   not compared; stdout closed: the program starts with it closed;
#                   files: the files the run leaves in $TMP (it starts empty) are compared too
# SKIP_STDOUT=WHERE leaves out the cases whose "% stdout" is WHERE (Node.js opens a closed
# standard output on /dev/null before any program of its own runs: "closed").
# Output lines are compared exactly; a CR before a line's LF is written as the two
# characters "\r" at the end of the line, and "\ no eol" after a last line without a break.
set -uo pipefail
cli=$(realpath "$1")
file=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
cases=0
skipped=0
updated=""

# Writes the expected form of an output file's lines with the given prefix.
render() { # prefix file
    local prefix=$1 path=$2
    [ -s "$path" ] || return 0
    # CR before LF shows as "\r"; a missing final LF adds the marker line.
    awk -v p="$prefix" '{ sub(/\r$/, "\\\\r"); print ($0 == "" ? p : p " " $0) }' "$path"
    [ -n "$(tail -c1 "$path")" ] && echo "$prefix \\ no eol"
    return 0
}

run_case() {
    [ -n "${args+x}" ] || return 0
    if [ -n "${SKIP_STDOUT:-}" ] && [ -z "${UPDATE:-}" ] && [ "$stdout_to" = "$SKIP_STDOUT" ]; then
        skipped=$((skipped + 1))
        return 0
    fi
    cases=$((cases + 1))
    local dir="$work/case$cases"
    mkdir -p "$dir/tmp"
    local input="$dir/stdin"
    if [ -n "$stdin_lines" ]; then
        local nl=$'\n'
        [ -n "$stdin_crlf" ] && nl=$'\r\n'
        local text="${stdin_lines//$'\n'/$nl}"
        [ -n "$stdin_no_eol" ] && text="${text%"$nl"}"
        if [ -n "$stdin_encoding" ]; then
            printf '%s' "$text" | iconv -f UTF-8 -t "$stdin_encoding" >"$input" || exit 2
        else
            printf '%s' "$text" >"$input"
        fi
    else
        : >"$input"
    fi
    (
        cd "$dir/tmp" || exit 99
        # $TMP is the home too: whatever the program writes there is seen (% files).
        export TMP="$dir/tmp" HOME="$dir/tmp"
        unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME
        for e in "${envs[@]}"; do export "${e?}" 2>/dev/null; done
        eval "set -- $args"
        case $stdout_to in
        '') exec "$cli" "$@" <"$input" >"$dir/out" 2>"$dir/err" ;;
        closed) exec "$cli" "$@" <"$input" 2>"$dir/err" >&- ;;
        *) exec "$cli" "$@" <"$input" 2>"$dir/err" >"$stdout_to" ;;
        esac
    )
    local status=$?
    [ -e "$dir/out" ] || : >"$dir/out"
    local actual="$dir/actual" expected="$dir/expected"
    {
        render '>' "$dir/out"
        render '!' "$dir/err"
        [ -z "$list_files" ] || (cd "$dir/tmp" && find . -mindepth 1 | sort | sed 's|^\./|= |')
        echo "? $status"
    } >"$actual"
    printf '%s' "$expected_lines" >"$expected"
    echo "? ${want_status:-0}" >>"$expected"
    if [ -n "${UPDATE:-}" ]; then
        updated+="$case_head"
        updated+=$(grep -v '^? 0$' "$actual"; echo x)
        updated="${updated%x}"
    elif ! cmp -s "$expected" "$actual"; then
        failures=$((failures + 1))
        echo "FAILED: ${file##*/}, case $cases: runnelex-cli $args"
        diff -u --label expected --label actual "$expected" "$actual" | sed 's/^/    /'
    fi
}

reset_case() {
    unset args
    stdin_lines="" stdin_crlf="" stdin_no_eol="" stdin_encoding="" expected_lines="" want_status="" case_head=""
    stdout_to="" list_files=""
    envs=()
}

reset_case
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
    '$ '*)
        run_case
        reset_case
        args=${line#'$ '}
        case_head+="$line"$'\n'
        ;;
    '< '* | '<')
        local_line=${line#'<'}
        stdin_lines+="${local_line#' '}"$'\n'
        case_head+="$line"$'\n'
        ;;
    '> '* | '>' | '! '* | '!' | '= '*)
        expected_lines+="$line"$'\n'
        ;;
    '? '*) want_status=${line#'? '} ;;
    '% stdin-crlf') stdin_crlf=1 case_head+="$line"$'\n' ;;
    '% stdin-no-eol') stdin_no_eol=1 case_head+="$line"$'\n' ;;
    '% stdin-encoding '*) stdin_encoding=${line#'% stdin-encoding '} case_head+="$line"$'\n' ;;
    '% env '*) envs+=("${line#'% env '}") case_head+="$line"$'\n' ;;
    '% stdout '*) stdout_to=${line#'% stdout '} case_head+="$line"$'\n' ;;
    '% files') list_files=1 case_head+="$line"$'\n' ;;
    '#'* | '')
        if [ -n "${args+x}" ]; then
            run_case
            reset_case
        fi
        updated+="$line"$'\n'
        ;;
    *)
        echo "${file##*/}: cannot read the line: $line" >&2
        exit 2
        ;;
    esac
done <"$file"
run_case

if [ -n "${UPDATE:-}" ]; then
    printf '%s' "$updated" >"$file"
    echo "updated ${file##*/}: $cases cases"
    exit 0
fi
if [ "$cases" -eq 0 ]; then
    echo "${file##*/}: no cases" >&2
    exit 2
fi
[ "$failures" -eq 0 ] && echo "${file##*/}: $cases cases passed${SKIP_STDOUT:+, $skipped left out (stdout $SKIP_STDOUT)}"
exit $((failures > 0))
