#!/bin/sh
# How many times faster than real time the level tool plays every committed
# route headless: seconds of play over seconds of CPU (user + system, level
# loading included). Give one or more sandrift-level binaries to compare them
# in the same run, e.g.
#   bench/route_speed.sh build/tools/level/sandrift-level /tmp/old/sandrift-level
# Run from the repository's root.
set -e
for tool in "$@"; do
  total_play=0
  total_cpu=0
  for route in tests/routes/level*_*.txt; do
    name=$(basename "$route" .txt)
    level=${name%_*}
    size=${name##*_}
    start=$(awk '{print $16 + $17}' /proc/$$/stat)  # finished children's CPU so far, in clock ticks
    line=$("$tool" play "Assets/Levels/$level.bmp" --input "$route" --window "$size" --clock-start 0 | head -n 1)
    end=$(awk '{print $16 + $17}' /proc/$$/stat)
    play=$(echo "$line" | sed -n 's/.*(\([0-9.]*\) s of play).*/\1/p')
    ticks=$((end - start))
    total_play=$(echo "$total_play + $play" | bc)
    total_cpu=$((total_cpu + ticks))
    echo "$tool $name: $play s of play in $ticks ticks"
  done
  hz=$(getconf CLK_TCK)
  echo "$tool: all routes $total_play s of play in $(echo "scale=2; $total_cpu / $hz" | bc) s of CPU:" \
       "$(echo "scale=0; $total_play * $hz / $total_cpu" | bc) x real time"
done
