#!/usr/bin/env bash
# Installs the game's package that package-test.sh built with apt-get, runs the
# launcher test on /usr/games/grubnosh, and removes the package again. Only in
# CI (CI=true, as root, on a throwaway machine); elsewhere it is skipped (77).
# Usage: package-install-test.sh LAUNCHER-TEST
set -euo pipefail
launcher_test=$1
cd "$(dirname "$0")/../.."

if [ "${CI:-}" != true ] || [ "$(id -u)" != 0 ]; then
  echo "SKIP: installing the package with apt-get runs only in CI (CI=true, as root)"
  exit 77
fi
game=$(ls build/packages/grubnosh_*.deb)
if dpkg-query -W -f='${Status}' grubnosh 2>/dev/null | grep -q "install ok installed"; then
  echo "FAIL: grubnosh is installed already; not touching it"
  exit 1
fi
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq grubnosh >/dev/null' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$game" >/dev/null
GRUBNOSH_LAUNCHER=/usr/games/grubnosh scripts/with-xvfb.sh "$launcher_test"
