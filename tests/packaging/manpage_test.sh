#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages: groff formats them without a warning, and runnelex-cli.1 has a section
# for every command, describes every option and every exit status "runnelex-cli --help" and
# "runnelex-cli COMMAND --help" name.
# Usage: manpage_test.sh MAN_DIR RUNNELEX_CLI
set -uo pipefail
dir=$1 cli=$2 page=$1/runnelex-cli.1
failures=0
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}

for p in "$dir"/*.1; do
    warnings=$(groff -man -ww -z "$p" 2>&1)
    [ -z "$warnings" ] || fail "$(basename "$p"): $warnings"
done

# The options the page describes: the bold words of the lines after .TP, as typed.
described=$(grep -A1 '^\.TP' "$page" | grep -o '\\-\\-[a-z\\-]*' | sed 's/\\-/-/g' | sort -u)
commands=$("$cli" --help | sed -n 's/^ *runnelex-cli \([a-z][a-z]*\) .*/\1/p')
[ -n "$commands" ] || fail "runnelex-cli --help lists no command"
for command in $commands; do
    grep -q "^\.SS \"$command " "$page" || fail "no section for $command"
    for option in $("$cli" "$command" --help | sed -n '2,/^$/p' | grep -o -- '--[a-z][a-z-]*'); do
        grep -qx -- "$option" <<<"$described" || fail "$command $option is not described"
    done
done
for status in $("$cli" --help | sed -n '/^Exit status:/,$p' | tr '\n' ' ' |
    grep -oE '[:,] [0-9] ' | tr -dc '0-9\n'); do
    sed -n '/^\.SH "*EXIT STATUS/,/^\.SH/p' "$page" | grep -A1 '^\.TP' | grep -qx "\.B $status" ||
        fail "exit status $status is not described"
done

[ "$failures" -eq 0 ] && echo "the manual pages are complete"
exit $((failures > 0))
