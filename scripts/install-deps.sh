#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need, only the missing ones.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl1.2-compat-dev libsdl-image1.2-dev
  libglew-dev libglu1-mesa-dev libgl1-mesa-dri
  libopenal-dev libvorbis-dev libsndfile1-dev
  libgtest-dev googletest
  libstb-dev libfreetype-dev fonts-dejavu-core fonts-comfortaa
  xvfb xauth
  desktop-file-utils appstream
)
# Extra packages for a mode: "fuzz" adds clang and its runtime.
if [[ "${1:-}" == "fuzz" ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
run_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}
run_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
run_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
