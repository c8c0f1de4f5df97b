#!/usr/bin/env bash
# Configures and builds into build/ from the repository root.
set -euo pipefail
cd "$(dirname "$0")/.."
# Configured for /usr, so that the package tests can package this build as it is
# (scripts/package.sh --from build); installing it elsewhere takes --prefix.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build -j "$(nproc)"
