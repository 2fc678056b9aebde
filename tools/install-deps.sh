#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev libx11-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libmpg123-dev libzip-dev libarchive-dev zlib1g-dev
  qt6-multimedia-dev libfluidsynth-dev timgm6mb-soundfont mpg123
  fonts-dejavu-core fonts-liberation2 fontconfig
  xdg-utils shared-mime-info libglib2.0-bin xvfb xdotool imagemagick xclip x11-utils openbox
  zip unzip libarchive-tools zstd p7zip-full python3 python3-cryptography
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
