#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless: first the normal
# build, then the unit and game tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the fuzz corpus replay. Every pass runs even when one before it failed; the failures are
# listed at the end, and any failure makes the exit status non-zero.
set -uo pipefail
cd "$(dirname "$0")"
root=$(pwd)
failed=()
pass() {
  local name=$1
  shift
  echo "== $name"
  "$@" || failed+=("$name")
}

# Whole-game tests open real windows: give them a virtual display and a silent sound device.
# -noreset: by default the X server resets itself whenever its last client leaves, and a window
# opened by a parallel test in that moment is refused ("unable to open display").
export ALSOFT_DRIVERS=null
xvfb() { xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"; }

normal() {
  bash scripts/build.sh && (cd build && xvfb ctest --output-on-failure -j2 "$@")
}

# The sanitizer build has its own directory; any report, leaks included, aborts the test that
# caused it. The test binaries keep the GL driver loaded to the end (see
# tests/support/keep_libraries_loaded.cpp), so its frames are named; leaks of system libraries
# are forgiven by tests/leak_suppressions.txt. Only the game and its tests are built: the content
# generator and its tests ran in the first pass, and so did the proofs that every shipped hole
# can be holed (minutes per world) and the whole games of computer players (their turns last as
# long as their searches), which reach no code the shorter tests leave out. The run that opens a
# window larger than its screen is left out too: there the leak checker's own thread crashes at
# exit ("Tracer caught signal 11") in most runs, before it has checked anything.
sanitized() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLMOOR_SANITIZE=ON -DQUILLMOOR_CONTENT=OFF >/dev/null &&
    cmake --build build-asan -j2 --target quillmoor_tests || return 1
  # The generated data tree is the same for both builds.
  [[ -d build/data && ! -e build-asan/data ]] && ln -s ../build/data build-asan/data
  (cd build-asan &&
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
      LSAN_OPTIONS=suppressions=$root/tests/leak_suppressions.txt:print_suppressions=0 \
      UBSAN_OPTIONS=print_stacktrace=1 &&
    { xvfb ctest --output-on-failure -j2 -E '^ContentGenerator\.|CourseProof\.|^ComputerGame\.|^WholeProgram\.AnExistingConfiguration' "$@" ||
      { onlyLeakCheckerCrashes Testing/Temporary/LastTest.log && xvfb ctest --output-on-failure --rerun-failed; }; })
}

# Rarely, in any test that drew with the GL driver, the leak checker's own thread crashes at exit
# ("Tracer caught signal 11") after the test has passed and before anything was checked. True when
# every failed test of the last run failed only so: those run once more, and any other failure
# stands as it is.
onlyLeakCheckerCrashes() {
  awk '
    /^[0-9]+\/[0-9]+ Testing: / { name = $3; crashed = 0; passedBody = 0; other = 0 }
    /Tracer caught signal/ { crashed = 1 }
    /^\[  PASSED  \] / { passedBody = 1 }
    /ERROR: (AddressSanitizer|LeakSanitizer: detected)|runtime error:|\[  FAILED  \]/ { other = 1 }
    /^Test Failed/ || /^Test Not Run/ || /^Test .*(Timeout|Exception)/ {
      if (crashed && passedBody && !other) crashes = crashes "== the leak checker crashed after " name "; it runs once more\n"
      else real++
    }
    END { if (crashes == "" || real > 0) exit 1; printf "%s", crashes }' "$1"
}

pass "normal build and tests" normal "$@"
pass "sanitizer build and tests" sanitized "$@"
# Every reader of outside input replays its saved fuzz corpus: the seeds and each input that
# once made it crash, hang or leak.
pass "fuzz corpus replay" bash fuzz/run.sh

if ((${#failed[@]} > 0)); then
  printf '== FAILED: %s\n' "${failed[@]}"
  exit 1
fi
echo "== every pass succeeded"
