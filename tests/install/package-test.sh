#!/usr/bin/env bash
# Builds the two Debian packages, checks the files each one holds and that
# lintian finds no error in them. In CI (as root, on a throwaway machine) it
# also installs the game's package with apt-get, runs the launcher test on
# /usr/games/grubnosh, and removes the package again.
# Usage: package-test.sh LAUNCHER-TEST WITH-EDITOR(0|1)
set -euo pipefail
launcher_test=$1
with_editor=$2
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../.."
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)

scripts/package.sh
game=$(ls build/packages/grubnosh_*.deb)
kit=$(ls build/packages/libtorvane-dev_*.deb)

# What the tree says each package should hold, one path a line, sorted.
expected_game() {
  cat "$here/grubnosh.files"
  [ "$with_editor" = 1 ] && cat "$here/grubnosh-editor.files"
  (cd data && find . -type f ! -name bitfont-LICENSE.txt) | sed 's|^\./|usr/share/games/grubnosh/data/|'
}
expected_kit() {
  sed "s|MULTIARCH|$multiarch|" "$here/libtorvane-dev.files"
  (cd src/engine && ls ./*.h) | sed 's|^\./|usr/include/torvane/|'
}
# Files and links, not folders.
holds() {
  dpkg-deb --fsys-tarfile "$1" | tar -t | grep -v '/$' | sed 's|^\./||' | sort
}

failed=0
for package in game kit; do
  deb=${!package}
  if ! diff -u <("expected_$package" | sort) <(holds "$deb") >"build/packages/$package.diff"; then
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

if [ "${CI:-}" = true ] && [ "$(id -u)" = 0 ]; then
  echo "== apt-get install $game, the launcher test on /usr/games/grubnosh, apt-get remove"
  if dpkg-query -W -f='${Status}' grubnosh 2>/dev/null | grep -q "install ok installed"; then
    echo "FAIL: grubnosh is installed already; not touching it"
    exit 1
  fi
  trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq grubnosh >/dev/null' EXIT
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$game" >/dev/null
  GRUBNOSH_LAUNCHER=/usr/games/grubnosh scripts/with-xvfb.sh "$launcher_test" || failed=1
else
  echo "NOT RUN: installing the package with apt-get (only in CI, CI=true, as root)"
fi
exit $failed
