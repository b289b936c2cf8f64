#!/usr/bin/env bash
# Installs every Debian package that building, running and testing plumora needs.
# Idempotent; works as root or through sudo.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(
  build-essential cmake pkg-config git
  libsdl2-dev libsdl2-mixer-dev libmpg123-dev libx11-dev
  libdevil-dev libdevil1c2
  libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
  libimgui-dev libstb-dev libfreetype-dev fonts-dejavu-core libjpeg-dev libpng-dev
  lame libmp3lame-dev
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick sox libsox-fmt-mp3 x11-utils ffmpeg
  assimp-testmodels lib3ds-dev
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
