#!/usr/bin/env bash
# Kelbo's first run copies KelboMenu.dll to the Windows folder and registers
# it; the shell's steps then find the "Kelbo" item through that copy.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

wine "$KELBO_EXE" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo*" 90 || kelbo_fail "Kelbo did not start"
sleep 2
wineserver -k || true
sleep 1

# A probe of its own folder: beside the build's KelboMenu.dll it would load that one.
mkdir -p "$KELBO_E2E_PREFIX/alone"
cp "$KELBO_PROBE" "$KELBO_E2E_PREFIX/alone/kelbo-probe.exe"
out=$(wine "$KELBO_E2E_PREFIX/alone/kelbo-probe.exe" contextmenu 'C:\pictures\a b.bmp' 2>/dev/null | tr -d '\r')
echo "$out"
grep -q '^item Kelbo from ' <<<"$out" || kelbo_fail "no Kelbo item through the registered class"
grep -qi 'windows\\kelbomenu.dll$' <<<"$out" || kelbo_fail "the item did not come from the copy in the Windows folder"
echo "ok"
