#!/usr/bin/env bash
# The "Efekty" menu opens its dialogs over a picture: "Alfa miešanie" and
# "Mozaika". KELBO_SCREENSHOT_DIR names where their screenshots go.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

wine "$KELBO_EXE" "$KELBO_SAMPLE" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [testcard.bmp]" 90 || kelbo_fail "the picture did not open"
sleep 1
shots="${KELBO_SCREENSHOT_DIR:-$KELBO_E2E_PREFIX}"

# menu caption, dialog caption, screenshot name
show_dialog() {
  kelbo_probe menu "Efe&kty" "$1" >/dev/null || kelbo_fail "no menu item $1"
  kelbo_wait_window "$2" 30 || kelbo_fail "\"$1\" did not open \"$2\""
  sleep 1
  import -window root "$shots/$3"
  kelbo_screenshot_not_blank "$shots/$3" || kelbo_fail "the screenshot of $2 is blank"
  echo "screenshot: $shots/$3"
}

show_dialog "Alfa miešanie" "Alfa miešanie..." alpha_dialog.png
kelbo_probe close "Alfa miešanie..." >/dev/null || kelbo_fail "cannot close the alpha dialog"
sleep 1
show_dialog "Mozaika" "Efekt \"Mozaika\"" mosaic_dialog.png
echo "ok"
