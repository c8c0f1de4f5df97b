#!/usr/bin/env bash
# Builds the browser version into build-web/ (the pages, grubnosh.js, .wasm and
# data: a folder any static web server can host), after installing what is
# missing for it: Debian's emscripten, and rsvg-convert for the app's icons.
# `scripts/build-web.sh legacy` builds the previous renderer, the browser's
# general OpenGL emulation, into build-web-legacy/ instead (the bench compares them).
# `scripts/build-web.sh --into FOLDER` builds the site into FOLDER/web-site (its
# build in FOLDER/web-build) and installs nothing: the test web_Site does so in
# the test build.
set -euo pipefail
cd "$(dirname "$0")/.."
renderer=batched
if [ "${1:-}" = --into ]; then
  [ -n "${2:-}" ] || { echo "usage: $0 [legacy | --into FOLDER]" >&2; exit 2; }
  build="$2/web-build"
  site="$2/web-site"
else
  renderer="${1:-batched}"
  suffix=""
  [ "$renderer" = batched ] || suffix="-$renderer"
  build="$PWD/build-emscripten$suffix"
  site="$PWD/build-web$suffix"
  scripts/install-deps.sh --web
fi

# Debian's emscripten finds its JavaScript tools through NODE_PATH when the node
# on the path is not Debian's. It ships its system libraries prebuilt in a frozen
# cache, so any user can build without a cache of their own.
export NODE_PATH=/usr/share/nodejs
# emcmake announces the command it runs on standard error; only real errors pass.
emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DGRUBNOSH_WEB_RENDERER="$renderer" \
  -DTORVANE_WEB_SITE="$site" 2> >(grep -v '^configure: ' >&2) >/dev/null
cmake --build "$build" -j "$(nproc)"
echo "Browser build in $site ($(du -sh "$site" | cut -f1))"
