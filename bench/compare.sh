#!/usr/bin/env bash
# Times kelbo-cli against libvips, ImageMagick, GraphicsMagick and libjpeg-turbo's
# djpeg/cjpeg on one noisy test card, at one and at two threads, and writes the
# table with the targets to docs/performance.md (and prints it).
#
#   bench/compare.sh [--build DIR] [--size WxH] [--runs N] [--out FILE]
#
# Every tool works in its own format, so that no one pays for another's codec:
# kelbo-cli BMP, vips its .v, ImageMagick and GraphicsMagick PPM. Each command
# runs once to warm up, then the tools of a row take turns for N rounds; a cell
# is the median wall-clock time. A tool that fails, or writes nothing, shows
# "fail" and its message goes to stderr: a failed run is never timed as a fast one.
#
# Needs imagemagick, graphicsmagick, libvips-tools, libjpeg-turbo-progs, time and
# bc (installed on first use when run as root). The scratch directory is made
# under TMPDIR (TMPDIR=/dev/shm leaves the disk out).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/native
size=6000x4000
runs=5
out=$root/docs/performance.md
noise=24

usage() { sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'; }
while (($#)); do
  case $1 in
    --build) build=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    -h | --help) usage; exit 0 ;;
    *) echo "unknown option $1" >&2; usage >&2; exit 2 ;;
  esac
done
[[ $size =~ ^([0-9]+)x([0-9]+)$ ]] || { echo "--size wants WxH, not $size" >&2; exit 2; }
width=${BASH_REMATCH[1]} height=${BASH_REMATCH[2]}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "--runs wants a whole number from 1, not $runs" >&2; exit 2; }
((runs >= 5)) || echo "note: fewer than 5 runs, for trying the script only" >&2

cli=$build/tools/cli/kelbo-cli
[[ -x $cli ]] || { echo "build $cli first (source scripts/lib.sh && kelbo_build native)" >&2; exit 1; }

