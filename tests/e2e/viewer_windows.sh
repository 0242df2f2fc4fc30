#!/usr/bin/env bash
# The palette window at start and the favourites window by its menu item.
# KELBO_SCREENSHOT names where the screenshot of the two windows goes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

wine "$KELBO_EXE" "$KELBO_SAMPLE" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [testcard.bmp]" 90 || kelbo_fail "the picture did not open"
kelbo_wait_window "Farby" 30 || kelbo_fail "the palette window is not shown at start"
# Without a window manager the palette starts below the main window: the
# menu item hides it and shows it again, on top.
kelbo_probe menu "&Nastavenie" "Paleta" >/dev/null || kelbo_fail "no menu item Paleta"
sleep 1
kelbo_probe menu "&Nastavenie" "Paleta" >/dev/null
state_of() { xwininfo -name "$1" 2>/dev/null | awk '/Map State/ { print $3 }'; }
kelbo_probe menu "&Nastavenie" "Obľúbené súbory" >/dev/null || kelbo_fail "no menu item Obľúbené súbory"
sleep 1
[ "$(state_of "Obľúbené")" = IsViewable ] || kelbo_fail "Obľúbené súbory did not show the favourites window"
[ "$(state_of "Farby")" = IsViewable ] || kelbo_fail "Paleta did not show the palette window again"
shot="${KELBO_SCREENSHOT:-$KELBO_E2E_PREFIX/viewer-windows.png}"
import -window root "$shot"
kelbo_screenshot_not_blank "$shot" || kelbo_fail "the screenshot is blank"
echo "screenshot: $shot"

echo "ok"
