#!/usr/bin/env bash
# Installs what is missing, builds the game and its data, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/build.sh
cd build
exec ./quillmoor "$@"
