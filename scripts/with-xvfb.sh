#!/usr/bin/env bash
# Runs a command against a private Xvfb server on a free display, then stops it.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "with-xvfb: Xvfb is not installed" >&2; exit 1; }

fifo=$(mktemp -u)
mkfifo "$fifo"
# -noreset: classic SDL 1.2 probes the display with a connection it closes at
# once; a server that resets when its last client leaves refuses the next one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset +extension GLX 3>"$fifo" 2>/dev/null &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -f "$fifo"' EXIT
read -r -t 20 display <"$fifo" || { echo "with-xvfb: Xvfb did not start" >&2; exit 1; }

export DISPLAY=":$display"
"$@"
