#!/usr/bin/env bash
# Builds the Debian packages into build/packages/: grubnosh and libtorvane-dev
# from a build tree of their own, configured for /usr (so the kit lands in the
# multiarch library folder) with Debian's hardening build flags; and
# libtorvane-web-dev from the browser build of scripts/build-web.sh --into build
# (which needs emscripten: scripts/install-deps.sh --web), whose engine the
# site's programs use too. `scripts/package.sh desktop` or `web` builds only those.
# `scripts/package.sh --from FOLDER` packages builds that are there already,
# compiling nothing: the desktop build FOLDER (configured for /usr, as
# scripts/build.sh configures build/) and the browser build FOLDER/web-build,
# into FOLDER/packages/; the package tests do so.
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
case $which in
  all | desktop | web) ;;
  --from)
    from=${2:?usage: $0 --from FOLDER}
    prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$from/CMakeCache.txt" 2>/dev/null || true)
    if [ "$prefix" != /usr ]; then
      echo "$0: $from is no desktop build configured for /usr (CMAKE_INSTALL_PREFIX is '${prefix}')" >&2
      exit 1
    fi
    [ -f "$from/web-build/CPackConfig.cmake" ] || { echo "$0: no browser build in $from/web-build" >&2; exit 1; }
    rm -f "$from"/packages/*.deb
    (cd "$from" && cpack >/dev/null)
    (cd "$from/web-build" && cpack >/dev/null)
    cp "$from"/web-build/packages/libtorvane-web-dev_*.deb "$from/packages/"
    ls "$from"/packages/*.deb
    exit 0 ;;
  *) echo "usage: $0 [desktop | web | --from FOLDER]" >&2; exit 2 ;;
esac
mkdir -p build/packages

if [ "$which" != web ]; then
  tree=build/package-tree
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  # Given on every run, since CMake reads the environment's flags only once; and
  # CPPFLAGS, where the fortify option lives, CMake does not read at all.
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
  cmake --build "$tree" -j "$(nproc)"
  (cd "$tree" && cpack >/dev/null)
  rm -f build/packages/grubnosh_*.deb build/packages/libtorvane-dev_*.deb
  cp "$tree"/packages/*.deb build/packages/
fi

if [ "$which" != desktop ]; then
  scripts/build-web.sh --into build >/dev/null
  (cd build/web-build && cpack >/dev/null)
  rm -f build/packages/libtorvane-web-dev_*.deb
  cp build/web-build/packages/libtorvane-web-dev_*.deb build/packages/
fi
ls build/packages/*.deb
