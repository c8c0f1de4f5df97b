#!/usr/bin/env bash
# Packages the desktop build BUILD and its browser build BUILD/web-build as
# they are (scripts/package.sh --from) and checks the files each Debian package
# holds and that lintian finds no error in them; and a program built against
# the unpacked kit must log its engine's source paths as "src/engine/...".
# Usage: package-test.sh BUILD WITH-EDITOR(0|1) KIT-HEADERS (comma-separated names)
set -euo pipefail
build=$(realpath "$1")
with_editor=$2
kit_headers=$3
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../.."
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt" | tr '[:upper:]' '[:lower:]')
sysroot=usr/share/emscripten/cache/sysroot
packages=(grubnosh libtorvane-dev libtorvane-web-dev)

scripts/package.sh --from "$build"

# What the tree says a package should hold, one path a line.
expected() {
  local headers
  headers=$(tr ',' '\n' <<<"$kit_headers")
  case $1 in
    grubnosh)
      cat "$here/grubnosh.files"
      [ "$with_editor" = 1 ] && cat "$here/grubnosh-editor.files"
      (cd data && find . -type f ! -name bitfont-LICENSE.txt) | sed 's|^\./|usr/share/games/grubnosh/data/|' ;;
    libtorvane-dev)
      sed "s|MULTIARCH|$multiarch|; s|BUILDTYPE|$build_type|" "$here/libtorvane-dev.files"
      sed 's|^|usr/include/torvane/|' <<<"$headers"
      (cd "$build/docs/html" && find . -type f) | sed 's|^\./|usr/share/doc/libtorvane-dev/html/|' ;;
    libtorvane-web-dev)
      cat "$here/libtorvane-web-dev.files"
      printf '%s\nWebGaps.h\n' "$headers" | sed "s|^|$sysroot/include/torvane/|" ;;
  esac
}
# Files and links, not folders.
holds() {
  dpkg-deb --fsys-tarfile "$1" | tar -t | grep -v '/$' | sed 's|^\./||' | sort
}

failed=0
debs=()
for package in "${packages[@]}"; do
  deb=$(ls "$build"/packages/"$package"_*.deb)
  debs+=("$deb")
  if ! diff -u <(expected "$package" | sort -u) <(holds "$deb") >"$build/packages/$package.diff"; then
    echo "FAIL: $deb holds other files than expected (- expected, + found):"
    cat "$build/packages/$package.diff"
    failed=1
  fi
done

lintian_log=$build/packages/lintian.txt
lintian --pedantic "${debs[@]}" >"$lintian_log" 2>&1 || true
echo "== lintian"
cat "$lintian_log"
if grep -q '^E: ' "$lintian_log"; then
  echo "FAIL: lintian reports errors"
  failed=1
fi

unpacked=$build/packages/unpacked
rm -rf "$unpacked"
dpkg-deb -x "$build"/packages/libtorvane-dev_*.deb "$unpacked"
echo "== a program built against the unpacked kit logs src/engine/..."
# shellcheck disable=SC2046 # the flags are words
g++ -std=c++17 "$here/LoggedSourcePath.cpp" -o "$unpacked/logged-source-path" \
  $(PKG_CONFIG_PATH="$unpacked/usr/lib/$multiarch/pkgconfig" pkg-config --cflags --libs torvane)
status=0
"$unpacked/logged-source-path" >/dev/null 2>"$unpacked/stderr" || status=$?
logged=$(grep "does not contain magic word 'char'" "$unpacked/stderr" || true)
echo "status $status: $logged"
if [ "$status" != 1 ] || ! grep -Eq '^FAIL src/engine/VeskBitmapFont\.cpp:[0-9]+\) ' <<<"$logged"; then
  echo "FAIL: the packaged engine should log \"FAIL src/engine/VeskBitmapFont.cpp:<line>)\" and end with status 1"
  failed=1
fi
rm -rf "$unpacked"
exit $failed
