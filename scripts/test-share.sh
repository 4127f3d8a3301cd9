#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The share of the C++ lines that are tests: every non-blank line of a .cpp, .cc, .h or .hpp
# file that is not a comment (a line starting with // or inside a /* */ block). Everything
# under tests/ (fuzz targets included) counts as tests; src/ and bench/ count as code. Golden
# files and scripts are no C++ lines. Prints the lines of each folder, the two counts and the
# share; with --max PERCENT, ends with status 1 when the share is above it.
# Usage: scripts/test-share.sh [--max PERCENT]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
max=
if [ "${1:-}" = --max ] && [ -n "${2:-}" ]; then
    max=$2
elif [ $# -gt 0 ]; then
    sed -n '8p' "$0" >&2
    exit 2
fi

counts=$(find src tests bench -type f \
    \( -name '*.cpp' -o -name '*.cc' -o -name '*.h' -o -name '*.hpp' \) -print0 |
    xargs -0 awk '
    FNR == 1 { inblock = 0; split(FILENAME, part, "/"); folder = part[1] "/" part[2] }
    {
        s = $0
        gsub(/^[ \t\r]+|[ \t\r]+$/, "", s)
        if (inblock) {
            at = index(s, "*/")
            if (!at) next
            inblock = 0
            s = substr(s, at + 2)
            gsub(/^[ \t\r]+/, "", s)
        }
        if (s == "" || substr(s, 1, 2) == "//") next
        if (substr(s, 1, 2) == "/*") {
            if (!index(s, "*/")) inblock = 1
            next
        }
        lines[folder]++
    }
    END { for (f in lines) print f, lines[f] }' | sort)
printf '%s\n' "$counts" | awk '{ printf "  %-22s %6d\n", $1, $2 }'
printf '%s\n' "$counts" | awk -v max="$max" '
    { if ($1 ~ /^tests\//) tests += $2; else code += $2 }
    END {
        share = 100 * tests / (tests + code)
        printf "tests %d, code %d: tests are %.1f %% of the C++ lines\n", tests, code, share
        if (max != "" && share > max + 0) {
            printf "above %s %%\n", max
            exit 1
        }
    }'
