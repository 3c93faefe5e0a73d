#!/bin/sh
# Finds a route for every shipped level at each window size the tests prove
# (tests/routes/CMakeLists.txt), into tests/routes/LEVEL_WxH.txt. A level
# whose search gives up keeps its old route and is named at the end.
#   tools/level/make_routes.sh [BUILD_DIR] [LEVEL.bmp...]
set -u
build=${1:-build}
[ $# -gt 0 ] && shift
tool=$build/tools/level/sandrift-level
levels=${*:-$(ls Assets/Levels/level*.bmp)}
failed=$(mktemp)
for level in $levels; do
  for size in 1152x648 1536x864 1920x1080; do echo "$level $size"; done
done | xargs -P "${JOBS:-2}" -n 2 sh -c '
  name=$(basename "$0" .bmp); out=tests/routes/${name}_$1.txt
  if "'"$tool"'" route "$0" --window "$1" --clock-start 0 > "$out.new" 2> "${TMPDIR:-/tmp}/${name}_$1.log"; then
    mv "$out.new" "$out"; echo "$out: $(sed -n 2p "$out")"
  else
    rm "$out.new"; echo "$out: no route found (search log in ${TMPDIR:-/tmp}/${name}_$1.log)" | tee -a "'"$failed"'"
  fi'
status=0
[ -s "$failed" ] && status=1
rm -f "$failed"
exit $status
