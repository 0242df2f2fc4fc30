#!/usr/bin/env bash
# A picture opened at start in a warp window ("AutoLoadFile" with
# "OpenInWarpWin"): links added by dragging, warping mode, a target node
# moved; the screenshot shows the mesh. KELBO_SCREENSHOT names where it goes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

cat >"$WINEPREFIX/drive_c/windows/kelbo.ini" <<INI
[OnStart]
AutoLoadFile=1
OpenInWarpWin=1
AutoLoadFileName=$KELBO_SAMPLE
WindowState=1
[Warping]
WriteNode=1
INI

wine "$KELBO_EXE" -S -R >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [testcard.bmp]" 90 || kelbo_fail "the picture did not open in a warp window"
sleep 1
state=$(kelbo_probe state)
grep -qF "document class=TWarpWin caption=$KELBO_SAMPLE" <<<"$state" || kelbo_fail "no warp window on the picture"

# Four links from the corners to a new node in the middle, one from a new node above it.
for corner in "0 0" "639 0" "639 479" "0 479"; do
  kelbo_probe drag $corner 320 240 || kelbo_fail "cannot drag over the warp window"
done
kelbo_probe drag 320 60 321 239 || kelbo_fail "cannot drag over the warp window"
kelbo_probe button WarpButton || kelbo_fail "no warping-mode button"
kelbo_probe drag 320 240 400 190 || kelbo_fail "cannot move the node"
kelbo_probe hover 321 61 || kelbo_fail "cannot hover over the node"
sleep 1

shot="${KELBO_SCREENSHOT:-$KELBO_E2E_PREFIX/warp_window.png}"
import -window root "$shot"
kelbo_screenshot_not_blank "$shot" || kelbo_fail "the screenshot is blank"
echo "screenshot: $shot"
echo "ok"
