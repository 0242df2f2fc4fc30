#!/usr/bin/env bash
# A picture changed through the menus and saved with "&Ulož" is, byte for
# byte, what kelbo-cli makes of it with the same operations: the program and
# the command line share one imaging core and one bitmap writer. A filter
# opens its result as a new document and leaves the saved picture alone.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"
# The captions are UTF-8 here; Wine hands them to the probe by the locale.
export LC_ALL=C.UTF-8

cli="$KELBO_ROOT/build/native/tools/cli/kelbo-cli"
[ -x "$cli" ] || kelbo_fail "kelbo-cli is not built ($cli)"
work="$KELBO_E2E_PREFIX/work"
mkdir -p "$work"
cp "$KELBO_ROOT/samples/testcard.bmp" "$work/obraz.bmp"
"$cli" negative "$work/obraz.bmp" "$work/negative.bmp" >/dev/null
"$cli" grey "$work/negative.bmp" "$work/expected.bmp" >/dev/null

wine "$KELBO_EXE" -S "$(winepath -w "$work/obraz.bmp")" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [obraz.bmp]" 90 || kelbo_fail "the picture did not open"
kelbo_probe menu "F&arby" "Negativ" || kelbo_fail "no menu item Negativ"
kelbo_probe menu "F&arby" "Len odtiene šedej..." || kelbo_fail "no menu item for grey scale"
kelbo_probe menu "&Subor" "&Ulož" || kelbo_fail "no menu item to save"
for _ in $(seq 60); do
  cmp -s "$work/obraz.bmp" "$work/expected.bmp" && break
  sleep 0.5
done
cmp "$work/obraz.bmp" "$work/expected.bmp" || kelbo_fail "the saved picture differs from kelbo-cli's"

kelbo_probe menu "&Filtre" "Zníženie Gaussovho šumu" || kelbo_fail "no menu item for Gaussian smoothing"
for _ in $(seq 40); do
  state=$(kelbo_probe state)
  grep -q '^document class=TChildWin caption=nepomenovaný' <<<"$state" && break
  sleep 0.5
done
echo "$state"
grep -q '^document class=TChildWin caption=nepomenovaný' <<<"$state" || kelbo_fail "the filter opened no new document"
cmp "$work/obraz.bmp" "$work/expected.bmp" || kelbo_fail "the filter changed the saved picture"
echo "ok"
