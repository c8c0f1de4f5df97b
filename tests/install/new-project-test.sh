#!/usr/bin/env bash
# The kits as their Debian packages install them (libtorvane-dev and
# libtorvane-web-dev from PACKAGES, unpacked into a private root): their
# torvane-new makes a project, which is built with the two commands of its
# README, warnings as errors: for the desktop, where it must do what hello does
# (KitHelloTest), and for the browser, where its page must move the pig while
# the named key is held (new-project-page.test.js). Each command builds and
# then starts: the test starts the desktop game under a private Xvfb and serves
# the site folder the browser's command names itself. The root stands for /, so
# the test names it to cmake and emcmake as the README says a prefix of one's
# own is named.
# Usage: new-project-test.sh PACKAGES WORK-FOLDER KIT-HELLO-TEST
set -euo pipefail
packages=$(realpath "$1")
work=$(realpath -m "$2")
hello_test=$3
here=$(cd "$(dirname "$0")" && pwd)
name=star-catcher

rm -rf "$work"
mkdir -p "$work"
for package in libtorvane-dev libtorvane-web-dev; do
  dpkg-deb -x "$(ls "$packages/${package}"_*.deb)" "$work/root"
done
prefix=$work/root/usr
(cd "$work" && "$prefix/bin/torvane-new" "$name")
cd "$work/$name"
mapfile -t commands < <(sed -n '/^```sh$/,/^```$/{/^```/d;p;}' README.md)
[ "${#commands[@]}" = 2 ] || { echo "new-project-test: $name/README.md gives no desktop and browser commands" >&2; exit 1; }
desktop=${commands[0]}
browser=${commands[1]}
export CXXFLAGS="-Wall -Wextra -Werror"

echo "== for the desktop: ${desktop% && *}"
CMAKE_PREFIX_PATH="$prefix" sh -c "${desktop% && *}"
KIT_RUNS="$work/$name ${desktop##* && } $name" "$here/../../scripts/with-xvfb.sh" "$hello_test"

echo "== for the browser: ${browser% && *}"
# Debian's emscripten finds its JavaScript tools so when the node on the path is not Debian's.
export NODE_PATH=/usr/share/nodejs
build=${browser% && *}
sh -c "${build/emcmake cmake/emcmake cmake -DCMAKE_FIND_ROOT_PATH=$prefix/share/emscripten/cache/sysroot}" \
  2> >(grep -v '^configure: ' >&2) >/dev/null
site=${browser##* -d }
[ -f "$site/index.html" ] || { echo "new-project-test: no page in $site, where the README serves it from" >&2; exit 1; }
echo "page: $(du -cb "$site/$name".{js,wasm} "$site/$name".*.data | tail -1 | cut -f1) bytes of program and data"
GRUBNOSH_WEB_SITE="$PWD/$site" PROJECT=$name node --test "$here/new-project-page.test.js"
rm -rf "$work"
