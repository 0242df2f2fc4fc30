# Shared by scripts/run, scripts/test and the end-to-end tests. Source it.
KELBO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export KELBO_CACHE="${KELBO_CACHE:-/var/cache/kelbo}"
export CCACHE_DIR="${CCACHE_DIR:-$KELBO_CACHE/ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
# Clones in other folders (CI's) share the cache: paths are taken relative.
export CCACHE_BASEDIR="$KELBO_ROOT"
export CCACHE_NOHASHDIR=1
export WINEDEBUG=-all
# No desktop integration, and no prompts to install Mono or Gecko in a new prefix.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="

kelbo_setup() {
  if [ "$(id -u)" -eq 0 ]; then
    "$KELBO_ROOT/scripts/setup"
  else
    sudo "$KELBO_ROOT/scripts/setup"
  fi
}

# kelbo_build PRESET [cmake -D options...]
kelbo_build() {
  local preset=$1; shift
  cmake --preset "$preset" -S "$KELBO_ROOT" "$@" >/dev/null || return 1
  cmake --build "$KELBO_ROOT/build/$preset" || return 1
}

# A ready Wine prefix at $1 (created once; wineboot waits until it is usable).
kelbo_wine_prefix() {
  export WINEPREFIX=$1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    # Debian's Wine does not find its own fonts (Marlett draws the caption buttons).
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # Xvfb has no window manager: let Wine draw captions and frames itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wineserver -w
  fi
}

# Prints the id of the top-level X window captioned exactly $1 (or, when $1
# ends in "*", captioned with what precedes it), if any.
kelbo_find_window() {
  local pattern=" \"$1\": ("
  [ "${1: -1}" = "*" ] && pattern=" \"${1%\*}"
  xwininfo -root -tree 2>/dev/null | awk -v name="$pattern" 'index($0, name) { print $1; exit }'
}

# Waits up to $2 seconds for a window captioned $1.
kelbo_wait_window() {
  local i
  for ((i = 0; i < $2 * 2; i++)); do
    [ -n "$(kelbo_find_window "$1")" ] && return 0
    sleep 0.5
  done
  return 1
}

# True when a screenshot has enough distinct colours to be more than a blank screen.
kelbo_screenshot_not_blank() {
  local colours
  colours=$(/usr/bin/convert "$1" -format '%k' info: 2>/dev/null) || return 1
  [ "${colours:-0}" -ge 8 ]
}

# For end-to-end scripts: re-runs the calling script under its own Xvfb display
# with a fresh Wine prefix, and sets KELBO_EXE, KELBO_PROBE and KELBO_SAMPLE.
kelbo_e2e_enter() {
  if [ -z "${KELBO_IN_XVFB:-}" ]; then
    local prefix status=0
    prefix=$(mktemp -d /tmp/kelbo-e2e-XXXXXX)
    KELBO_IN_XVFB=1 KELBO_E2E_PREFIX="$prefix" \
      xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@" || status=$?
    rm -rf "$prefix"
    exit "$status"
  fi
  kelbo_wine_prefix "$KELBO_E2E_PREFIX"
  KELBO_EXE="$KELBO_ROOT/build/win64/bin/kelbo.exe"
  KELBO_PROBE="$KELBO_ROOT/build/win64/bin/kelbo-probe.exe"
  KELBO_SAMPLE=$(winepath -w "$KELBO_ROOT/samples/testcard.bmp" 2>/dev/null)
  trap 'wineserver -k 2>/dev/null || true' EXIT
}

# The probe's report on the running copies, without carriage returns.
kelbo_probe() {
  wine "$KELBO_PROBE" "$@" 2>/dev/null | tr -d '\r'
}

kelbo_fail() {
  echo "FAIL: $*"
  kelbo_probe state
  exit 1
}
