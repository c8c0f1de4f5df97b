#!/usr/bin/env bash
# Takes a picture of every example from a real run under a private Xvfb and
# stores it as docs/examples/<name>.png; names given as arguments pick some
# of them (hello, text, actors, tiles, audio). Run it after a build; it needs
# Xvfb and xdotool (as the tests do) and python3-pil (as the generators do).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${EXAMPLE_SHOTS_INSIDE:-}" ]; then
  exec scripts/with-xvfb.sh env EXAMPLE_SHOTS_INSIDE=1 "$0" "$@"
fi
mkdir -p docs/examples

# What each example is shown doing when its picture is taken.
stage_hello() { sleep 1; xdotool keydown Right keydown Down; sleep 0.4; xdotool keyup Right keyup Down; sleep 0.3; }
stage_text() { sleep 1.5; }
stage_actors() {
  sleep 4.5
  xdotool keydown Up keydown Right; sleep 0.4; xdotool keyup Up keyup Right
  sleep 0.8
}
stage_tiles() {
  xdotool mousemove 408 216; sleep 1.2
  xdotool keydown Right; sleep 0.35; xdotool keyup Right
  xdotool key space; sleep 0.25; xdotool key space; sleep 0.2
}
stage_audio() { xdotool key Right; sleep 0.5; xdotool key 2; sleep 0.1; }

# One grabber for every picture, started once, so that no start-up time falls
# between the last key of a stage and its picture.
coproc GRABBER { /usr/bin/python3 -u -c '
import sys
from PIL import ImageGrab
for line in sys.stdin:
    x, y, width, height, path = line.split()
    x, y = int(x), int(y)
    ImageGrab.grab((x, y, x + int(width), y + int(height))).save(path, optimize=True)
    print(path)
'; }

for name in ${*:-hello text actors tiles audio}; do
  SDL_AUDIODRIVER=dummy "build/examples/example_$name" >/dev/null 2>&1 &
  pid=$!
  window=$(xdotool search --sync --name "^Torvane Quillet example: $name\$" | head -1)
  xdotool windowfocus --sync "$window"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  "stage_$name"
  echo "$X $Y $WIDTH $HEIGHT docs/examples/$name.png" >&"${GRABBER[1]}"
  read -r picture <&"${GRABBER[0]}"
  xdotool key Escape
  wait "$pid"
  echo "$picture"
done
