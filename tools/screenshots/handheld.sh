#!/usr/bin/env bash
# Takes the handheld pictures: every screen that matters at 1280 x 800 full
# screen (a 16:10 handheld's own screen), played with the pad as a handheld
# is. The game runs on a data folder whose settings ask for that screen, on an
# X server of that size; the pictures are stored with a palette to stay small.
set -euo pipefail
cd "$(dirname "$0")/../.."
game=${1:-build/app/sandrift}
out=docs/screenshots
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mkdir "$data/Settings"
ln -s "$PWD/Assets" "$data/Assets"
ln -s "$PWD/Shaders" "$data/Shaders"
printf '1280\n800\n1\n' > "$data/Settings/Resolution.txt"
run() {
  xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$game" --data "$data" --fixed-dt 0.0166667 --clock 1 "$@" \
    > /dev/null 2>&1
}
pad=tools/screenshots/handheld_level.txt
idle=tools/screenshots/handheld_idle.txt
run --state 0 --frames 91 --input "$idle" --screenshot "90:$out/handheld-menu.png"
run --state 1 --frames 146 --input "$pad" --screenshot "120:$out/handheld-level.png" \
  --screenshot "145:$out/handheld-pause.png"
run --state 2 --frames 6 --input "$idle" --screenshot "5:$out/handheld-controls.png"
for page in 3:credits 9:credits-about 10:credits-libraries 11:credits-team 12:credits-copyright; do
  run --state "${page%%:*}" --frames 6 --input "$idle" --screenshot "5:$out/handheld-${page#*:}.png"
done
/usr/bin/python3 - "$out"/handheld-*.png <<'PY'
import sys
from PIL import Image
for path in sys.argv[1:]:
    Image.open(path).convert("RGB").quantize(colors=128, dither=Image.Dither.NONE).save(path, optimize=True)
PY
ls "$out"/handheld-*.png
