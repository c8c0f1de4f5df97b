#!/usr/bin/env bash
# Measures the real game against a bare clear-and-swap loop in the same run, under Xvfb:
# time from process start to the first frame shown, mean and 99th-percentile frame time.
# Then the browser build in headless chromium, on the same figures and more, both
# of its renderers side by side.
# Prints figures only; nothing here passes or fails on speed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
frames="${1:-3000}"
build="$root/build"
cmake --build "$build" --target grubnosh swapclock bare_loop run_recording >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$root/data" "$work/data"

# Both programs run unchanged; the preloaded swap clock records their frames and
# ends each one with a quit event after the same number of frames.
"$root/scripts/with-xvfb.sh" bash -c '
  cd "$0"
  for name in bare game; do
    program="$1/bench/bare_loop"; [ "$name" = game ] && program="$1/grubnosh"
    SDL_AUDIODRIVER=dummy SWAPCLOCK_FILE="$0/$name.swaps" SWAPCLOCK_FRAMES="$2" \
      LD_PRELOAD="$1/bench/libswapclock.so" "$program" 1000000 >/dev/null 2>&1
  done' "$work" "$build" "$frames"

summarise() { # name: frames, first frame ms, mean ms, p99 ms
  local file="$work/$1.swaps"
  local first
  first=$(head -n 1 "$file")
  [ -n "$first" ] || { echo "$1 recorded no frames" >&2; exit 1; }
  awk 'NR > 1 { print $1 - prev } { prev = $1 }' "$file" | sort -n | awk -v name="$1" -v first="$first" '
    { d[NR] = $1; sum += $1 }
    END {
      p = int(NR * 0.99); if (p < 1) p = 1
      printf "%s %d %.3f %.3f %.3f\n", name, NR, first / 1000, sum / NR / 1000, d[p] / 1000
    }'
}

{ summarise bare; summarise game; } | awk '
  { n[$1] = $2; start[$1] = $3; mean[$1] = $4; p99[$1] = $5 }
  END {
    printf "%-6s %8s %16s %10s %10s\n", "", "frames", "first frame ms", "mean ms", "p99 ms"
    split("bare game", names, " ")
    for (k = 1; k <= 2; k++) { name = names[k]
      printf "%-6s %8d %16.1f %10.3f %10.3f\n", name, n[name], start[name], mean[name], p99[name] }
    printf "%-6s %8s %16.2f %10.2f %10.2f\n", "ratio", "", start["game"] / start["bare"], mean["game"] / mean["bare"], p99["game"] / p99["bare"]
  }'

# What recording a run costs a frame, and the sizes of three-minute runs.
echo
"$build/bench/run_recording"

# The browser build in the same run, with the previous renderer beside it:
# headless chromium, navigation to first frame, then 20 seconds of play (frame
# times from the clear each frame begins with).
"$root/scripts/build-web.sh" >/dev/null
"$root/scripts/build-web.sh" legacy >/dev/null
echo
node "$root/bench/web.js" 20 "$root/build-web-legacy" "$root/build-web"
