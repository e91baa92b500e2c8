#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless: first the normal build,
# then the unit and game tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
bash scripts/build.sh

# Whole-game tests open real windows: give them a virtual display and a silent sound device.
# -noreset: by default the X server resets itself whenever its last client leaves, and a window
# opened by a parallel test in that moment is refused ("unable to open display").
export ALSOFT_DRIVERS=null
xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"; }

(cd build && xvfb ctest --output-on-failure -j2 "$@")

# Sanitizer pass in its own build directory; any report, leaks included, aborts the test that
# caused it. The test binaries keep the GL driver loaded to the end (see
# tests/support/keep_libraries_loaded.cpp), so its frames are named; leaks of system libraries
# are forgiven by tests/leak_suppressions.txt. The content generator is not built here: its
# tests ran in the first pass. So did the long runs, which take many times as long under the
# sanitizers and reach no code that the shorter tests leave out: the proofs that every shipped
# hole can be holed (minutes per world) and the soak of fifty course starts.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLMOOR_SANITIZE=ON -DQUILLMOOR_CONTENT=OFF >/dev/null
cmake --build build-asan -j2
# The generated data tree is the same for both builds.
[[ -d build/data && ! -e build-asan/data ]] && ln -s ../build/data build-asan/data
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/tests/leak_suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1
(cd build-asan && xvfb ctest --output-on-failure -j2 -E '^ContentGenerator\.|CourseProof\.|^Soak\.' "$@")

# Every reader of outside input replays its saved fuzz corpus: the seeds and each input that
# once made it crash, hang or leak.
bash fuzz/run.sh
