#!/usr/bin/env bash
# Builds the hello example the kit installs, outside the tree and against the
# installed prefix, warnings as errors: hello with pkg-config, and again with
# the examples' own CMake project (find_package(Torvane)); the tree's build
# already compiles the others from the same headers. Then runs both builds of
# hello under a private Xvfb from the installed examples folder, where the font
# has to come from the kit: each must open its window, write its line, move
# its pig and end with status 0 on Escape (KitHelloTest). Every installed
# header must compile on its own, and both ways must give the same
# definitions and include folders.
# Usage: kit-test.sh PREFIX WORK-FOLDER KIT-HELLO-TEST
set -euo pipefail
prefix=$(realpath -m "$1")
work=$(realpath -m "$2")
hello_test=$3
here=$(cd "$(dirname "$0")" && pwd)
xvfb="$here/../../scripts/with-xvfb.sh"

rm -rf "$work"
mkdir -p "$work"
pc_file=$(find "$prefix" -name torvane.pc)
[ -n "$pc_file" ] || { echo "kit-test: no torvane.pc under $prefix" >&2; exit 1; }
export PKG_CONFIG_PATH="$(dirname "$pc_file")${PKG_CONFIG_PATH:+:$PKG_CONFIG_PATH}"
examples="$(dirname "$(pkg-config --variable=font torvane)")/examples"
[ -f "$examples/hello.cpp" ] || { echo "kit-test: no examples in $examples" >&2; exit 1; }
[ -f "$(pkg-config --variable=sprites torvane)/5.png" ] || { echo "kit-test: torvane.pc names no sprites" >&2; exit 1; }

# The definitions and include folders among compile flags, one a line, with
# -isystem read as -I and the folders resolved.
compile_flags() {
  sed 's/-isystem /-I/g' | tr ' ' '\n' | while read -r word; do
    case $word in
      -I*) echo "-I$(realpath -m "${word#-I}")" ;;
      -D*) echo "$word" ;;
    esac
  done | sort -u
}

echo "== pkg-config"
for header in "$prefix"/include/torvane/*.h; do
  # shellcheck disable=SC2046 # the flags are words
  echo "#include \"${header##*/}\"" | g++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -x c++ - $(pkg-config --cflags torvane)
done
# shellcheck disable=SC2046 # the flags are words
g++ -std=c++17 -Wall -Wextra -Werror "$examples/hello.cpp" -o "$work/hello" $(pkg-config --cflags --libs torvane)

echo "== find_package(Torvane)"
cmake -S "$examples" -B "$work/cmake" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_FLAGS="-Wall -Wextra -Werror" \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build "$work/cmake" -j 2 --target example_hello
if ! diff -u <(pkg-config --cflags torvane | compile_flags) \
  <(grep -m1 '"command"' "$work/cmake/compile_commands.json" | compile_flags); then
  echo "kit-test: torvane.pc (-) and Torvane::torvane (+) give different compile flags" >&2
  exit 1
fi

echo "== hello, run from $examples"
hello="Torvane Quillet example: hello"
KIT_RUNS="$examples $work/hello $hello
$examples $work/cmake/example_hello $hello" "$xvfb" "$hello_test"

rm -rf "$work"
echo "kit-test: both builds ran"
