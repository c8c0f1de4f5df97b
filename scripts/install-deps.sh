#!/usr/bin/env bash
# Installs whatever of the build, test and content tools is missing (Debian 12).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libglu1-mesa-dev libgl-dev
  libgl1-mesa-dri
  libgtest-dev xvfb xauth xdotool libx11-dev
  librsvg2-bin python3-pil fonts-dejavu-core
  clang libclang-rt-14-dev
  vorbis-tools
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
