#!/usr/bin/env bash
# torvane-new refuses what is not a plain name for a new folder: one line on
# standard error that says why, a non-zero status, and nothing written.
# Usage: torvane-new-refusals.sh TORVANE-NEW WORK-FOLDER
set -euo pipefail
torvane_new=$1
work=$2
rm -rf "$work" && mkdir -p "$work/taken/mine" && ln -s nowhere "$work/dangling"
listing() { (cd "$work" && find . -printf '%p %s\n' | sort); }
before=$(listing)
failed=0
while IFS='|' read -r status says name; do
  got=0 arguments=("$name")
  [ "$name" != "(none)" ] || arguments=()
  (cd "$work" && "$torvane_new" "${arguments[@]}") >"$work.out" 2>"$work.err" || got=$?
  if [ "$got" != "$status" ] || [ -s "$work.out" ] || [ "$(wc -l <"$work.err")" != 1 ] ||
    ! grep -qF -- "$says" "$work.err" || [ "$(listing)" != "$before" ]; then
    echo "FAIL: torvane-new \"$name\" ended with $got, wanted $status and \"$says\"; it said: $(cat "$work.err")"
    failed=1
  fi
done <<'CASES'
2|usage: torvane-new NAME|(none)
2|is empty|
1|exists already|taken
1|exists already|dangling
1|is a folder that exists already|..
2|holds a slash|sub/game
2|starts with "-"|--help
2|starts with "."|.game
2|only letters, digits|my game
2|CMake keeps for itself|test
CASES
rm -rf "$work" "$work.out" "$work.err"
exit $failed
