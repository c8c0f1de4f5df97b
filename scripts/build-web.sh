#!/usr/bin/env bash
# Builds the browser version into build-web/ (index.html, grubnosh.js, .wasm,
# .data: a folder any static web server can host), after installing what is
# missing for it and its tests: Debian's emscripten and chromium, rsvg-convert
# for the app's icons, npm, and the test driver from tests/web/package-lock.json.
# `scripts/build-web.sh legacy` builds the previous renderer, the browser's
# general OpenGL emulation, into build-web-legacy/ instead (the bench compares them).
set -euo pipefail
cd "$(dirname "$0")/.."
renderer="${1:-batched}"
suffix=""
[ "$renderer" = batched ] || suffix="-$renderer"

scripts/install-deps.sh --web

# The lock file pins the driver; an install made from this very lock file is kept.
if ! cmp -s tests/web/package-lock.json tests/web/node_modules/.installed-from-lock 2>/dev/null; then
  (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
  cp tests/web/package-lock.json tests/web/node_modules/.installed-from-lock
fi

# Debian's emscripten finds its JavaScript tools through NODE_PATH when the node
# on the path is not Debian's. It ships its system libraries prebuilt in a frozen
# cache, so any user can build without a cache of their own.
export NODE_PATH=/usr/share/nodejs
# emcmake announces the command it runs on standard error; only real errors pass.
emcmake cmake -S . -B "build-emscripten$suffix" -DCMAKE_BUILD_TYPE=Release -DGRUBNOSH_WEB_RENDERER="$renderer" \
  -DGRUBNOSH_WEB_SITE="$PWD/build-web$suffix" 2> >(grep -v '^configure: ' >&2) >/dev/null
cmake --build "build-emscripten$suffix" -j "$(nproc)"
echo "Browser build in build-web$suffix/ ($(du -sh "build-web$suffix" | cut -f1))"
