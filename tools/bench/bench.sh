#!/usr/bin/env bash
# Prints what the game costs on this machine, each figure the median of RUNS runs (default 5):
# start to first frame, title-screen frames per second and resident memory at 800 x 600, the
# play scene at each detail level, hole load (reading and both bakes), course start, and the
# headless simulator's speed. Run it after a build, from anywhere:
#   tools/bench/bench.sh [RUNS]
# It needs a display: without one it starts its own virtual display.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
build=$root/build
runs=${1:-5}
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
export ALSOFT_DRIVERS=null SDL12COMPAT_OPENGL_SCALING=0

median() { sort -g | awk '{v[NR] = $1} END {if (NR == 0) print "n/a"; else print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }
# The first number of the lines of a command's output that match a pattern.
figure() { grep -E "$1" | head -1 | grep -oE '[0-9]+(\.[0-9]+)?' | sed -n "${2:-1}p"; }

# The game in a directory of its own with the built data tree and an 800 x 600 window.
game=$(mktemp -d /tmp/quillmoor-bench-XXXXXX)
trap 'rm -rf "$game"' EXIT
cp -r "$build/data" "$game/data"
rm -f "$game/data/tov.pref"
printf 'Sreenwidth \t 800\nSreenheight \t 600\nFullscreen \t 0\nGamedetail \t 1\n' > "$game/data/tov.pref"
# Wall seconds and peak resident kB of one run of N frames in real time; the game's own
# closing line ("N frames in S s: F frames per second") is kept in $game/out.txt.
runGame() {
  (cd "$game" && /usr/bin/time -f "%e %M" -o "$game/time.txt" "$build/quillmoor" --frames "$1" \
    --seed 1 >"$game/out.txt" 2>&1) || true
  tail -1 "$game/time.txt"
}
firstFrame=() fps=() rss=()
for ((i = 0; i < runs; ++i)); do
  read -r one _ < <(runGame 1)
  read -r _ kb < <(runGame 301)
  firstFrame+=("$one")
  fps+=("$(figure 'frames per second' 3 < "$game/out.txt")")
  rss+=("$((kb / 1024))")
done
echo "start to first frame (whole run of one frame): $(printf '%s\n' "${firstFrame[@]}" | median) s"
echo "title screen at 800x600: $(printf '%s\n' "${fps[@]}" | median) fps"
echo "resident memory on the title screen: $(printf '%s\n' "${rss[@]}" | median) MiB"

# The play scene and the hole's bakes, on the test island of the scene checks.
declare -A detail
shadow=() surf=()
for ((i = 0; i < runs; ++i)); do
  out=$(cd "$build" && tools/scene_bench/scene_bench)
  for d in 0 1 2; do detail[$d]+="$(echo "$out" | figure "^detail $d " 5) "; done
  shadow+=("$(echo "$out" | figure '^shadow bake' 2)")
  surf+=("$(echo "$out" | figure '^surf bake' 2)")
done
for d in 0 1 2; do
  echo "play scene at 800x600, detail $d: $(printf '%s\n' ${detail[$d]} | median) fps"
done
reading=()
for ((i = 0; i < runs; ++i)); do
  reading+=("$("$build/tools/course_bench/course_bench" | figure '^read hole map')")
done
read_ms=$(printf '%s\n' "${reading[@]}" | median)
shadow_ms=$(printf '%s\n' "${shadow[@]}" | median)
surf_ms=$(printf '%s\n' "${surf[@]}" | median)
echo "hole load: reading $read_ms ms + shadow bake $shadow_ms ms + surf bake $surf_ms ms" \
  "= $(awk -v a="$read_ms" -v b="$shadow_ms" -v c="$surf_ms" 'BEGIN {print a + b + c}') ms"

starts=()
for ((i = 0; i < runs; ++i)); do
  starts+=("$("$build/tools/render_bench/render_bench" | figure '^model load per course start' 2)")
done
echo "course start (world models, after the first): $(printf '%s\n' "${starts[@]}" | median) ms"

# Simulated seconds per CPU second, from the simulator's own benchmark line.
speeds=()
for ((i = 0; i < runs; ++i)); do
  line=$("$build/tools/simulate/simulate" --benchmark)
  speeds+=("$(echo "$line" | grep -oE '"cpu_ms_per_simulated_second":[0-9.]+' | grep -oE '[0-9.]+$' |
    awk '{print ($1 > 0) ? 1000 / $1 : 0}')")
done
echo "headless simulator: $(printf '%s\n' "${speeds[@]}" | median) simulated seconds per CPU second"
