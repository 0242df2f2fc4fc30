#!/usr/bin/env bash
# scripts/run without a display starts Kelbo under Xvfb, waits for the
# "Kelbo" main window and prints the path of a screenshot that is not blank.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

prefix=$(mktemp -d /tmp/kelbo-e2e-XXXXXX)
trap 'rm -rf "$prefix"' EXIT

out=$(env -u DISPLAY KELBO_RUN_PREFIX="$prefix" "$KELBO_ROOT/scripts/run")
shot=$(printf '%s\n' "$out" | tail -n1)
echo "screenshot: $shot"
[ -f "$shot" ] || { echo "no screenshot at '$shot'"; exit 1; }
kelbo_screenshot_not_blank "$shot" || { echo "the screenshot is blank"; exit 1; }
