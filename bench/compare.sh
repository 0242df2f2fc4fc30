#!/usr/bin/env bash
# Times kelbo-cli against ImageMagick and libvips, each single-threaded, on
# one 6000 x 4000 picture, for the operations the three share. Every tool's
# time for a plain copy of the picture (read and write, no operation) is
# measured too, so the table shows the operation's own cost ("net").
#
#   bench/compare.sh [build/native]
#
# Needs imagemagick and libvips-tools (installed on first use when run as root).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/native}
cli=$build/tools/cli/kelbo-cli
[[ -x $cli ]] || { echo "build $cli first (scripts/test or cmake --build --preset native)" >&2; exit 1; }
if ! command -v vips >/dev/null || ! command -v convert >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q imagemagick libvips-tools >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" testcard "$work/in.bmp" --width 6000 --height 4000 >/dev/null
if ! vips copy "$work/in.bmp" "$work/in.v" 2>/dev/null; then
  convert "$work/in.bmp" "$work/in.ppm"
  vips copy "$work/in.ppm" "$work/in.v"
fi
printf '3 3 16 0\n1 2 1\n2 4 2\n1 2 1\n' >"$work/gauss.mat"
printf '11 1 11 0\n1 1 1 1 1 1 1 1 1 1 1\n' >"$work/box.mat"

export MAGICK_THREAD_LIMIT=1 VIPS_CONCURRENCY=1 OMP_NUM_THREADS=1

# Best of three wall-clock runs, in seconds.
best() {
  local best=999999 t
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc -l)
    if (($(echo "$t < $best" | bc -l))); then best=$t; fi
  done
  printf '%.3f' "$best"
}

k_copy=$(best "$cli" convert "$work/in.bmp" "$work/k.bmp")
m_copy=$(best convert "$work/in.bmp" "$work/m.bmp")
v_copy=$(best vips copy "$work/in.v" "$work/v.v")

row() {  # name, kelbo args, magick args, vips args
  local name=$1 k=$2 m=$3 v=$4
  local kt mt vt
  kt=$(best "$cli" $k "$work/in.bmp" "$work/k.bmp")
  mt=$(best convert "$work/in.bmp" $m "$work/m.bmp")
  vt=$(best eval "vips $v")
  printf '| %-22s | %7s | %7s | %7s | %7s | %7s | %7s | %5.1f | %5.1f |\n' "$name" \
    "$kt" "$(echo "$kt - $k_copy" | bc -l | xargs printf '%.3f')" \
    "$mt" "$(echo "$mt - $m_copy" | bc -l | xargs printf '%.3f')" \
    "$vt" "$(echo "$vt - $v_copy" | bc -l | xargs printf '%.3f')" \
    "$(echo "($mt - $m_copy) / ($kt - $k_copy + 0.001)" | bc -l)" \
    "$(echo "($vt - $v_copy) / ($kt - $k_copy + 0.001)" | bc -l)"
}

echo "6000 x 4000, single-threaded, best of 3, seconds (net = minus the tool's plain copy:"
echo "kelbo $k_copy, ImageMagick $m_copy, vips $v_copy)"
echo
echo "| operation              |   kelbo |     net |  magick |     net |    vips |     net | IM/k  | vips/k |"
echo "|------------------------|---------|---------|---------|---------|---------|---------|-------|-------|"
row "negate" "negative" "-negate" "invert $work/in.v $work/v.v"
row "3x3 Gaussian" "gauss" "-morphology Convolve 3x3:1,2,1,2,4,2,1,2,1 -define convolve:scale=!" "conv $work/in.v $work/v.v $work/gauss.mat --precision integer"
row "1x11 box average" "average --strength 5" "-define convolve:scale=! -morphology Convolve Rectangle:11x1" "conv $work/in.v $work/v.v $work/box.mat --precision integer"
row "11x1 median" "median --strength 5" "-statistic median 11x1" "rank $work/in.v $work/v.v 11 1 5"
row "Sobel" "sobel" "-define convolve:scale=! -morphology Convolve Sobel" "sobel $work/in.v $work/v.v"
row "rotate 45 bilinear" "rotate --angle 45" "-interpolate bilinear -background white -rotate -45" "rotate $work/in.v $work/v.v 45 --interpolate bilinear --background 255"
row "shear 30 %" "shear --along-x 30" "-interpolate bilinear -background white -shear 16.7x0" "affine $work/in.v $work/v.v \"1 0.3 0 1\" --interpolate bilinear"
row "resize 50 % bilinear" "resize --width-percent 50 --height-percent 50" "-interpolative-resize 50%" "resize $work/in.v $work/v.v 0.5 --kernel linear"
row "resize 200 % bilinear" "resize --width-percent 200 --height-percent 200" "-interpolative-resize 200%" "resize $work/in.v $work/v.v 2 --kernel linear"

# The effects: kelbo alone where no peer has the operation, and against
# ImageMagick where it has a comparable one (a one-axis sine wave; a shear
# blended half and half with the picture).
krow() {  # name, kelbo args[, magick args]
  local kt mt=""
  kt=$(best "$cli" $2 "$work/in.bmp" "$work/k.bmp")
  if [[ -n ${3:-} ]]; then mt=$(best eval "convert $work/in.bmp $3 $work/m.bmp"); fi
  printf '| %-30s | %7s | %7s | %7s | %s |\n' "$1" "$kt" "$(echo "$kt - $k_copy" | bc -l | xargs printf '%.3f')" \
    "${mt:--}" "$([[ -n $mt ]] && echo "$mt / $kt" | bc -l | xargs printf '%.1f' || echo -)"
}
echo
echo "| effect                         |   kelbo |     net |  magick | IM/k |"
echo "|--------------------------------|---------|---------|---------|------|"
krow "emboss" "emboss"
krow "rectangles 8 x 8" "rectangles --x 8 --y 8"
krow "pointillism (defaults)" "pointillism"
krow "painting (defaults)" "painting"
krow "mosaic (defaults)" "mosaic"
krow "round photo (defaults)" "round-photo"
krow "round photo 1500/2500" "round-photo --inner-x 1500 --inner-y 1500 --outer-x 2500"
krow "earthquake 10 % / blend" "earthquake --change-x 10" \
  "\\( +clone -background white -virtual-pixel background -interpolate bilinear -distort AffineProjection 1,0,0.1,1,0,0 \\) -compose blend -define compose:args=50 -composite"
krow "waves, vertical 25 / 150" "waves --x-period 0 --x-amplitude 25 --y-amplitude 24" \
  "-interpolate bilinear -background white -wave 25x150"
krow "waves (defaults)" "waves"
