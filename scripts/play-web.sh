#!/usr/bin/env bash
# Builds the browser version and serves it on this machine; open the address it
# prints. Ctrl+C stops the server. PORT chooses another port than 8000, and
# HOST=0.0.0.0 serves it to the other machines of the network (a phone, say).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh
port="${PORT:-8000}"
host="${HOST:-127.0.0.1}"
echo "Grubnosh in a browser: http://$host:$port/"
echo "The engine's examples: http://$host:$port/examples/"
exec python3 -m http.server "$port" --bind "$host" --directory build-web
