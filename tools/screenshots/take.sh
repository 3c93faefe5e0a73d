#!/usr/bin/env bash
# Retakes the README's pictures with the game's own --screenshot, headless.
set -euo pipefail
cd "$(dirname "$0")/../.."
game=${1:-build/app/sandrift}
out=docs/screenshots
run() { xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$game" "$@" >/dev/null 2>&1; }
run --window 1536x864 --fixed-dt 0.0166667 --clock 1 --state 0 --frames 91 --screenshot "90:$out/menu.png"
run --window 1536x864 --fixed-dt 0.0166667 --clock 1 --state 1 --frames 81 --input tools/screenshots/level.txt --screenshot "80:$out/level.png"
echo "wrote $out/menu.png and $out/level.png"

# The animated picture: six seconds of Breaking Ground on its committed
# route (rockets break the floor under the sand bin, the sand pours down the
# pot-hole and heaps in the cave the player drops into), every fifth frame,
# played alone from a folder of one level.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/levels" "$work/frames"
cp Assets/Levels/level3.bmp "$work/levels/level0.bmp"
sed -n 4p Assets/Levels/levelNames.txt > "$work/levels/levelNames.txt"
first=500 last=880 every=5
shots=()
for ((f = first; f <= last; f += every)); do shots+=(--screenshot "$f:$(printf '%s/frames/%04d.png' "$work" "$f")"); done
run --window 1152x648 --fixed-dt 0.0166666675 --clock-start 0 --state 1 --levels "$work/levels" --input tests/routes/level3_1152x648.txt \
  --frames $((last + 1)) "${shots[@]}"
/usr/bin/python3 tools/screenshots/animate.py "$work/frames" "$out/play.gif" $((every * 1000 / 60))

# One moment of a level of each group on its route, as its set piece
# happens: LEVEL:FRAME:PICTURE.
for shot in 2:1500:fire-below 8:900:rifle-ridge 10:420:sluice 12:1800:foundry 14:2000:glacier 16:900:sand-sea; do
  IFS=: read -r level frame name <<< "$shot"
  rm -rf "$work/levels" && mkdir "$work/levels"
  cp "Assets/Levels/level$level.bmp" "$work/levels/level0.bmp"
  sed -n "$((level + 1))p" Assets/Levels/levelNames.txt > "$work/levels/levelNames.txt"
  run --window 1152x648 --fixed-dt 0.0166666675 --clock-start 0 --state 1 --levels "$work/levels" \
    --input "tests/routes/level${level}_1152x648.txt" --frames $((frame + 1)) --screenshot "$frame:$out/$name.png"
done
echo "wrote $out/play.gif and the groups' pictures"
