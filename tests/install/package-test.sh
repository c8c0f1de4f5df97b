#!/usr/bin/env bash
# Builds the two Debian packages, checks the files each one holds and that
# lintian finds no error in them, and builds a program against the unpacked
# kit to see that the packaged engine logs its source paths as "src/engine/...".
# Then the unpacked kit's torvane-new makes a project that must build and run
# (kit-test.sh, with KIT-HELLO-TEST).
# Usage: package-test.sh WITH-EDITOR(0|1) KIT-HEADERS (comma-separated names) KIT-HELLO-TEST
set -euo pipefail
with_editor=$1
kit_headers=$2
hello_test=$3
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../.."
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

scripts/package.sh
game=$(ls build/packages/grubnosh_*.deb)
kit=$(ls build/packages/libtorvane-dev_*.deb)

# What the tree says each package should hold, one path a line.
expected_game() {
  cat "$here/grubnosh.files"
  [ "$with_editor" = 1 ] && cat "$here/grubnosh-editor.files"
  (cd data && find . -type f ! -name bitfont-LICENSE.txt) | sed 's|^\./|usr/share/games/grubnosh/data/|'
}
expected_kit() {
  sed "s|MULTIARCH|$multiarch|" "$here/libtorvane-dev.files"
  tr ',' '\n' <<<"$kit_headers" | sed 's|^|usr/include/torvane/|'
  (cd build/package-tree/docs/html && find . -type f) | sed 's|^\./|usr/share/doc/libtorvane-dev/html/|'
}
# Files and links, not folders.
holds() {
  dpkg-deb --fsys-tarfile "$1" | tar -t | grep -v '/$' | sed 's|^\./||' | sort
}

failed=0
for package in game kit; do
  deb=${!package}
  if ! diff -u <("expected_$package" | sort -u) <(holds "$deb") >"build/packages/$package.diff"; then
    echo "FAIL: $deb holds other files than expected (- expected, + found):"
    cat "build/packages/$package.diff"
    failed=1
  fi
done

lintian_log=build/packages/lintian.txt
lintian --pedantic "$game" "$kit" >"$lintian_log" 2>&1 || true
echo "== lintian"
cat "$lintian_log"
if grep -q '^E: ' "$lintian_log"; then
  echo "FAIL: lintian reports errors"
  failed=1
fi

echo "== a program built against the unpacked kit logs src/engine/..."
unpacked=build/packages/kit-unpacked
rm -rf "$unpacked"
dpkg-deb -x "$kit" "$unpacked"
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

echo "== a project made by the unpacked kit's torvane-new"
"$here/kit-test.sh" "$unpacked/usr" "$unpacked/kit-test" "$hello_test" project || failed=1
rm -rf "$unpacked"
exit $failed
