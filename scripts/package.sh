#!/usr/bin/env bash
# Builds the Debian packages grubnosh and libtorvane-dev into build/packages/.
# They come from a build tree of their own, configured for /usr (so the kit
# lands in the multiarch library folder) with Debian's hardening build flags.
set -euo pipefail
cd "$(dirname "$0")/.."
tree=build/package-tree
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
# Given on every run, since CMake reads the environment's flags only once; and
# CPPFLAGS, where the fortify option lives, CMake does not read at all.
cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$tree" -j "$(nproc)"
(cd "$tree" && cpack >/dev/null)
mkdir -p build/packages
rm -f build/packages/*.deb
cp "$tree"/packages/*.deb build/packages/
ls build/packages/*.deb
