#!/usr/bin/env bash
# Compares the frames of two builds: the title and the first hole of every world at detail 0,
# 1 and 2, each measured as 200 frames between two screenshots at 800 x 600, the two builds
# run in turn (A B A B ...). Prints per screen the median frames per second and processor
# milliseconds a frame (the renderer's threads included) of each build and their ratios (the
# frames per second of B over A; the processor time of A over B, so above 1 is B faster).
#   QUILLMOOR_BUILD_BEFORE=dir tools/bench/frame_bench.sh [RUNS]   (default 5 runs)
# B is QUILLMOOR_BUILD or ./build. The load average is printed before and after: frames per
# second mean little on a busy machine, processor time a frame less so.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
before=${QUILLMOOR_BUILD_BEFORE:?set QUILLMOOR_BUILD_BEFORE to the build to compare with}
after=${QUILLMOOR_BUILD:-$root/build}
runs=${1:-5}
worlds=${FRAME_BENCH_WORLDS:-0 1 2 3 4}
details=${FRAME_BENCH_DETAILS:-0 1 2}
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
export ALSOFT_DRIVERS=null SDL12COMPAT_OPENGL_SCALING=0
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

median() { sort -g | awk '{v[NR] = $1} END {if (NR == 0) print "n/a"; else print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }
processorMs() { awk -v tick="$(getconf CLK_TCK)" '{print ($14 + $15) * 1000 / tick}' "/proc/$1/stat" 2>/dev/null; }
now() { date +%s.%N; }

# Each build plays in a folder of its own with a copy of its data tree.
declare -A folder
for b in A B; do
  folder[$b]=$(mktemp -d /tmp/quillmoor-frames-XXXXXX)
done
trap 'rm -rf "${folder[A]}" "${folder[B]}"' EXIT
cp -rL "$before/data" "${folder[A]}/data"
cp -rL "$after/data" "${folder[B]}/data"
declare -A binary=([A]="$before/quillmoor" [B]="$after/quillmoor")

# The script to the first hole of world W (0 is the title alone), with its two screenshots.
# The clicks are those of an 800 x 600 window: title item, set-up's continue, the course
# selection's next-world arrow W times, then its start.
scriptFor() {
  local w=$1
  if [[ $w == title ]]; then
    printf '60 screenshot first.png\n260 screenshot last.png\n'
    return
  fi
  printf '50 move 170 240\n51 press 1\n53 release 1\n83 move 400 565\n84 press 1\n86 release 1\n'
  for ((k = 0; k < w; ++k)); do
    printf '%d move 625 390\n%d press 1\n%d release 1\n' $((92 + 6 * k)) $((93 + 6 * k)) $((95 + 6 * k))
  done
  printf '125 move 400 565\n126 press 1\n128 release 1\n310 screenshot first.png\n510 screenshot last.png\n'
}

# One run: prints frames per second and processor ms a frame over the 200 frames between the shots.
# The game plays on for 50 frames after the last shot, so that a loaded machine's slow polling
# still finds it running; a run whose time could not be read prints n/a and is left out.
measure() {
  local b=$1 w=$2 d=$3 dir=${folder[$1]} pid t0 c0 t1 c1 frames=560
  [[ $w == title ]] && frames=310
  printf 'Sreenwidth \t 800\nSreenheight \t 600\nFullscreen \t 0\nGamedetail \t %s\n' "$d" > "$dir/data/tov.pref"
  rm -f "$dir"/*.png
  scriptFor "$w" > "$dir/script.txt"
  (cd "$dir" && exec "${binary[$b]}" --frames $frames --fixed-step 32 --seed 1 --script script.txt >"$dir/out.txt" 2>&1) &
  pid=$!
  while [[ ! -e "$dir/first.png" ]] && kill -0 "$pid" 2>/dev/null; do sleep 0.02; done
  t0=$(now) c0=$(processorMs "$pid" || true)
  while [[ ! -e "$dir/last.png" ]] && kill -0 "$pid" 2>/dev/null; do sleep 0.02; done
  t1=$(now) c1=$(processorMs "$pid" || true)
  wait "$pid" || true
  if [[ -z "$c0" || -z "$c1" ]]; then echo "n/a n/a"; return; fi
  awk -v t0="$t0" -v t1="$t1" -v c0="$c0" -v c1="$c1" 'BEGIN {printf "%.1f %.2f\n", 200 / (t1 - t0), (c1 - c0) / 200}'
}

# World W is W clicks of the next-world arrow from the world the selection opens on.
worldNames=(lantern-garden bramble-meadow saltwind-cove quillmoor-keep frostmere)
screens=("title 1")
for w in $worlds; do
  for d in $details; do screens+=("$w $d"); done
done
declare -A fps cpu
for ((i = 0; i < runs; ++i)); do
  for s in "${screens[@]}"; do
    for b in A B; do
      read -r f c < <(measure "$b" $s)
      [[ $f == n/a ]] && continue
      fps[$b $s]+="$f " cpu[$b $s]+="$c "
    done
  done
done

printf '%-24s %9s %9s %6s   %9s %9s %6s\n' screen "fps A" "fps B" "B/A" "ms A" "ms B" "A/B"
for s in "${screens[@]}"; do
  read -r w d <<< "$s"
  name=title
  [[ $w == title ]] || name="${worldNames[$w]:-world $w} detail $d"
  fa=$(printf '%s\n' ${fps[A $s]:-} | median) fb=$(printf '%s\n' ${fps[B $s]:-} | median)
  ca=$(printf '%s\n' ${cpu[A $s]:-} | median) cb=$(printf '%s\n' ${cpu[B $s]:-} | median)
  awk -v n="$name" -v fa="$fa" -v fb="$fb" -v ca="$ca" -v cb="$cb" 'BEGIN {
    printf "%-24s %9s %9s %6.2f   %9s %9s %6.2f\n", n, fa, fb, (fa > 0 ? fb / fa : 0), ca, cb, (cb > 0 ? ca / cb : 0)}'
done
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
