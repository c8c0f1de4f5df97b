#!/usr/bin/env bash
# Builds the browser version and serves it on this machine; open the address it
# prints. Ctrl+C stops the server. PORT chooses another port than 8000.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh
port="${PORT:-8000}"
echo "Grubnosh in a browser: http://127.0.0.1:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build-web
