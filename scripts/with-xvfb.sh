#!/usr/bin/env bash
# Runs a command against a private Xvfb server on a free display, then stops it.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "with-xvfb: Xvfb is not installed" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "with-xvfb: xdotool is not installed" >&2; exit 1; }

xvfb_pid=""
fifo=$(mktemp -u)
stop_xvfb() {
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
  xvfb_pid=""
  rm -f "$fifo"
}
trap stop_xvfb EXIT

# Xvfb picks a free display itself and reports it on fd 3 once it is listening.
# -noreset: a server that resets when its last client leaves refuses connections
# made during the reset, and the tests connect and disconnect many times.
# Servers started at the same moment can still race for a display, so the first
# answer from the server is checked and a failed start is retried.
for attempt in 1 2 3; do
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset +extension GLX 3>"$fifo" 2>/dev/null &
  xvfb_pid=$!
  display=""
  read -r -t 20 display <"$fifo" || true
  if [ -n "$display" ] && DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1; then
    export DISPLAY=":$display"
    "$@"
    exit $?
  fi
  stop_xvfb
done
echo "with-xvfb: Xvfb did not start" >&2
exit 1
