#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz, then
#   fuzz/run.sh                      replays every saved corpus once (what the test command does)
#   fuzz/run.sh SECONDS [READER...]  fuzzes each reader (all by default) for SECONDS, one after
#                                    the other; new inputs go to build-fuzz/corpus/<reader>, and
#                                    an input that crashes, hangs or leaks to build-fuzz/found/.
# Keep each found input as fuzz/corpus/<reader>/crash-<what> once its fault is mended.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/install-deps.sh fuzz
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLMOOR_FUZZ=ON -DQUILLMOOR_CONTENT=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz_targets

readers=()
for source in fuzz/*_fuzz.cpp; do
  name=$(basename "$source" _fuzz.cpp)
  readers+=("$name")
done

export ASAN_OPTIONS=abort_on_error=0:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Paths handed to the fuzzer are absolute: the targets work inside a scratch directory.
# The readers print a line per fault they find in the file; keep the fuzzer's own output only.
common=(-close_fd_mask=1 -timeout=10 -rss_limit_mb=2048)

if [[ $# -eq 0 ]]; then
  for name in "${readers[@]}"; do
    echo "fuzz_$name: $(ls fuzz/corpus/$name | wc -l) saved inputs"
    build-fuzz/fuzz/fuzz_$name "${common[@]}" -runs=0 "$root/fuzz/corpus/$name" 2>build-fuzz/replay-$name.log ||
      { cat build-fuzz/replay-$name.log; exit 1; }
  done
  exit 0
fi

seconds=$1
shift
[[ $# -gt 0 ]] && readers=("$@")
mkdir -p build-fuzz/found
for name in "${readers[@]}"; do
  mkdir -p build-fuzz/corpus/$name
  echo "fuzz_$name: fuzzing for $seconds s"
  build-fuzz/fuzz/fuzz_$name "${common[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$root/build-fuzz/found/$name-" "$root/build-fuzz/corpus/$name" \
    "$root/fuzz/corpus/$name" \
    2>build-fuzz/fuzz-$name.log || true
  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY)" \
    build-fuzz/fuzz-$name.log || true
done
ls build-fuzz/found
