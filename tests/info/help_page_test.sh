#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The help page says what the results window does (tests/results/results_window_test.cpp shows
# it): Close hides the window and disables the controls, but "Always" goes on recording into
# the hidden window; the frame's close box leaves the controls as they are. An older sentence
# ("... and turns recording off") must not come back.
# Usage: help_page_test.sh HELP_PAGE
set -uo pipefail
text=$(sed 's/<[^>]*>//g' "$1" | tr -s ' \t\n' '   ')
failures=0
for phrase in \
    "Close in the results window hides it and disables Now, Always and the Pipe Name box" \
    "while Always stays checked, every calculation is still recorded into the hidden window" \
    "leaves the recording controls as they are"; do
    grep -qF -- "$phrase" <<<"$text" || { echo "FAIL not said: $phrase"; failures=$((failures + 1)); }
done
if grep -qF "and turns recording off" <<<"$text"; then
    echo "FAIL still said: and turns recording off"
    failures=$((failures + 1))
fi
exit $((failures > 0))
