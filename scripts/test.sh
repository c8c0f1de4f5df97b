#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test layer (the browser build
# is made by one of the tests, web_Site, while the others run); then runs the
# unit and gl layers again on a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, and gives the file readers a short fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
scripts/build.sh
# Most tests wait for windows, browsers and timers rather than the processors:
# twice as many run at once as there are processors, and the busiest (builds,
# browsers) count for two.
jobs=$((2 * $(nproc)))
(cd build && ctest --output-on-failure -j "$jobs" "$@")

echo "== unit and gl layers under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DGRUBNOSH_SANITIZE=ON -DGRUBNOSH_TEST_SDL12_COMPAT=OFF >/dev/null
cmake --build build-asan -j "$(nproc)" --target unit_and_gl_tests
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp"
(cd build-asan && ctest --output-on-failure -j "$(nproc)" -L '^(unit|gl)$' "$@")

echo "== short fuzzing runs of the file readers, and replays of past findings"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRUBNOSH_FUZZ=ON \
  -DGRUBNOSH_FUZZ_SECONDS=10 >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzzers
# The four runs at once: each is one process, and they end together.
(cd build-fuzz && ctest --output-on-failure -j 4 -L fuzz)
