#!/usr/bin/env bash
# Usage: compare_traces.sh WINDOWS.jsonl LINUX.jsonl
# Says how far two traces of the same run agree: the number of frames that
# are the same line for line, and at the first frame that is not, each value
# that differs.
set -euo pipefail
awk '
  NR == FNR { windows[FNR] = $0; lines = FNR; next }
  $0 != windows[FNR] {
    split($0, linux_fields, ","); n = split(windows[FNR], windows_fields, ",")
    match($0, /"frame":[0-9]+/); frame = substr($0, RSTART + 8, RLENGTH - 8)
    printf "  the Windows and the Linux game agree on %d frames; at frame %s they differ:\n", frames, frame
    for (i = 1; i <= n; i++) if (windows_fields[i] != linux_fields[i]) printf "    Windows %s, Linux %s\n", windows_fields[i], linux_fields[i]
    differ = 1; exit
  }
  /"event":"frame"/ { frames++ }
  END {
    if (!differ && FNR == lines) printf "  the Windows and the Linux game agree on all %d frames\n", frames
    else if (!differ) printf "  the Windows trace has %d lines, the Linux one %d; they agree on every line both have\n", lines, FNR
  }
' "$1" "$2"
