#!/usr/bin/env bash
# Usage: compare_traces.sh WINDOWS.jsonl LINUX.jsonl
# Whether two traces of the same run agree line for line: says on how many
# frames they do, and at the first frame where they do not, each value that
# differs. Exits 1 when they differ anywhere, in length too.
set -euo pipefail
awk '
  NR == FNR { windows[FNR] = $0; lines = FNR; next }
  FNR > lines {
    printf "  the Windows trace ends after %d lines (%d frames); the Linux one goes on\n", lines, frames
    differ = 1; exit 1
  }
  $0 != windows[FNR] {
    split($0, linux_fields, ","); n = split(windows[FNR], windows_fields, ",")
    match($0, /"frame":[0-9]+/); frame = substr($0, RSTART + 8, RLENGTH - 8)
    printf "  the Windows and the Linux game agree on %d frames; at frame %s they differ:\n", frames, frame
    for (i = 1; i <= n; i++) if (windows_fields[i] != linux_fields[i]) printf "    Windows %s, Linux %s\n", windows_fields[i], linux_fields[i]
    differ = 1; exit 1
  }
  /"event":"frame"/ { frames++ }
  END {
    if (differ) exit 1
    if (FNR == lines && frames > 0) { printf "  the Windows and the Linux game agree on all %d frames\n", frames; exit 0 }
    if (FNR == lines) { print "  neither trace holds a frame"; exit 1 }
    printf "  the Windows trace has %d lines, the Linux one %d; they agree on every line both have\n", lines, FNR
    exit 1
  }
' "$1" "$2"
