#!/usr/bin/env bash
# Takes a picture of every example from a real run under a private Xvfb and
# stores it as docs/examples/<name>.png. Run it after a build; it needs
# Xvfb and xdotool (as the tests do) and python3-pil (as the generators do).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${EXAMPLE_SHOTS_INSIDE:-}" ]; then
  exec scripts/with-xvfb.sh env EXAMPLE_SHOTS_INSIDE=1 "$0" "$@"
fi
mkdir -p docs/examples

# What each example is shown doing when its picture is taken.
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
stage_audio() { xdotool key Right; sleep 0.3; xdotool key 2; sleep 0.15; }

shoot() { # window, picture file
  eval "$(xdotool getwindowgeometry --shell "$1")"
  /usr/bin/python3 -c 'import sys; from PIL import ImageGrab
x, y, w, h = map(int, sys.argv[1:5]); ImageGrab.grab((x, y, x + w, y + h)).save(sys.argv[5], optimize=True)' \
    "$X" "$Y" "$WIDTH" "$HEIGHT" "$2"
}

for name in text actors tiles audio; do
  SDL_AUDIODRIVER=dummy "build/examples/example_$name" >/dev/null 2>&1 &
  pid=$!
  window=$(xdotool search --sync --name "^Torvane Quillet example: $name\$" | head -1)
  xdotool windowfocus --sync "$window"
  "stage_$name"
  shoot "$window" "docs/examples/$name.png"
  xdotool key Escape
  wait "$pid"
  echo "docs/examples/$name.png"
done
