#!/usr/bin/env bash
# "Nápo&veda" → "&Popis funkcií" opens kelboer.hlp beside the program in the
# help viewer, at its contents. KELBO_SCREENSHOT names where the screenshot goes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

wine "$KELBO_EXE" "$KELBO_SAMPLE" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [testcard.bmp]" 90 || kelbo_fail "the picture did not open"
kelbo_probe menu "Nápo&veda" "&Popis funkcií" >/dev/null || kelbo_fail "no menu item Popis funkcií"
# Wine's viewer, opened by WinHelp, is captioned "Wine Help"; opened with a
# file, its caption begins with the help file's title.
viewer_open() { [ -n "$(kelbo_find_window "Wine Help")$(kelbo_find_window "Kelbo – popis funkcií*")" ]; }
for ((i = 0; i < 120; i++)); do
  viewer_open && break
  sleep 0.5
done
viewer_open || kelbo_fail "the help viewer did not open kelboer.hlp"
sleep 2
shot="${KELBO_SCREENSHOT:-$KELBO_E2E_PREFIX/help-file.png}"
import -window root "$shot"
kelbo_screenshot_not_blank "$shot" || kelbo_fail "the screenshot is blank"
# The contents topic's jumps to the menu topics are drawn green inside the viewer's window.
viewer=$(kelbo_find_window "Wine Help")
viewer=${viewer:-$(kelbo_find_window "Kelbo – popis funkcií*")}
crop=$(xwininfo -id "$viewer" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
  /Width:/ { w = $2 } /Height:/ { h = $2 } END { printf "%dx%d+%d+%d", w, h, x, y }')
colours=$(/usr/bin/convert "$shot" -crop "$crop" -format %c histogram:info:-)
grep -qi '#008000' <<<"$colours" || kelbo_fail "the viewer shows no jumps: kelboer.hlp did not open at its contents"
echo "screenshot: $shot"

echo "ok"
