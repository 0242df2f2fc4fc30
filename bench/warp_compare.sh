#!/usr/bin/env bash
# Times kelbo-cli's mesh warp against scikit-image's piecewise affine warp on
# the same 6000 x 4000 picture and grid meshes (a 3 x 3 grid whose centre
# node moves 10 % of the width, and a 5 x 10 grid of 50 nodes), whole
# process, and renders a 100-frame morph of 1000 x 1000 with one and two
# threads. Peak memory comes from /usr/bin/time.
#
#   bench/warp_compare.sh [build/native]
#
# Needs Debian's python3-skimage (installed on first use when run as root),
# run by /usr/bin/python3.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/native}
cli=$build/tools/cli/kelbo-cli
[[ -x $cli ]] || { echo "build $cli first (scripts/test or cmake --build --preset native)" >&2; exit 1; }
if ! /usr/bin/python3 -c 'import skimage' 2>/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q python3-skimage >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" testcard "$work/in.bmp" --width 6000 --height 4000 >/dev/null
"$cli" testcard "$work/small.bmp" --width 1000 --height 1000 >/dev/null
python3 "$root/bench/warp_meshes.py" 3 3 6000 4000 "$work/g3.kmw" "$work/g3.pts"
python3 "$root/bench/warp_meshes.py" 5 10 6000 4000 "$work/g50.kmw" "$work/g50.pts"
python3 "$root/bench/warp_meshes.py" 5 10 1000 1000 "$work/m50.kmw" "$work/m50.pts"

# Best of three: seconds and peak resident kilobytes.
measure() {
  local best=999999 mem=0 t m
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>&1
    read -r t m <"$work/time"
    if (($(echo "$t < $best" | bc -l))); then best=$t; mem=$m; fi
  done
  printf '%s %s' "$best" "$((mem / 1024))"
}

echo "6000 x 4000 warp, whole process, best of 3 (seconds, peak MiB; the picture is 69 MiB)"
echo
echo "| mesh              | kelbo 1 thread | kelbo 2 threads | scikit-image | skimage/kelbo |"
echo "|-------------------|----------------|-----------------|--------------|---------------|"
for mesh in g3 g50; do
  read -r k1 km1 <<<"$(measure "$cli" warp --threads 1 --mesh "$work/$mesh.kmw" "$work/in.bmp" "$work/k.bmp")"
  read -r k2 km2 <<<"$(measure "$cli" warp --threads 2 --mesh "$work/$mesh.kmw" "$work/in.bmp" "$work/k.bmp")"
  read -r s sm <<<"$(measure /usr/bin/python3 "$root/bench/warp_skimage.py" "$work/$mesh.pts" "$work/in.bmp" "$work/s.bmp")"
  printf '| %-17s | %5s s %4s MiB | %5s s %4s MiB | %5s s %5s MiB | %13.1f |\n' "$mesh" "$k1" "$km1" "$k2" "$km2" \
    "$s" "$sm" "$(echo "$s / $k1" | bc -l)"
done
echo
echo "100-frame morph of 1000 x 1000 (50-node mesh), frames written as BMP"
for threads in 1 2; do
  read -r t m <<<"$(measure "$cli" morph --threads "$threads" --frames 100 --mesh "$work/m50.kmw" "$work/small.bmp" "$work/f")"
  printf '  %d thread(s): %s s, %.1f frames/s, peak %s MiB\n' "$threads" "$t" "$(echo "100 / $t" | bc -l)" "$m"
done
