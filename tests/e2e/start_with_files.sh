#!/usr/bin/env bash
# The command line: two identical picture arguments open two documents and no
# splash; a start with only switches opens nothing (and "-S" has no splash);
# a plain start shows the splash for five seconds.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

wine "$KELBO_EXE" "$KELBO_SAMPLE" "$KELBO_SAMPLE" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [testcard.bmp]" 90 || kelbo_fail "no main window titled after the picture"
sleep 1
state=$(kelbo_probe state)
echo "$state"
[ "$(grep -c '^document class=TChildWin caption=' <<<"$state")" -eq 2 ] || kelbo_fail "expected two documents"
[ "$(grep -cF "caption=$KELBO_SAMPLE" <<<"$state")" -eq 2 ] || kelbo_fail "documents not captioned with the path"
grep -q '^splash visible=1' <<<"$state" && kelbo_fail "a start with files showed the splash"
wineserver -k; wineserver -w

wine "$KELBO_EXE" -S -i -R >/dev/null 2>&1 &
kelbo_wait_window "Kelbo" 60 || kelbo_fail "no main window with only switches"
sleep 1
state=$(kelbo_probe state)
echo "$state"
grep -q '^document' <<<"$state" && kelbo_fail "switches opened a document"
grep -q '^splash' <<<"$state" && kelbo_fail "-S still prepared the splash"
wineserver -k; wineserver -w

wine "$KELBO_EXE" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo" 60 || kelbo_fail "no main window on a plain start"
sleep 1
state=$(kelbo_probe state)
echo "$state"
grep -q '^splash visible=1' <<<"$state" || kelbo_fail "a plain start showed no splash"
sleep 6
state=$(kelbo_probe state)
grep -q '^splash' <<<"$state" && kelbo_fail "the splash outlived its five seconds"
echo "ok"
