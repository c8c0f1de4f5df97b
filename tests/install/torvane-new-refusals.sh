#!/usr/bin/env bash
# torvane-new refuses what is not a plain name for a new folder: one line on
# standard error that says why, a non-zero status, and nothing written.
# Usage: torvane-new-refusals.sh TORVANE-NEW WORK-FOLDER
set -euo pipefail
torvane_new=$1
work=$2
rm -rf "$work"
mkdir -p "$work/taken"
echo mine >"$work/taken/notes"
ln -s nowhere "$work/dangling"
before=$(cd "$work" && find . -printf '%p %s\n' | sort)

failed=0
refused() { # status, what the message says, then the arguments
  local status=$1 says=$2 got=0
  shift 2
  (cd "$work" && "$torvane_new" "$@") >"$work.out" 2>"$work.err" || got=$?
  if [ "$got" != "$status" ] || [ -s "$work.out" ] || [ "$(wc -l <"$work.err")" != 1 ] ||
    ! grep -qF -- "$says" "$work.err" || [ "$(cd "$work" && find . -printf '%p %s\n' | sort)" != "$before" ]; then
    echo "FAIL: torvane-new $* ended with $got, wanted $status and one line with \"$says\"; it said: $(cat "$work.err")"
    failed=1
  fi
}
refused 2 "usage: torvane-new NAME"
refused 2 "usage: torvane-new NAME" one two
refused 2 "is empty" ""
refused 1 "exists already" taken
refused 1 "exists already" dangling
refused 1 "is a folder that exists already" .
refused 1 "is a folder that exists already" ..
refused 2 "holds a slash" sub/game
refused 2 "holds a slash" /tmp/game
refused 2 'starts with "-"' --help
refused 2 'starts with "."' .game
refused 2 "only letters, digits" "my game"
refused 2 "only letters, digits" 'game;rm'
refused 2 "only letters, digits" 'ga$me'
refused 2 "only letters, digits" jeu-été
refused 2 "CMake keeps for itself" test
rm -rf "$work" "$work.out" "$work.err"
exit $failed