need=()
command -v vips >/dev/null || need+=(libvips-tools)
[[ -x /usr/bin/convert ]] && /usr/bin/convert -version 2>/dev/null | grep -q ImageMagick || need+=(imagemagick)
command -v gm >/dev/null || need+=(graphicsmagick)
command -v djpeg >/dev/null && command -v cjpeg >/dev/null || need+=(libjpeg-turbo-progs)
[[ -x /usr/bin/time ]] || need+=(time)
command -v bc >/dev/null || need+=(bc)
if ((${#need[@]})); then
  ((EUID == 0)) || { echo "install ${need[*]} first (or run as root)" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${need[@]}" >/dev/null
fi
im=/usr/bin/convert  # ImageMagick's own, not whatever else PATH calls convert

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
w=$work
echo "preparing the ${width} x ${height} picture in $w" >&2
"$cli" testcard "$w/in.bmp" --width "$width" --height "$height" --noise "$noise" >/dev/null
"$im" "$w/in.bmp" "$w/in.ppm"
vips copy "$w/in.ppm" "$w/in.v"
cjpeg -quality 75 -optimize -outfile "$w/in.jpg" "$w/in.ppm"
printf '3 3 16 0\n1 2 1\n2 4 2\n1 2 1\n' >"$w/gauss.mat"
printf '11 1 11 0\n1 1 1 1 1 1 1 1 1 1 1\n' >"$w/box.mat"
printf '3 3 1 0\n1 0 -1\n2 0 -2\n1 0 -1\n' >"$w/sobel.mat"
picture_kib=$((width * height * 3 / 1024))
whole_limit_kib=$((picture_kib * 12 / 10))
stream_limit_kib=$((16 * 1024))

# kelbo-cli subcommands that take --threads; the others get none.
declare -A threaded=()
for sub in $("$cli" help | awk '/^subcommands:/ { on = 1; next } on && NF { print $1 }'); do
  if "$cli" help "$sub" 2>/dev/null | grep -q -- '--threads'; then threaded[$sub]=1; fi
done

# ---- timing -----------------------------------------------------------------

now_us() { echo "${EPOCHREALTIME/./}"; }

# One run of a command line (words split as the shell would, "> FILE" at the end
# sends stdout there). Sets run_us and run_kib; fails if the tool fails or
# leaves its output missing or empty.
run_once() {
  local line=$1 output=$2 sink=/dev/null
  if [[ $line == *' > '* ]]; then sink=${line##* > }; line=${line% > *}; fi
  local -a argv
  eval "argv=($line)"
  rm -f "$output"
  local t0 t1
  t0=$(now_us)
  if ! /usr/bin/time -f %M -o "$w/rss" "${argv[@]}" >"$sink" 2>"$w/err"; then
    echo "failed: $line" >&2; head -5 "$w/err" >&2; return 1
  fi
  t1=$(now_us)
  [[ -s $output ]] || { echo "no output from: $line" >&2; return 1; }
  run_us=$((t1 - t0))
  run_kib=$(tail -1 "$w/rss")
}

median() { sort -n | awk '{ v[NR] = $1 } END { m = int((NR + 1) / 2); print (NR % 2 ? v[m] : (v[m] + v[m + 1]) / 2) }'; }

# rw: kelbo's own read + write, timed in the same rounds as a row that is
# held against it, never shown as a column.
tools=(kelbo vips im gm other rw)
declare -A cmd=() outfile=() time_s=()
peak_kib=0

# Runs the commands in cmd[] (one per tool, or none), warm-up first, then $runs
# rounds in turn, and sets time_s[tool] (median, seconds, or "fail") and
# peak_kib (the kelbo run's largest peak).
measure() {
  local t i
  declare -A ok=() samples=()
  for t in "${tools[@]}"; do
    time_s[$t]=-
    [[ -n ${cmd[$t]:-} ]] || continue
    if run_once "${cmd[$t]}" "${outfile[$t]}"; then ok[$t]=1; else time_s[$t]=fail; fi
  done
  peak_kib=0
  for ((i = 0; i < runs; i++)); do
    for t in "${tools[@]}"; do
      [[ -n ${ok[$t]:-} ]] || continue
      if run_once "${cmd[$t]}" "${outfile[$t]}"; then
        samples[$t]+="$run_us "
        if [[ $t == kelbo ]] && ((run_kib > peak_kib)); then peak_kib=$run_kib; fi
      else
        unset "ok[$t]"; time_s[$t]=fail
      fi
    done
  done
  local -a vals
  for t in "${!ok[@]}"; do
    read -ra vals <<<"${samples[$t]}"
    time_s[$t]=$(printf '%s\n' "${vals[@]}" | median | awk '{ printf "%.3f", $1 / 1e6 }')
  done
}

# ---- rows -------------------------------------------------------------------

threads=1
table=""
commands=""
commands_listed=0

line() {  # operation, kelbo, vips, IM, GM, other, target, ratio, met, peak
  table+=$(printf '| %-26s | %7s | %7s | %7s | %7s | %7s | %-20s | %5s | %-4s | %14s |' "$@")$'\n'
}
rule() {
  local n
  table+="|"
  for n in 26 7 7 7 7 7 20 5 4 14; do table+=$(printf -- '-%.0s' $(seq $((n + 2))))"|"; done
  table+=$'\n'
}
ratio_of() {  # numerator, denominator, limit -> "ratio met"
  if [[ $1 =~ ^[0-9.]+$ && $2 =~ ^[0-9.]+$ ]] && [[ $(echo "$2 > 0" | bc -l) == 1 ]]; then
    local r
    r=$(echo "scale=4; $1 / $2" | bc -l)
    printf '%.2f %s' "$r" "$([[ $(echo "$r <= $3" | bc -l) == 1 ]] && echo yes || echo NO)"
  else
    echo "- -"
  fi
}

# row NAME KIND TARGETS: KIND is stream, whole or none (memory target); TARGETS
# are words TOOL:LIMIT, TOOL one of vips im gm other rw (kelbo's own read and
# write), each meaning kelbo's time <= LIMIT times TOOL's. The command lines are
# in cmd[]; the kelbo one gets --threads when its subcommand takes it.
row() {
  local name=$1 kind=$2 targets=$3 check=${4:-} t sub
  if [[ -n ${cmd[kelbo]:-} ]]; then
    sub=$(awk '{ print $2 }' <<<"${cmd[kelbo]}")
    [[ -n ${threaded[$sub]:-} ]] && cmd[kelbo]+=" --threads $threads"
  fi
  if [[ " $targets" == *" rw:"* ]]; then cmd[rw]="$cli convert $w/in.bmp $w/r.bmp" outfile[rw]=$w/r.bmp; fi
  echo "  $name" >&2
  measure
  if ((!commands_listed)); then
    commands+="- **$name**"$'\n'
    for t in "${tools[@]}"; do
      [[ -n ${cmd[$t]:-} && $t != rw ]] && commands+="  - $t: \`$(sed "s|^$cli|kelbo-cli|; s|$w|\$W|g" <<<"${cmd[$t]}")\`"$'\n'
    done
  fi
  [[ -n $check && $threads == 1 ]] && mean_check "$name"
  local peak=- first=1 entry tool limit base label rm
  local peak_used=-
  if [[ ${time_s[kelbo]} =~ ^[0-9] ]]; then peak=$(echo "scale=1; $peak_kib / 1024" | bc -l) peak_used=$peak_kib; fi
  local -a lines=()
  for entry in $targets; do
    tool=${entry%%:*} limit=${entry#*:}
    if [[ $tool == rw ]]; then base=${time_s[rw]} label="<= ${limit}x kelbo r+w"; else base=${time_s[$tool]} label="<= ${limit}x $tool"; fi
    lines+=("$label|$(ratio_of "${time_s[kelbo]}" "$base" "$limit")")
  done
  case $kind in
    stream) lines+=("peak <= 16 MiB|$(ratio_of "$peak_used" "$stream_limit_kib" 1)") ;;
    whole) lines+=("peak <= 1.2x picture|$(ratio_of "$peak_used" "$whole_limit_kib" 1)") ;;
  esac
  ((${#lines[@]})) || lines=("-|- -")
  for entry in "${lines[@]}"; do
    label=${entry%%|*} rm=${entry#*|}
    if ((first)); then
      line "$name" "${time_s[kelbo]}" "${time_s[vips]}" "${time_s[im]}" "${time_s[gm]}" "${time_s[other]}" \
        "$label" "${rm% *}" "${rm#* }" "$peak"
      first=0
    else
      line "" "" "" "" "" "" "$label" "${rm% *}" "${rm#* }" ""
    fi
  done
  cmd=() outfile=()
}

# Sets cmd/outfile for the usual four: kelbo ARGS, vips OP [ARGS], IM ARGS, GM
# ARGS (each "-" for none).
four() {
  local k=$1 v=$2 m=$3 g=$4
  [[ $k != - ]] && cmd[kelbo]="$cli ${k%% *} $w/in.bmp $w/k.bmp${k#"${k%% *}"}" outfile[kelbo]=$w/k.bmp
  [[ $v != - ]] && cmd[vips]="vips ${v%% *} $w/in.v $w/v.v${v#"${v%% *}"}" outfile[vips]=$w/v.v
  [[ $m != - ]] && cmd[im]="$im -limit thread $threads $w/in.ppm $m $w/m.ppm" outfile[im]=$w/m.ppm
  [[ $g != - ]] && cmd[gm]="gm convert -limit threads $threads $w/in.ppm $g $w/g.ppm" outfile[gm]=$w/g.ppm
  return 0
}

point="vips:1.0 rw:1.1"

# A smoothing keeps the picture's mean; a peer whose kernel went unnormalised
# would not, and its time would be for another operation.
in_mean=$(vips avg "$w/in.v")
checks=""
mean_check() {
  local t m
  for t in "${tools[@]}"; do
    [[ ${time_s[$t]} =~ ^[0-9] ]] || continue
    m=$(vips avg "${outfile[$t]}")
    if [[ $(echo "d = $m - $in_mean; d < -2 || d > 2" | bc -l) == 1 ]]; then
      checks+="- $1: the mean of $t's output is $m, the picture's $in_mean: not the same operation"$'\n'
    fi
  done
}

all_rows() {
  cmd[kelbo]="$cli convert $w/in.bmp $w/k.bmp" outfile[kelbo]=$w/k.bmp
  cmd[vips]="vips copy $w/in.v $w/v.v" outfile[vips]=$w/v.v
  cmd[im]="$im -limit thread $threads $w/in.ppm $w/m.ppm" outfile[im]=$w/m.ppm
  cmd[gm]="gm convert -limit threads $threads $w/in.ppm $w/g.ppm" outfile[gm]=$w/g.ppm
  cmd[other]="cat $w/in.bmp > $w/c.bmp" outfile[other]=$w/c.bmp
  row "read + write" whole "vips:1.0"

  four "negative" "invert" "-negate" "-negate"
  row "negative" stream "$point"
  four "gamma --linked 90" "gamma --exponent 0.9" "-gamma 0.9" "-gamma 0.9"
  row "gamma" stream "$point"
  four "grey" "colourspace b-w" "-grayscale Rec601Luma" "-colorspace GRAY"
  row "grey" stream "$point"
  four "gauss" "conv $w/gauss.mat --precision integer" \
    "-define convolve:scale=! -morphology Convolve 3x3:1,2,1,2,4,2,1,2,1" "-convolve 1,2,1,2,4,2,1,2,1"
  row "Gaussian 3x3" stream "vips:1.0" mean
  four "average --strength 5" "conv $w/box.mat --precision integer" \
    "-define convolve:scale=! -morphology Convolve Rectangle:11x1" -
  row "average 1x11" stream "vips:1.0" mean
  four "median --strength 5" "rank 11 1 5" "-statistic median 11x1" -
  row "median 11x1" stream "vips:0.25"
  four "sobel" "conv $w/sobel.mat --precision integer" \
    "-morphology Convolve 3x3:1,0,-1,2,0,-2,1,0,-1" "-convolve 1,0,-1,2,0,-2,1,0,-1"
  row "Sobel" stream "vips:1.0"
  four "hsl --hue 20 --saturation -30 --lightness 10" - "-modulate 110,70,120" "-modulate 110,70,120"
  row "HSL change" stream "gm:1.0 rw:1.1"
  four "reduce --depth 256 --method fs" - "-dither FloydSteinberg -colors 256" "-dither -colors 256"
  row "256 colours, Floyd-Stb." whole "im:1.0"

  cmd[kelbo]="$cli convert $w/in.jpg $w/k.bmp --bits 8" outfile[kelbo]=$w/k.bmp
  cmd[other]="djpeg -colors 256 -bmp -outfile $w/d.bmp $w/in.jpg" outfile[other]=$w/d.bmp
  row "JPEG -> 8-bit BMP" whole "other:1.1"
  cmd[kelbo]="$cli convert $w/in.jpg $w/k.bmp --bits 24" outfile[kelbo]=$w/k.bmp
  cmd[vips]="vips copy $w/in.jpg $w/v.v" outfile[vips]=$w/v.v
  cmd[im]="$im -limit thread $threads $w/in.jpg $w/m.ppm" outfile[im]=$w/m.ppm
  cmd[gm]="gm convert -limit threads $threads $w/in.jpg $w/g.ppm" outfile[gm]=$w/g.ppm
  # kelbo reads a JPEG reduced to 256 colours, as the program does: djpeg's
  # like is the same work; the others read true colour.
  cmd[other]="djpeg -colors 256 -bmp -outfile $w/d.bmp $w/in.jpg" outfile[other]=$w/d.bmp
  row "JPEG -> 24-bit BMP" whole "other:1.1 vips:1.0"
  cmd[kelbo]="$cli convert $w/in.bmp $w/k.jpg" outfile[kelbo]=$w/k.jpg
  cmd[vips]="vips jpegsave $w/in.v $w/v.jpg --Q 75 --optimize-coding" outfile[vips]=$w/v.jpg
  cmd[im]="$im -limit thread $threads $w/in.ppm -quality 75 $w/m.jpg" outfile[im]=$w/m.jpg
  cmd[gm]="gm convert -limit threads $threads $w/in.ppm -quality 75 $w/g.jpg" outfile[gm]=$w/g.jpg
  cmd[other]="cjpeg -optimize -quality 75 -outfile $w/c.jpg $w/in.bmp" outfile[other]=$w/c.jpg
  row "BMP -> JPEG q75" whole "other:1.1 vips:1.0"
  cmd[kelbo]="$cli convert $w/in.bmp $w/k.gif" outfile[kelbo]=$w/k.gif
  cmd[vips]="vips gifsave $w/in.v $w/v.gif" outfile[vips]=$w/v.gif
  cmd[im]="$im -limit thread $threads $w/in.ppm -dither FloydSteinberg -colors 256 $w/m.gif" outfile[im]=$w/m.gif
  cmd[gm]="gm convert -limit threads $threads $w/in.ppm -dither -colors 256 $w/g.gif" outfile[gm]=$w/g.gif
  row "BMP -> GIF" whole "vips:1.0"

  four "rotate --angle 45" "rotate 45 --interpolate bilinear --background 255" \
    "-interpolate bilinear -background white -rotate -45" "-background white -rotate -45"
  row "rotate 45, bilinear" whole "vips:1.0"
  four "shear --along-x 30" "affine '1 0.3 0 1' --interpolate bilinear" \
    "-interpolate bilinear -background white -shear 16.7x0" "-background white -shear 16.7x0"
  row "shear 30 %" whole "vips:1.0"
  four "resize --width-percent 50 --height-percent 50" "resize 0.5 --kernel linear" \
    "-interpolative-resize 50%" "-filter Triangle -resize 50%"
  row "resize 50 %, bilinear" whole "vips:1.0"
  four "resize --width-percent 200 --height-percent 200" "resize 2 --kernel linear" \
    "-interpolative-resize 200%" "-filter Triangle -resize 200%"
  row "resize 200 %, bilinear" whole "vips:1.0"

  # The effects: kelbo alone where no peer has the operation, and against
  # ImageMagick where it has a comparable one (a one-axis sine wave; a shear
  # blended half and half with the picture).
  local e
  for e in "emboss" "rectangles --x 8 --y 8" "pointillism" "painting" "mosaic" "round-photo" \
    "round-photo --inner-x 1500 --inner-y 1500 --outer-x 2500" "waves"; do
    four "$e" - - -
    row "${e/round-photo --inner-x 1500 --inner-y 1500 --outer-x 2500/round-photo 1500/1500/2500}" whole ""
  done
  four "earthquake --change-x 10" - "\\( +clone -background white -virtual-pixel background -interpolate bilinear \
-distort AffineProjection 1,0,0.1,1,0,0 \\) -compose blend -define compose:args=50 -composite" -
  row "earthquake 10 %, blend" whole ""
  four "waves --x-period 0 --x-amplitude 25 --y-amplitude 24" - "-interpolate bilinear -background white -wave 25x150" -
  row "waves, vertical 25 / 150" whole ""
}

# ---- the document -----------------------------------------------------------

first_line() { "$@" 2>&1 | head -1; }
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
doc_tables=""
for threads in 1 2; do
  echo "$threads thread(s):" >&2
  export VIPS_CONCURRENCY=$threads MAGICK_THREAD_LIMIT=$threads OMP_NUM_THREADS=$threads
  table=""
  line "operation" "kelbo" "vips" "IM" "GM" "other" "target" "ratio" "met?" "kelbo peak MiB"
  rule
  all_rows
  commands_listed=1
  doc_tables+="### $threads thread$( ((threads == 1)) || echo s)"$'\n\n'"$table"$'\n'
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

doc=$(
  cat <<EOF
# Performance against other image tools

Produced by \`bench/compare.sh\`; run it again to refresh this page. Times are
seconds of wall-clock time, the median of $runs runs after one warm-up run;
"peak" is kelbo-cli's largest resident set in MiB.

## Machine

- cores (nproc): $(nproc)
- CPU: $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
- kernel: $(uname -r)
- load average before / after: $load_before / $load_after
- kelbo-cli: $(first_line "$cli" --version)
- libvips: $(first_line vips --version)
- ImageMagick: $(first_line "$im" -version)
- GraphicsMagick: $(first_line gm version)
- libjpeg-turbo: $(first_line djpeg -version)
- scratch directory's file system: $(df --output=fstype "$work" | tail -n 1)

## Picture

\`kelbo-cli testcard --width $width --height $height --noise $noise\`: the test
card with per-channel noise of -$noise .. $noise, so that no codec or filter meets
flat areas; $width x $height x 3 bytes = $(echo "$picture_kib / 1024" | bc -l | xargs printf %.1f) MiB. Each tool
reads it in its own format, converted once beforehand: kelbo-cli a 24-bit BMP,
vips a .v file, ImageMagick and GraphicsMagick a PPM, cjpeg the BMP; the JPEG rows
read one JPEG of it made by \`cjpeg -quality 75 -optimize\`.

## Method

- Every command runs once to warm up; then the tools of a row take turns, $runs
  rounds, so that a change in the machine's load falls on all of them alike.
  The output file is deleted before each run, outside the timing.
- kelbo-cli saves safely: a temporary file, flushed to the disk, then
  renamed over the old one; the other tools write in place and flush
  nothing. On a disk that flush can be most of a run (about 0.08 s for this
  picture on a virtual disk, more than all the rest of read + write), which
  is why the scratch directory's file system is shown above.
- Wall-clock time is taken by bash's \`EPOCHREALTIME\` around
  \`/usr/bin/time -f %M\`, which gives the peak resident set of the same run.
- Threads: kelbo-cli \`--threads N\` for the subcommands that take it (the others
  run as they are); \`VIPS_CONCURRENCY\`; ImageMagick \`MAGICK_THREAD_LIMIT\` and
  \`-limit thread\`; GraphicsMagick \`OMP_NUM_THREADS\` and \`-limit threads\`;
  djpeg, cjpeg and cat have one thread.
- "ratio" is kelbo's time over the named tool's (\`kelbo r+w\`: kelbo-cli's own
  read + write, \`convert\` of the same picture, timed in the same rounds as
  the row); "peak <= 16 MiB" applies to the
  subcommands that stream a 24-bit BMP to a BMP, "peak <= 1.2x picture"
  ($(echo "$whole_limit_kib / 1024" | bc -l | xargs printf %.1f) MiB) to the others.
- "fail" means the tool exited with an error or wrote nothing; "-" that the
  tool has no such operation.
- The smoothings (Gaussian, average) are checked to keep the picture's mean in
  every tool's output: ${checks:+$'\n'}${checks:-all do.}

$doc_tables
## Why some rows miss their target

- **HSL change against kelbo's own read + write** (7.8x at one thread, 4.5x
  at two): read + write moves 69 MiB each way in about 0.05 s, close to
  \`cat\`'s 0.04 s plus one copy each way, so within 1.1x an operation has
  about 5 ms for 24 million pixels, a fifth of a nanosecond each. The other
  point operations run on a thread of their own while the calling thread
  reads and writes the file, so that negative (6 ms in memory), gamma
  (26 ms) and grey (36 ms) hide behind the file's 50 ms, at 1.02x to 1.07x
  above. The HSL change does the definition's arithmetic on every pixel
  (AVX2 four pixels at a time, AVX-512 eight where the processor has it,
  exact on all 2^24 colours): about 17 ns a pixel on this processor; it
  meets its other target, GraphicsMagick's \`-modulate\`, at 0.31x and below.
- **JPEG -> 24-bit BMP against vips**: the program reads every JPEG reduced to
  256 colours (the JPEG library's two-pass quantiser with Floyd-Steinberg),
  the work \`djpeg -colors 256\` does, which kelbo matches; vips, ImageMagick
  and GraphicsMagick decode true colour with no quantisation. Decoding alone
  (\`djpeg -bmp\`) takes about a third of kelbo's time; the rest is the
  reduction the program's reading defines.

## Command lines

\$W is the scratch directory; \`--threads\` and the thread limits follow the
table's thread count (shown here for 1).

$commands
EOF
)
mkdir -p "$(dirname "$out")"
printf '%s\n' "$doc" >"$out"
printf '%s\n' "$doc"
echo "wrote $out" >&2
