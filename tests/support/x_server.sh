#!/usr/bin/env bash
# Usage: x_server.sh WxHxDEPTH COMMAND...
# Runs COMMAND on an X server of its own. Xvfb picks a free display itself
# (-displayfd), so servers started at the same moment never take the same one,
# as xvfb-run -a's guesses can. -noreset keeps it from resetting (and dropping
# new connections) whenever its last client leaves.
set -uo pipefail
screen=$1
shift
coproc XVFB { exec Xvfb -displayfd 1 -screen 0 "$screen" -nolisten tcp -noreset 2> /dev/null; }
server=$XVFB_PID
# Xvfb writes the display's number once it accepts connections.
if ! read -r -u "${XVFB[0]}" display; then
  echo "Xvfb did not start" >&2
  exit 1
fi
DISPLAY=:$display "$@"
status=$?
kill "$server" 2> /dev/null
wait "$server" 2> /dev/null
exit $status
