#!/usr/bin/env bash
# Takes the same set of screenshots from a build, for comparing the pictures of two builds
# pixel by pixel: the title, the options, the player set-up, the course selection, the first
# hole of every world at detail 0, 1 and 2, a ball rolling after a stroke, a ball struck into
# the sea, the pause menu and the score screen, all at 640 x 480 with a fixed step and seed.
#   tools/bench/picture_set.sh OUT_DIR [BUILD_DIR]
#   tools/bench/picture_set.sh --compare DIR_A DIR_B   (needs a build's picture_diff)
# It needs a display: without one it starts its own virtual display.
set -euo pipefail
if [[ "${1:-}" == "--compare" ]]; then
  first=$(readlink -f "$2") second=$(readlink -f "$3")
fi
cd "$(dirname "$0")/../.."
root=$(pwd)
if [[ "${1:-}" == "--compare" ]]; then
  differing=0
  for a in "$first"/*.png; do
    b="$second/$(basename "$a")"
    result=$("${QUILLMOOR_BUILD:-$root/build}/tools/bench/picture_diff" "$a" "$b" 2>&1) || differing=$((differing + 1))
    echo "$(basename "$a"): $result"
  done
  echo "$(ls "$first"/*.png | wc -l) pictures, $differing differ"
  exit $((differing > 0))
fi
out=$(mkdir -p "$1" && cd "$1" && pwd)
build=$(cd "${2:-$root/build}" && pwd)
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
export ALSOFT_DRIVERS=null SDL12COMPAT_OPENGL_SCALING=0
game=$(mktemp -d /tmp/quillmoor-pictures-XXXXXX)
trap 'rm -rf "$game"' EXIT
cp -rL "$build/data" "$game/data"
rm -f "$game"/data/*.scores

# Frames below are at 62 a second; the game runs 32-millisecond steps, half as many.
script=""
at() { script+="$(($1 / 2)) $2"$'\n'; }
click() { at "$1" "move $2 $3"; at $(($1 + 2)) "press 1"; at $(($1 + 6)) "release 1"; }
# Plays the script built so far for FRAMES game frames; says so when the run NAME fails.
runScript() {
  printf '%s' "$script" > "$game/script.txt"
  (cd "$game" && "$build/quillmoor" --fixed-step 32 --seed 5 --frames "$2" --script script.txt > /dev/null 2>&1) ||
    echo "run $1 failed"
}
# A new script that goes from the title through the player set-up to the course selection.
toCourseSelection() {
  script=""
  click 95 130 230
  click 165 320 440
}
# The opening world's (lantern garden's) first hole holed in one stroke of power 9, and the
# hole's score screen.
holedPlay() {
  local tag=$1
  toCourseSelection
  click 230 320 440
  at 540 "type \$\$\$\$\$\$\$\$\$"
  at 570 "key space"
  for t in 650 700 790 1090; do at $t "screenshot $out/holed$t-$tag.png"; done
  runScript "holed-$tag" 548
}
# A ball struck into the sea: saltwind cove's first hole (the course selection opens on the
# last world, two steps on), whose shore is open, the aim turned off the fairway, full power.
waterPlay() {
  local tag=$1
  toCourseSelection
  click 185 545 330
  click 205 545 330
  click 270 320 440
  at 600 "hold right"
  at 660 "unhold right"
  at 680 "type \$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$"
  at 710 "key space"
  for t in 800 860 880 960 1020; do at $t "screenshot $out/water$t-$tag.png"; done
  runScript "water-$tag" 513
}
# Title -> set-up -> the course selection turned on by `worlds` -> the first hole; then a
# stroke at full power and the pause menu, the quit and the score screen.
onePlay() {
  local tag=$1 worlds=$2 full=$3
  script=""
  at 90 "screenshot $out/title-$tag.png"
  click 95 130 230
  at 160 "screenshot $out/setup-$tag.png"
  click 165 320 440
  local f=185
  for ((w = 0; w < worlds; ++w)); do click $f 545 330; f=$((f + 20)); done
  at $((f + 40)) "screenshot $out/course-$tag.png"
  click $((f + 45)) 320 440
  local h=$((f + 105))
  at $((h + 240)) "screenshot $out/hole-$tag.png"
  local last=$((h + 250))
  if [[ $full == 1 ]]; then
    at $((h + 250)) "type \$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$\$"
    at $((h + 280)) "key space"
    for t in 300 340 400 500 650; do at $((h + t)) "screenshot $out/stroke$t-$tag.png"; done
    at $((h + 700)) "key escape"
    at $((h + 720)) "screenshot $out/pause-$tag.png"
    click $((h + 725)) 320 225
    at $((h + 840)) "screenshot $out/scores-$tag.png"
    last=$((h + 850))
  fi
  runScript "$tag" $((last / 2 + 3))
}
for d in 0 1 2; do
  printf 'Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\nGamedetail \t %s\n' "$d" > "$game/data/tov.pref"
  holedPlay "d$d"
  waterPlay "d$d"
  [[ -n "${QUILLMOOR_HOLED_ONLY:-}" ]] && continue  # only the holed runs, added to an older set
  for w in 0 1 2 3 4; do
    full=0
    [[ $w == 0 ]] && full=1
    onePlay "w${w}d$d" "$w" "$full"
  done
done
[[ -n "${QUILLMOOR_HOLED_ONLY:-}" ]] && exit 0
# The options screen.
printf 'Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\nGamedetail \t 1\n' > "$game/data/tov.pref"
script=""
click 95 130 350
at 140 "screenshot $out/options.png"
runScript options 75
ls "$out"/*.png | wc -l
