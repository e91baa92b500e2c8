#!/usr/bin/env bash
# Prints what the game costs on this machine, each figure the median of RUNS runs (default 5):
# start to first frame, title-screen frames per second and resident memory at 800 x 600, the
# play screen of the real game at each detail level (frames per second, processor time a
# frame, resident memory), hole load (reading and both bakes), course start, the headless
# simulator's speed and the memory soak (tools/bench/memory_soak.sh). The machine's load
# average is printed first: on a shared machine every figure moves with it. Run it after a
# build, from anywhere:
#   tools/bench/bench.sh [RUNS]
# It needs a display: without one it starts its own virtual display.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
build=${QUILLMOOR_BUILD:-$root/build}  # another build directory can be measured the same way
runs=${1:-5}
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
export ALSOFT_DRIVERS=null SDL12COMPAT_OPENGL_SCALING=0
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"

median() { sort -g | awk '{v[NR] = $1} END {if (NR == 0) print "n/a"; else print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }
# The first number of the lines of a command's output that match a pattern.
figure() { grep -E "$1" | head -1 | grep -oE '[0-9]+(\.[0-9]+)?' | sed -n "${2:-1}p"; }

# The game in a directory of its own with the built data tree and an 800 x 600 window.
game=$(mktemp -d /tmp/quillmoor-bench-XXXXXX)
trap 'rm -rf "$game"' EXIT
cp -rL "$build/data" "$game/data"  # a linked data tree is copied, never written through
setDetail() {
  printf 'Sreenwidth \t 800\nSreenheight \t 600\nFullscreen \t 0\nGamedetail \t %s\n' "$1" > "$game/data/tov.pref"
}
# Resident memory (MiB) and processor time (ms, the renderer's threads included) of a process.
residentMiB() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status" 2>/dev/null; }
processorMs() { awk -v tick="$(getconf CLK_TCK)" '{print ($14 + $15) * 1000 / tick}' "/proc/$1/stat" 2>/dev/null; }
now() { date +%s.%N; }
# Waits until the game has begun writing a screenshot (or has ended).
waitForShot() {
  while [[ ! -e "$game/$1" ]] && kill -0 "$2" 2>/dev/null; do sleep 0.02; done
}
# Starts the game in the background on a script; its process id lands in $pid.
startGame() {
  rm -f "$game"/*.png
  printf '%s\n' "$2" > "$game/script.txt"
  (cd "$game" && exec "$build/quillmoor" --frames "$1" --fixed-step 32 --seed 1 \
    --script script.txt >"$game/out.txt" 2>&1) &
  pid=$!
}
# Measures the frames between two screenshots of a running game: prints frames per second,
# processor ms a frame and resident MiB at the first shot. The first shot is still being
# written when the clock starts, which costs the window one picture's encoding (a fraction
# of a per cent over the frames measured).
measureBetweenShots() {
  local frames=$1 t0 c0 rss t1 c1
  waitForShot first.png "$pid"
  t0=$(now) c0=$(processorMs "$pid") rss=$(residentMiB "$pid")
  waitForShot last.png "$pid"
  t1=$(now) c1=$(processorMs "$pid")
  wait "$pid" || true
  [[ -n "$c1" && -n "$rss" ]] || { echo "n/a n/a n/a"; return; }
  awk -v f="$frames" -v t0="$t0" -v t1="$t1" -v c0="$c0" -v c1="$c1" -v m="$rss" \
    'BEGIN {printf "%.1f %.1f %s\n", f / (t1 - t0), (c1 - c0) / f, m}'
}

# The title: the whole of a one-frame run, then the game's own closing line ("N frames in S
# s: F frames per second") of a 301-frame run, and its resident memory half-way.
setDetail 1
firstFrame=() fps=() rss=()
for ((i = 0; i < runs; ++i)); do
  startTime=$(now)
  (cd "$game" && "$build/quillmoor" --frames 1 --seed 1 >"$game/out.txt" 2>&1) || true
  firstFrame+=("$(awk -v a="$startTime" -v b="$(now)" 'BEGIN {printf "%.2f", b - a}')")
  startGame 301 "150 screenshot first.png"
  waitForShot first.png "$pid"
  rss+=("$(residentMiB "$pid")")
  wait "$pid" || true
  fps+=("$(figure 'frames per second' 3 < "$game/out.txt")")
done
echo "start to first frame (whole run of one frame): $(printf '%s\n' "${firstFrame[@]}" | median) s"
echo "title screen at 800x600: $(printf '%s\n' "${fps[@]}" | median) fps"
echo "resident memory on the title screen: $(printf '%s\n' "${rss[@]}" | median) MiB"

# The play screen, from the game itself: title -> player set-up -> course selection -> the
# first hole of the first world, then 200 frames of a player aiming, timed between two
# screenshots. Frames are 32 virtual milliseconds, so the run does not depend on its speed.
playScript='50 move 170 240
51 press 1
53 release 1
83 move 400 565
84 press 1
86 release 1
115 move 400 565
116 press 1
118 release 1
300 screenshot first.png
500 screenshot last.png'
declare -A playFps playCpu playRss
for ((i = 0; i < runs; ++i)); do
  for d in 0 1 2; do
    setDetail "$d"
    startGame 505 "$playScript"
    read -r f c m < <(measureBetweenShots 200)
    playFps[$d]+="$f " playCpu[$d]+="$c " playRss[$d]+="$m "
  done
done
for d in 0 1 2; do
  echo "play screen at 800x600, detail $d: $(printf '%s\n' ${playFps[$d]} | median) fps," \
    "$(printf '%s\n' ${playCpu[$d]} | median) ms of processor time a frame"
done
echo "resident memory on the play screen (detail 1): $(printf '%s\n' ${playRss[1]} | median) MiB"

# The hole's bakes, on the test island of the scene checks.
shadow=() surf=() shadowAgain=() surfAgain=()
for ((i = 0; i < runs; ++i)); do
  out=$(cd "$build" && tools/scene_bench/scene_bench)
  shadow+=("$(echo "$out" | figure '^shadow bake \(' 2)")
  surf+=("$(echo "$out" | figure '^surf bake \(' 2)")
  shadowAgain+=("$(echo "$out" | figure '^shadow bake again')")
  surfAgain+=("$(echo "$out" | figure '^surf bake again')")
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
# Every hole after the first finds the renderer's shaders compiled.
shadow_ms=$(printf '%s\n' "${shadowAgain[@]}" | median)
surf_ms=$(printf '%s\n' "${surfAgain[@]}" | median)
echo "hole load after the first: reading $read_ms ms + shadow bake $shadow_ms ms + surf bake $surf_ms ms" \
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

# Memory over a long run of course starts, with its own verdict (last quarter flat).
tools/bench/memory_soak.sh "${SOAK_STARTS:-200}" || echo "memory soak: FAILED"
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
