#!/usr/bin/env bash
# Prints the game's memory over many course starts (default 200) in one run: from the title into
# the first hole and back, over and over, reading the game's own "resources" line each time play
# has begun. The libraries fill their caches over the first rounds (the software renderer compiles
# a shader for each new combination of GL state), so the verdict looks at the last two quarters
# only. The renderer takes and returns blocks of a megabyte or so between starts, so resident
# memory swings up and back; a leak instead raises its floor. The lowest resident memory of the
# last quarter must be within 1 MiB of the quarter before's lowest, and the game's handles
# exactly constant.
#   tools/bench/memory_soak.sh [COURSE STARTS]
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${QUILLMOOR_BUILD:-$(pwd)/build}
starts=${1:-200}
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi
export ALSOFT_DRIVERS=null
game=$(mktemp -d /tmp/quillmoor-soak-XXXXXX)
trap 'rm -rf "$game"' EXIT
mkdir "$game/data"
for folder in "$build"/data/*/; do ln -s "$folder" "$game/data/$(basename "$folder")"; done
printf 'Sreenwidth \t 640\nSreenheight \t 480\nFullscreen \t 0\n' > "$game/data/tov.pref"

# At 10 frames a second in a 640 x 480 window: play, continue, start, then quit the course
# from the pause menu and go back from the high scores.
click() { printf '%d move %d %d\n%d press 1\n%d release 1\n' "$1" "$2" "$3" $(($1 + 1)) $(($1 + 2)); }
f=35
for ((i = 0; i < starts; ++i)); do
  click $f 130 230; click $((f + 12)) 320 440; click $((f + 24)) 320 440
  echo "$((f + 44)) resources"; echo "$((f + 45)) key escape"; click $((f + 48)) 320 225
  click $((f + 66)) 320 440
  f=$((f + 78))
done > "$game/script.txt"
(cd "$game" && "$build/quillmoor" --frames $((f + 2)) --fixed-step 100 --seed 1 \
  --script script.txt > out.txt 2>&1)

grep '^resources:' "$game/out.txt" | awk -v starts="$starts" '
  { rss[NR] = $7; heap[NR] = $10; handles[NR] = $13 " " $15 " " $17 " " $19 }
  NR == 1 || NR % 20 == 0 { printf "start %3d: resident %.1f MiB, heap %.1f MiB, handles %s\n", NR, $7 / 1024, $10 / 1024, handles[NR] }
  END {
    if (NR != starts) { printf "only %d of %d course starts reached play\n", NR, starts; exit 1 }
    half = int(NR / 2) + 1; from = int(NR * 3 / 4) + 1; same = 1
    before = rss[half]; lo = rss[from]; hi = rss[from]
    for (i = half; i < from; ++i) if (rss[i] < before) before = rss[i]
    for (i = from; i <= NR; ++i) { if (rss[i] < lo) lo = rss[i]; if (rss[i] > hi) hi = rss[i] }
    for (i = 1; i <= NR; ++i) if (handles[i] != handles[1]) same = 0
    printf "last quarter (starts %d-%d): resident %.1f to %.1f MiB\n", from, NR, lo / 1024, hi / 1024
    printf "its lowest against the quarter before'"'"'s lowest: %+.2f MiB (allowed 1)\n", (lo - before) / 1024
    printf "handles (textures, display lists, sound buffers, sources): %s\n", same ? "constant" : "CHANGED"
    exit (lo - before <= 1024 && same) ? 0 : 1
  }'
