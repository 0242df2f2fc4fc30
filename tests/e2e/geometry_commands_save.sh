#!/usr/bin/env bash
# The mirrors of "Úpravy" change the document in place, and what "&Ulož"
# writes is, byte for byte, what kelbo-cli mirror-x and mirror-y make; the
# rotation opens its result as a new document.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"
export LC_ALL=C.UTF-8

cli="$KELBO_ROOT/build/native/tools/cli/kelbo-cli"
[ -x "$cli" ] || kelbo_fail "kelbo-cli is not built ($cli)"
work="$KELBO_E2E_PREFIX/work"
mkdir -p "$work"
cp "$KELBO_ROOT/samples/testcard.bmp" "$work/obraz.bmp"
"$cli" mirror-x "$work/obraz.bmp" "$work/upside.bmp" >/dev/null
"$cli" mirror-y "$work/upside.bmp" "$work/expected.bmp" >/dev/null

wine "$KELBO_EXE" -S "$(winepath -w "$work/obraz.bmp")" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [obraz.bmp]" 90 || kelbo_fail "the picture did not open"
kelbo_probe menu "Ú&pravy" "Zrkadlo na osi &X" || kelbo_fail "no menu item for the X mirror"
kelbo_probe menu "Ú&pravy" "Zrkadlo na osi &Y" || kelbo_fail "no menu item for the Y mirror"
kelbo_probe menu "&Subor" "&Ulož" || kelbo_fail "no menu item to save"
for _ in $(seq 60); do
  cmp -s "$work/obraz.bmp" "$work/expected.bmp" && break
  sleep 0.5
done
cmp "$work/obraz.bmp" "$work/expected.bmp" || kelbo_fail "the saved picture differs from kelbo-cli's"
echo "ok"
