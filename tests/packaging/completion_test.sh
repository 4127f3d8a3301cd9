#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of runnelex-cli: named cases of a command line and the words offered,
# and its tables against what "runnelex-cli COMMAND --help" lists, so a new option or unit
# word cannot be left out of the completion.
# Usage: completion_test.sh COMPLETION_FILE RUNNELEX_CLI
# shellcheck disable=SC2154 # the tables come from the completion file
set -uo pipefail
completion=$1 cli=$(realpath "$2")
# shellcheck source=/dev/null
source "$completion" || exit 1
failures=0
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

# Files for the file name cases, in a folder of this process.
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
cd "$work" && touch "table one.txt" table2.tsv pipe.png && mkdir plots

# name | the command line, the cursor at its end ("=" split off as bash does) | offered words
cases=(
    "law words|runnelex-cli calc --law c|colebrook"
    "commands|runnelex-cli |--help --version -h batch calc help picture report sheet size"
    "help's short form|runnelex-cli -|--help --version -h"
    "a command's short help|runnelex-cli batch -h|-h"
    "command prefix|runnelex-cli si|size"
    "calc options|runnelex-cli calc --d|--diam --diam-unit"
    "after a value|runnelex-cli calc --diam 12 --sl|--slope --slope-unit"
    "calc only|runnelex-cli calc --lab|--labels"
    "report has no --labels|runnelex-cli report --lab|"
    "diameter units|runnelex-cli calc --diam-unit |ft. in. m mm"
    "SI diameter units|runnelex-cli calc --units si --diam-unit |m mm"
    "US flow units, any case|runnelex-cli size --units = US --flow-unit |CFS GPM MGD"
    "SI slope units|runnelex-cli picture --units si --n 0.013 --slope-unit |% m/m"
    "slope units after =|runnelex-cli picture --slope-unit = |% ft/ft m/m"
    "flow unit prefix|runnelex-cli size --flow-unit M|MGD ML/d"
    "formats|runnelex-cli report --format |csv json tsv"
    "vary names|runnelex-cli report --vary f|flow="
    "free text|runnelex-cli calc --diam |"
    "batch files|runnelex-cli batch t|table one.txt table2.tsv"
    "batch stdin and options|runnelex-cli batch -|- --help -h"
    "picture --out|runnelex-cli picture --out p|pipe.png plots"
    "sheet forms|runnelex-cli sheet --format |html pdf text"
    "sheet papers and tables|runnelex-cli sheet --paper a4 --table t|table one.txt table2.tsv"
    "after --|runnelex-cli batch -- p|pipe.png plots"
    "no command|runnelex-cli nope --|"
)
for c in "${cases[@]}"; do
    IFS='|' read -r name line expected <<<"$c"
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _runnelex_cli
    got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd' ')
    [ "$got" = "$expected" ] || fail "$name: '$line' offered '$got', expected '$expected'"
done

# The options and value words each command's --help names.
synopsis() { "$cli" "$@" --help | sed -n '2,/^$/p'; }
sorted() { tr ' ' '\n' | grep . | LC_ALL=C sort -u | paste -sd' '; }
calc_inputs=$(synopsis calc | grep -o -- '--[a-z][a-z-]*' | grep -vx -- --labels)
commands=$("$cli" --help | sed -n 's/^ *runnelex-cli \([a-z][a-z]*\) .*/\1/p' | sorted)
[ "$commands" = "$(sorted <<<"$_runnelex_cli_commands")" ] ||
    fail "commands: --help lists '$commands'"
for command in $commands; do
    [ "$command" = help ] && continue # its --help is the overview of every command
    text=$(synopsis "$command")
    want=$({
        grep -o -- '--[a-z][a-z-]*' <<<"$text"
        grep -q 'the calc options' <<<"$text" && echo "$calc_inputs"
        echo --help -h
    } | sorted)
    have=$(sorted <<<"${_runnelex_cli_options[$command]}")
    [ "$want" = "$have" ] || fail "$command: --help lists '$want', the completion '$have'"
    # "--format tsv|csv|json": the words offered after the option (file names aside).
    while read -r option words; do
        [[ $words == *FILE* ]] && continue
        offered=${_runnelex_cli_values[$command:$option]-${_runnelex_cli_values[$option]-}}
        [ "$(sorted <<<"${words//|/ }")" = "$(sorted <<<"$offered")" ] ||
            fail "$command $option: --help names '$words'"
    done < <(grep -o -- '--[a-z-]* [^] ]*|[^] ]*' <<<"$text")
done

# Each system's unit words: together the words --help names, and each taken by calc in its
# system and refused in the other (% is in both).
for option in --diam-unit --slope-unit --flow-unit; do
    both="${_runnelex_cli_system_values[us:$option]} ${_runnelex_cli_system_values[si:$option]}"
    [ "$(sorted <<<"$both")" = "$(sorted <<<"${_runnelex_cli_values[$option]}")" ] ||
        fail "$option: the systems' words '$both' are not the words --help names"
    for system in us si; do
        other=$([ $system = us ] && echo si || echo us)
        for word in ${_runnelex_cli_system_values[$system:$option]}; do
            "$cli" calc --units $system "$option" "$word" >/dev/null 2>&1 ||
                fail "$option $word: refused with --units $system"
            [[ " ${_runnelex_cli_system_values[$other:$option]} " == *" $word "* ]] ||
                ! "$cli" calc --units $other "$option" "$word" >/dev/null 2>&1 ||
                fail "$option $word: taken with --units $other"
        done
    done
done

[ "$failures" -eq 0 ] && echo "all completion cases pass"
exit $((failures > 0))
