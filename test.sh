#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless: first the normal build,
# then the unit and game tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
bash scripts/build.sh

# Whole-game tests open real windows: give them a virtual display and a silent sound device.
export ALSOFT_DRIVERS=null
xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }

(cd build && xvfb ctest --output-on-failure -j2 "$@")

# Sanitizer pass in its own build directory; any report aborts the test that caused it. Leaks are
# not checked here: the GL driver's own allocations cannot be told apart from ours once it unloads.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLMOOR_SANITIZE=ON -DQUILLMOOR_CONTENT=OFF >/dev/null
cmake --build build-asan -j2
# The generated data tree is the same for both builds.
[[ -d build/data && ! -e build-asan/data ]] && ln -s ../build/data build-asan/data
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1
(cd build-asan && xvfb ctest --output-on-failure -j2 "$@")
