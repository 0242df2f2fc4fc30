#!/usr/bin/env bash
# The painting tools over a picture: a shape, a freehand stroke and a line
# drawn by dragging, with the tools window open. KELBO_SCREENSHOT names
# where the screenshot goes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

wine "$KELBO_EXE" "$KELBO_SAMPLE" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [testcard.bmp]" 90 || kelbo_fail "the picture did not open"
kelbo_wait_window "Náradie" 30 || kelbo_fail "the tools window is not shown"
sleep 1
# "Náradie..." hides the window and shows it again, on top.
tools_state() { xwininfo -name "Náradie" | awk '/Map State/ { print $3 }'; }
[ "$(tools_state)" = IsViewable ] || kelbo_fail "the tools window is not shown at start"
kelbo_probe menu "&Okno" "Náradie..." >/dev/null || kelbo_fail "no menu item Náradie..."
sleep 1
[ "$(tools_state)" = IsUnMapped ] || kelbo_fail "Náradie... did not hide the tools window"
kelbo_probe menu "&Okno" "Náradie..." >/dev/null
sleep 1
[ "$(tools_state)" = IsViewable ] || kelbo_fail "Náradie... did not show the tools window"

kelbo_probe button ShapeButton >/dev/null || kelbo_fail "no shape tool"
kelbo_probe drag 60 60 260 200 >/dev/null || kelbo_fail "cannot drag over the picture"
kelbo_probe button PenButton >/dev/null || kelbo_fail "no brush"
kelbo_probe drag 300 300 560 380 >/dev/null || kelbo_fail "cannot drag over the picture"
kelbo_probe button LineButton >/dev/null || kelbo_fail "no line tool"
kelbo_probe drag 40 440 600 250 >/dev/null || kelbo_fail "cannot drag over the picture"
sleep 1

shot="${KELBO_SCREENSHOT:-$KELBO_E2E_PREFIX/painting.png}"
import -window root "$shot"
kelbo_screenshot_not_blank "$shot" || kelbo_fail "the screenshot is blank"
echo "screenshot: $shot"
echo "ok"
