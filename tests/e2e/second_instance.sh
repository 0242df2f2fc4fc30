#!/usr/bin/env bash
# A second start answered No while the first copy is minimised brings the
# first copy back restored and ends itself.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
kelbo_e2e_enter "$@"

wine "$KELBO_EXE" -S >/dev/null 2>&1 &
kelbo_wait_window "Kelbo" 90 || kelbo_fail "the first copy did not start"
sleep 1
kelbo_probe minimize
sleep 1
kelbo_probe state | grep -q '^frame visible=1 iconic=1' || kelbo_fail "the first copy is not minimised"

wine "$KELBO_EXE" -S >/dev/null 2>&1 &
second=$!
answered=""
for _ in $(seq 1 60); do
  if kelbo_probe answer "Program je už raz spustený. Spustiť druhýkrát?" 7 | grep -q '^answered'; then
    answered=yes; break
  fi
  sleep 0.5
done
[ -n "$answered" ] || kelbo_fail "the second start asked nothing"
for _ in $(seq 1 40); do kill -0 "$second" 2>/dev/null || break; sleep 0.5; done
kill -0 "$second" 2>/dev/null && kelbo_fail "the second copy did not end after No"
sleep 1
state=$(kelbo_probe state)
echo "$state"
[ "$(grep -c '^frame' <<<"$state")" -eq 1 ] || kelbo_fail "expected exactly one main window"
grep -q '^frame visible=1 iconic=0' <<<"$state" || kelbo_fail "the first copy was not restored"
echo "ok"
