#!/usr/bin/env bash
# A session played through the real window events (xdotool on a private Xvfb,
# so no other window takes the keys) on the real clock is recorded with
# --record and replayed with --input: the replay's trace and pictures must be
# the session's, and a recording cut short must replay to the same frames and
# stop where it ends.
set -euo pipefail
game=$1 data=$2
[ "${3:-}" = inner ] || exec "$(dirname "$0")/../support/x_server.sh" 1280x1024x24 bash "$0" "$game" "$data" inner

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*"; exit 1; }

# The world on the pictures follows its clock, which the trace does not show.
shots() { for f in $(seq 20 20 6000); do echo "--screenshot $f:$1/$f.png"; done; }
mkdir played replayed
timeout 60 "$game" --data "$data" --window 768x432 --record session.txt --trace played.jsonl $(shots played) \
  > played.txt 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Sandrift$' | head -1)
[ -n "$window" ] || { cat played.txt; fail "the game's window did not appear"; }
# The menu reads buttons as held, so a click lasts a few frames.
click() { xdotool mousemove --window "$window" "$1" "$2" mousedown 1; sleep 0.1; xdotool mouseup 1; }

# Skip the logos, walk right, then Quit (its rocket must go off first) and confirm.
xdotool mousemove --window "$window" 300 200
sleep 0.5
xdotool key space
sleep 0.3
xdotool keydown d
sleep 0.6
xdotool keyup d
sleep 0.5
# On a loaded machine the logos may still show when the first clicks come, so
# Quit and its confirmation are clicked again until the game has gone.
for _ in $(seq 25); do
  click 614 302
  sleep 1
  kill -0 "$pid" 2> /dev/null || break
  click 461 259
  sleep 0.5
  kill -0 "$pid" 2> /dev/null || break
done
wait "$pid" || { cat played.txt; fail "the recorded session did not end by its quit button"; }
grep -q "key D press" session.txt || fail "the recording has no key press: $(head -c 400 session.txt)"
grep -q "mouse LEFT press" session.txt || fail "the recording has no click"
# The session lasts more than three seconds of its clock, whatever the load.
clocks=$(grep -c '^[0-9]* clock ' session.txt || true)
[ "$clocks" -ge 2 ] || fail "the recording has $clocks changes of the clock, not 2 or more"

"$game" --data "$data" --input session.txt --trace replayed.jsonl $(shots replayed) > replayed.txt 2>&1 ||
  { cat replayed.txt; fail "the replay did not run"; }
cmp -s played.jsonl replayed.jsonl || { diff played.jsonl replayed.jsonl | head -5 || true; fail "the replay's trace differs"; }
[ "$(ls played)" = "$(ls replayed)" ] || fail "pictures of frames $(ls played | tr '\n' ' ') played, $(ls replayed | tr '\n' ' ') replayed"
for shot in played/*.png; do
  cmp -s "$shot" "re$shot" || fail "frame $(basename "$shot" .png) looks different in the replay"
done

# Cut after the frame the key came up; the replay must stop there by itself.
cut=$(awk '$2 == "key" && $3 == "D" && $4 == "release" { print $1; exit }' session.txt)
sed "/^$cut dt /q" session.txt > cut.txt
timeout 60 "$game" --data "$data" --input cut.txt --trace cut.jsonl > cut_run.txt 2>&1 || { cat cut_run.txt; fail "the cut replay did not end by itself"; }
sed "/\"event\":\"frame\",\"frame\":$cut,/q" played.jsonl > played_cut.jsonl
cmp -s played_cut.jsonl cut.jsonl || fail "the cut replay's trace is not the session's first $cut frames"
# A clock started at 1000 moves on a second every 60 steps of 1/60 s, as a
# player's does, and the recording says at which frame.
"$game" --data "$data" --window 768x432 --fixed-dt 0.016666668 --clock-start 1000 --frames 130 --record started.txt \
  > started_run.txt 2>&1 || { cat started_run.txt; fail "the session on a started clock did not run"; }
started=$(awk '$1 == "clock" || $2 == "clock" { printf "%s ", $0 }' started.txt)
[ "$started" = "clock 1000 60 clock 1001 120 clock 1002 " ] || fail "the started clock read: $started"
echo "ok: $(grep -c '"event":"frame"' played.jsonl) recorded frames over $clocks clock changes replay to the same trace and pictures"
