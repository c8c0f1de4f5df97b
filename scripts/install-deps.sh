#!/usr/bin/env bash
# Installs whatever of the build, test and content tools is missing (Debian 12):
# everything when called alone (scripts/test.sh), the browser tests' driver from
# npm included; with --play only what building and running the game needs
# (scripts/play.sh); with --web that and what the browser build needs
# (scripts/build-web.sh).
set -euo pipefail
scope="${1:-all}"
root="$(cd "$(dirname "$0")/.." && pwd)"

play_packages=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libglu1-mesa-dev libgl-dev
  libgl1-mesa-dri
)
web_packages=(emscripten librsvg2-bin)
test_packages=(
  chromium firefox-esr
  libsdl2-2.0-0
  libgtest-dev xvfb xauth xdotool libx11-dev
  e2fsprogs
  librsvg2-bin python3-pil fonts-dejavu-core
  clang libclang-rt-14-dev
  vorbis-tools
  dpkg-dev file lintian
  doxygen
)
case "$scope" in
  --play) packages=("${play_packages[@]}") ;;
  --web) packages=("${play_packages[@]}" "${web_packages[@]}") ;;
  all) packages=("${play_packages[@]}" "${web_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 [--play | --web]" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
# The browser tests' driver comes with npm: Debian's package, unless a Node.js
# of another origin brought its own (Debian's would not install beside it).
[ "$scope" = all ] && ! command -v npm >/dev/null && missing+=(npm)
# The tests' second pass downloads sdl12-compat with apt-get (it is never
# installed), which needs package lists; fresh images often ship with none.
have_lists=false
compgen -G '/var/lib/apt/lists/*_Packages*' >/dev/null && have_lists=true

if [ ${#missing[@]} -gt 0 ] || { ! $have_lists && [ "$scope" = all ]; }; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
fi

# The browser tests' driver, pinned by tests/web/package-lock.json, goes into the
# build folder (tests/web/browser.js looks there), so the source tree stays as
# it was; an install made from this very lock file is kept.
driver="$root/build/web-driver"
if [ "$scope" = all ] && ! cmp -s "$root/tests/web/package-lock.json" "$driver/node_modules/.installed-from-lock" 2>/dev/null; then
  mkdir -p "$driver"
  cp "$root/tests/web/package.json" "$root/tests/web/package-lock.json" "$driver/"
  (cd "$driver" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$root/tests/web/package-lock.json" "$driver/node_modules/.installed-from-lock"
fi
