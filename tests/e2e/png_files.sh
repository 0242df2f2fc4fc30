#!/usr/bin/env bash
# PNG files written by another program (ImageMagick): an interlaced RGBA one
# opens in a document with no error, and kelbo-cli takes them through a
# round trip to exactly the pixels ImageMagick reads.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

cli="$KELBO_ROOT/build/native/tools/cli/kelbo-cli"
dir="$KELBO_E2E_PREFIX/png"
mkdir -p "$dir"
sample="$KELBO_ROOT/samples/testcard.bmp"
# Opaque RGB, a 4-bit palette and 16-bit RGB with an alpha ramp, interlaced.
convert "$sample" "PNG24:$dir/rgb.png"
convert "$sample" -colors 16 "PNG8:$dir/palette.png"
convert "$sample" -depth 16 -alpha set -channel A -evaluate set 50% +channel -interlace PNG "PNG64:$dir/alpha.png"
for name in rgb palette; do
  "$cli" convert --bits keep "$dir/$name.png" "$dir/$name-kelbo.png" >/dev/null || kelbo_fail "kelbo-cli could not convert $name.png"
  diff=$(compare -metric AE "$dir/$name.png" "$dir/$name-kelbo.png" null: 2>&1 || true)
  [ "$diff" = 0 ] || kelbo_fail "$name.png: $diff pixels differ after the round trip"
done
# Half alpha over white: ImageMagick's own composition agrees to within one step.
"$cli" convert "$dir/alpha.png" "$dir/alpha-kelbo.bmp" >/dev/null || kelbo_fail "kelbo-cli could not read alpha.png"
convert "$dir/alpha.png" -background white -flatten -depth 8 "BMP3:$dir/alpha-magick.bmp"
diff=$(compare -metric AE -fuzz 1% "$dir/alpha-magick.bmp" "$dir/alpha-kelbo.bmp" null: 2>&1 || true)
[ "$diff" = 0 ] || kelbo_fail "alpha.png composed over white differs in $diff pixels"

picture=$(winepath -w "$dir/alpha.png" 2>/dev/null)
wine "$KELBO_EXE" "$picture" >/dev/null 2>&1 &
kelbo_wait_window "Kelbo [alpha.png]" 90 || kelbo_fail "the PNG did not open in a document"
sleep 1
state=$(kelbo_probe state)
echo "$state"
grep -qF "caption=$picture" <<<"$state" || kelbo_fail "no document for the PNG"
[ "$(xwininfo -root -tree | grep -c '"Kelbo": ')" -le 1 ] || kelbo_fail "an error box appeared"
echo "ok"
