#!/usr/bin/env bash
# Retakes the README's pictures with the game's own --screenshot, headless.
set -euo pipefail
cd "$(dirname "$0")/../.."
game=${1:-build/app/sandrift}
out=docs/screenshots
run() { xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" "$game" --window 1536x864 --fixed-dt 0.0166667 --clock 1 "$@" >/dev/null 2>&1; }
run --state 0 --frames 91 --screenshot "90:$out/menu.png"
run --state 1 --frames 81 --input tools/screenshots/level.txt --screenshot "80:$out/level.png"
echo "wrote $out/menu.png and $out/level.png"
