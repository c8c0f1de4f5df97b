#!/usr/bin/env bash
# Builds the kit's example outside the tree against an installed prefix, once
# with pkg-config and once with find_package(Torvane), warnings as errors, and
# runs each under a private Xvfb: both must open their window, write their line
# in the kit's font and end with status 0.
# Usage: kit-test.sh PREFIX WORK-FOLDER
set -euo pipefail
prefix=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
xvfb="$here/../../scripts/with-xvfb.sh"
export SDL_AUDIODRIVER=dummy

rm -rf "$work"
mkdir -p "$work"
pc_file=$(find "$prefix" -name torvane.pc)
[ -n "$pc_file" ] || { echo "kit-test: no torvane.pc under $prefix" >&2; exit 1; }
export PKG_CONFIG_PATH="$(dirname "$pc_file")${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}"

echo "== pkg-config"
font=$(pkg-config --variable=font torvane)
# shellcheck disable=SC2046 # the flags are words
g++ -std=c++17 -Wall -Wextra -Werror "$here/kit/hello.cpp" -o "$work/hello" $(pkg-config --cflags --libs torvane)
"$xvfb" "$work/hello" "$font"

echo "== find_package(Torvane)"
cmake -S "$here/kit" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" >/dev/null
cmake --build "$work/cmake"
"$xvfb" cmake --build "$work/cmake" --target run

rm -rf "$work"
echo "kit-test: both builds ran"
