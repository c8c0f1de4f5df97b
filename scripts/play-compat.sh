#!/usr/bin/env bash
# Like play.sh, but runs the game on sdl12-compat (the SDL 1.2 API over SDL2)
# instead of the system's classic SDL 1.2: the copy the build fetched for the
# tests' second pass goes first on the runtime linker's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
library_dir=$(sed -n 's/^SDL12_COMPAT_LIBRARY_DIR:PATH=//p' build/CMakeCache.txt)
if [ ! -e "$library_dir/libSDL-1.2.so.0" ]; then
  echo "play-compat: no sdl12-compat in the build (configured with -DGRUBNOSH_TEST_SDL12_COMPAT=OFF?)" >&2
  exit 1
fi
export LD_LIBRARY_PATH="$library_dir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
exec build/grubnosh
