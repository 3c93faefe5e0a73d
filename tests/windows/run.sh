#!/usr/bin/env bash
# Usage: tests/windows/run.sh [WINDOWS_BUILD [LINUX_BUILD]]
# The Windows zip that `make windows` made (build-windows), unpacked and run
# under Wine on an X server of its own, as a player would run it:
#   - the game passes the logos, reaches the main menu with no OpenGL error
#     and quits with exit code 0;
#   - the first level's committed route wins the level in sandrift-level.exe
#     and in the game, at the frame the route says;
#   - the Windows and the Linux build (LINUX_BUILD, default build) write the
#     same traces, line for line, on the same input: the game on the logos and
#     the menu, on a recorded menu session and on the first level's route, and
#     sandrift-level on the first, a bats' and the last level's routes. Any
#     difference fails, and its first frame is reported.
set -uo pipefail
cd "$(dirname "$0")/../.."
windows=${1:-build-windows}
linux=${2:-build}

if [ -z "${SANDRIFT_ON_DISPLAY:-}" ]; then
  SANDRIFT_ON_DISPLAY=1 exec tests/support/x_server.sh 1280x720x24 "$0" "$@"
fi

zip=$(ls "$windows"/sandrift-*-windows-x64.zip 2> /dev/null | head -n 1)
if [ -z "$zip" ]; then
  echo "No Windows zip in $windows: run make windows first"
  exit 1
fi
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
finish() {
  wineserver -k 2> /dev/null
  rm -rf "$work"
}
trap finish EXIT
unzip -q "$zip" -d "$work"
game=$(ls -d "$work"/sandrift-*-windows-x64)
repo=$(pwd)
route=$repo/tests/routes/level0_1152x648.txt
route_frames=$(sed -n 's/^# victory after \([0-9]*\) frames.*/\1/p' "$route")
wineboot -i > /dev/null 2>&1

passed=0
failed=0
check() {  # name, expected, actual
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
    passed=$((passed + 1))
  else
    echo "FAILED: $1: expected $2, got $3"
    failed=$((failed + 1))
  fi
}

# The states a trace entered, in order; the frame a state was first entered at.
states() { sed -n 's/^{"event":"state",.*"state":\([0-9]*\).*/\1/p' "$1" | paste -s -d ' '; }
frame_entering() { sed -n "s/^{\"event\":\"state\",\"frame\":\([0-9]*\),\"state\":$2[,}].*/\1/p" "$1" | head -n 1; }
# Windows writes the game's printed lines with "\r\n".
gl_errors() { tr -d '\r' < "$1" | sed -n 's/^GL errors: //p'; }

# Runs the Windows game from its own folder, as a double click does.
play() {  # name, then options
  local name=$1
  shift
  (cd "$game" && wine sandrift.exe --gl-errors --trace "$work/$name.jsonl" "$@" > "$work/$name.out" 2>&1)
}

menu_options=(--window 1152x648 --fixed-dt 0.03 --clock-start 0 --frames 200)
SANDRIFT_TRACE_HEAP=1 play menu "${menu_options[@]}"
check "the game quits with exit code 0" 0 $?
# The logo screen (6) hands over to the menu (0) after a little more than 4 s.
check "the game passes the logos (6) to the main menu (0)" "6 0" "$(states "$work/menu.jsonl")"
check "the game counts no OpenGL error" 0 "$(gl_errors "$work/menu.out")"
# The trace's heap readings on Windows: the C runtime's heap walked.
heap=$(sed -n 's/.*"heap":\(-*[0-9]*\).*/\1/p' "$work/menu.jsonl" | tail -n 1)
check "the game reads its live heap (a count of over 1 MB)" yes "$([ "${heap:-0}" -gt 1000000 ] && echo yes || echo "$heap")"

# Started from another folder (a shortcut's), the game finds its data beside its program.
(cd "$work" && wine "$game/sandrift.exe" --window 1152x648 --frames 3 > "$work/elsewhere.out" 2>&1)
check "the game started from another folder finds its data (exit code 0)" 0 "$?"

(cd "$game" && wine sandrift-level.exe play Assets/Levels/level0.bmp --input "$route" --window 1152x648 \
  --clock-start 0 --set-pieces "$repo/tests/routes/set_pieces.txt" > "$work/level.out" 2>&1)
check "sandrift-level.exe wins the first level on its route (exit 0)" 0 $?

route_options=(--state 1 --levels Assets/Levels --window 1152x648 --fixed-dt 0.016666667 --clock-start 0
  --frames $((route_frames + 10)) --input "$route")
play route "${route_options[@]}"
check "the game plays the route and quits with exit code 0" 0 $?
# The frame after the winning one shows the level once more, then the victory screen (7).
check "the game goes from the level (1) to the victory screen (7)" "1 7" "$(states "$work/route.jsonl")"
check "the game enters the victory screen at the route's frame" $((route_frames + 1)) "$(frame_entering "$work/route.jsonl" 7)"
check "the game counts no OpenGL error on the route" 0 "$(gl_errors "$work/route.out")"

# The same input gives the same trace on Windows and on Linux: the rules' sine
# and cosine are the game's own, and nothing else in them comes from the C
# library. A difference fails, with the first frame where it shows.
same_traces() {  # name, Windows trace, Linux trace
  echo "$1:"
  tests/windows/compare_traces.sh "$2" "$3"
  check "the Windows and the Linux trace agree: $1" 0 $?
}
level_trace() {  # program, level, trace (run from the unpacked game)
  local level=$2
  (cd "$game" && $1 play "Assets/Levels/$level.bmp" --input "$repo/tests/routes/${level}_1152x648.txt" \
    --window 1152x648 --clock-start 0 --set-pieces "$repo/tests/routes/set_pieces.txt" --trace "$3" > /dev/null 2>&1)
}
session=$repo/tests/windows/menu_session.txt
if [ -x "$linux/app/sandrift" ] && [ -x "$linux/tools/level/sandrift-level" ]; then
  without_heap() { sed 's/,"heap":-*[0-9]*//' "$1"; }
  SANDRIFT_TRACE_HEAP=1 "$linux/app/sandrift" --trace "$work/linux-menu.jsonl" "${menu_options[@]}" > /dev/null 2>&1
  same_traces "the logos and the main menu" <(without_heap "$work/menu.jsonl") <(without_heap "$work/linux-menu.jsonl")
  play session --input "$session"
  check "the game replays the recorded menu session and quits with exit code 0" 0 $?
  "$linux/app/sandrift" --input "$session" --trace "$work/linux-session.jsonl" > /dev/null 2>&1
  same_traces "a recorded menu session (blasts shake the view)" "$work/session.jsonl" "$work/linux-session.jsonl"
  "$linux/app/sandrift" --trace "$work/linux-route.jsonl" "${route_options[@]}" > /dev/null 2>&1
  same_traces "the first level's route in the game" "$work/route.jsonl" "$work/linux-route.jsonl"
  # The first level, one with bats (level5), the last.
  linux_level=$(cd "$linux" && pwd)/tools/level/sandrift-level
  for level in level0 level5 level18; do
    level_trace "wine sandrift-level.exe" "$level" "$work/$level.jsonl"
    level_trace "$linux_level" "$level" "$work/linux-$level.jsonl"
    same_traces "$level's route in sandrift-level" "$work/$level.jsonl" "$work/linux-$level.jsonl"
  done
else
  echo "No Linux build in $linux: the traces are not compared"
  failed=$((failed + 1))
fi

echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
