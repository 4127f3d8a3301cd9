#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages against what the programs say of themselves, both ways, so neither can
# drift from the other: groff formats them without a warning; runnelex-cli.1 has a section
# for every command and no other, its SYNOPSIS lists each command's options with the words
# they take as "runnelex-cli help COMMAND" does, it describes every option and exit status
# the help names and no other, and it names every --labels name and JSON key the program
# writes; runnelex.1 describes the options "runnelex --help" names, and no other.
# Usage: manpage_test.sh MAN_DIR RUNNELEX_CLI RUNNELEX
set -uo pipefail
dir=$1 cli=$2 app=$3 page=$1/runnelex-cli.1
failures=0
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}
sorted() { tr ' ' '\n' | grep . | LC_ALL=C sort -u | paste -sd' '; }
# The page as it reads: dashes, superscripts and font changes of groff taken out.
plain() { sed -e 's/\\-/-/g' -e 's/\\&//g' -e 's/\\f[BIRP]//g' -e 's/\\(S3/³/g' -e 's/\\(S2/²/g' "$@"; }
options() { grep -o -- '--[a-z][a-z-]*' | sorted; }

for p in "$dir"/*.1; do
    warnings=$(groff -man -ww -z "$p" 2>&1)
    [ -z "$warnings" ] || fail "$(basename "$p"): $warnings"
done
text=$(plain "$page")

# Commands: the sections of COMMANDS are those "runnelex-cli --help" lists.
commands=$("$cli" --help | sed -n 's/^ *runnelex-cli \([a-z][a-z]*\) .*/\1/p' | sorted)
[ -n "$commands" ] || fail "runnelex-cli --help lists no command"
sections=$(sed -n 's/^\.SS "\([a-z]*\)[ "].*/\1/p' "$page" | sorted)
[ "$sections" = "$commands" ] || fail "the sections are '$sections', the commands '$commands'"

# SYNOPSIS: each command's options and their words, the input options where it names them.
synopsis=$(plain "$page" | sed -n '/^\.SH SYNOPSIS/,/^\.SH/p')
inputs=$(sed -n '/^\.RS/,/^\.RE/p' <<<"$synopsis")
block() { # the synopsis of one command, with the input options when it takes them
    local b
    b=$(awk -v c="$1" '/^\.SY/ { n = NR } NR == n + 1 && $0 == ".B " c { on = 1 }
                       on { print } /^\.YS/ { on = 0 }' <<<"$synopsis")
    printf '%s\n' "$b"
    grep -q 'input options' <<<"$b" && printf '%s\n' "$inputs"
}
calc_options=$("$cli" help calc | sed -n '2,/^$/p' | grep -o -- '--[a-z][a-z-]*' | grep -vx -- --labels)
helped=--version
for command in $commands; do
    help=
    [ "$command" = help ] || help=$("$cli" help "$command" | sed -n '2,/^$/p')
    grep -q 'the calc options' <<<"$help" && help+=$'\n'$calc_options
    want=$(options <<<"$help")
    helped+=" $want"
    man=$(block "$command")
    [ -n "$man" ] || fail "SYNOPSIS has no $command"
    have=$(options <<<"$man")
    [ "$want" = "$have" ] || fail "SYNOPSIS of $command lists '$have', its help '$want'"
    # "--flow-unit CFS|MGD|GPM|m3/s|L/s|ML/d": the same words in SYNOPSIS.
    while read -r option words; do
        [[ -z $option || $words == *FILE* ]] && continue
        grep -qF -- "$option $words" <<<"$man" ||
            fail "SYNOPSIS of $command does not give $option $words"
    done < <(grep -o -- '--[a-z-]* [^] ]*|[^] ]*' <<<"$help")
done

# Described options (the bold words after .TP): each one the help names, and every one.
described=$(grep -A1 '^\.TP' "$page" | plain | options)
helped=$(sorted <<<"$helped --help")
[ "$described" = "$helped" ] || fail "the page describes '$described', the help names '$helped'"

# Exit statuses, both ways.
statuses=$("$cli" --help | sed -n '/^Exit status:/,$p' | tr '\n' ' ' | grep -oE '[:,] [0-9] ' |
    tr -dc '0-9\n' | sorted)
listed=$(sed -n '/^\.SH "*EXIT STATUS/,/^\.SH [^E]/p' "$page" | grep -A1 '^\.TP' |
    sed -n 's/^\.B \([0-9]\)$/\1/p' | sorted)
[ "$statuses" = "$listed" ] || fail "the page lists exit statuses '$listed', the help '$statuses'"

# Every --labels name and JSON key the program writes, US and SI, surcharged and faulted,
# is in the page; each key in report's help too (calc's help names lblrQ050 ... lblrQ100).
labels=$("$cli" calc --diam 12 --slope 0.01 --flow 3.7 --labels | cut -f1)
keys=$({
    "$cli" report --diam 12 --slope 0.01 --vary flow=2,5 --format json
    "$cli" report --units si --diam 300 --slope 0.01 --vary flow=0.05,0.5 --format json
    "$cli" report --diam 1e200 --diam-unit ft. --slope 0.01 --vary flow=2 --format json
} | grep -o '"[A-Za-z]*":' | tr -d '":' | sorted)
[ -n "$labels" ] && [ -n "$keys" ] || fail "no labels or no JSON keys to look for"
for word in $labels; do
    grep -qw -- "$word" <<<"$text" || fail "the page does not name the label $word"
done
for word in $keys; do
    grep -qw -- "$word" <<<"$text" || fail "the page does not name the JSON key $word"
    "$cli" help report | grep -qw -- "$word" || fail "report --help does not name the key $word"
done

# runnelex.1: the options of "runnelex --help", both ways.
usage=$("$app" --help | sed -n '1,/^$/p' | grep -oE -- '(^|[ [])--?[a-z]+' | tr -d ' [' | sorted)
[ -n "$usage" ] || fail "runnelex --help names no option"
described=$(sed -n '/^\.SH OPTIONS/,/^\.SH/p' "$dir/runnelex.1" | grep -A1 '^\.TP' | plain |
    grep -oE -- '(^|[ "])--?[a-z]+' | tr -d ' "' | sorted)
[ "$described" = "$usage" ] || fail "runnelex.1 describes '$described', runnelex --help '$usage'"

[ "$failures" -eq 0 ] && echo "the manual pages agree with the programs"
exit $((failures > 0))
