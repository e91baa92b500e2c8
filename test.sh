#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/build.sh
cd build
# Whole-game tests open real windows: give them a virtual display and a silent sound device.
export ALSOFT_DRIVERS=null
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2 "$@"
