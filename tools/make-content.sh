#!/usr/bin/env bash
# Regenerates data/ from assets/: runs every generator in tools/generators in name order.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for generator in tools/generators/*; do
  [ -x "$generator" ] || continue
  echo "== $generator"
  "$generator"
done
