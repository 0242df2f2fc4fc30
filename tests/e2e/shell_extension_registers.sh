#!/usr/bin/env bash
# KelboMenu.dll is a loadable COM server: regsvr32 writes its class keys
# (upper-case identifier, full module path) and regsvr32 /u removes both.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

prefix=$(mktemp -d /tmp/kelbo-e2e-XXXXXX)
trap 'wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
kelbo_wine_prefix "$prefix"

dll=$(winepath -w "$KELBO_ROOT/build/win64/bin/KelboMenu.dll")
key='HKCR\CLSID\{64E4780E-1894-4BA0-8303-B3742F026881}'

wine regsvr32 /s "$dll"
wine reg query "$key" /ve | tr -d '\r' | grep -q 'Kelbo 2.0 Context Menu library' \
  || { echo "class key missing after registration"; exit 1; }
wine reg query "$key\\InprocServer32" /ve | tr -d '\r' | grep -qi 'KelboMenu.dll' \
  || { echo "InprocServer32 missing after registration"; exit 1; }

wine regsvr32 /s /u "$dll"
if wine reg query "$key" /ve >/dev/null 2>&1; then
  echo "class key left after unregistration"; exit 1
fi
