#!/usr/bin/env bash
# Installs the Debian packages the build, the show and the tests need; with
# --windows also the cross compiler and what scripts/windows.sh needs to build
# the Windows libraries, with --wine also Wine for scripts/windows-check.sh.
# As root it runs apt-get; otherwise it names what is missing and fails.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang
  libsdl2-dev libasound2-dev libgl-dev libglu1-mesa-dev libpng-dev zlib1g-dev libjpeg-dev
  libmpg123-dev libkissfft-dev libfreetype-dev libimgui-dev libmp3lame-dev
  libgtest-dev libgmock-dev libbenchmark-dev liblua5.4-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth libgl1-mesa-dri ffmpeg
)
for option in "$@"; do
  case "$option" in
    --windows)
      packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                 mingw-w64-x86-64-dev dpkg-dev make) ;;
    --wine) packages+=(wine64) ;;
    *) echo "usage: scripts/deps.sh [--windows] [--wine]" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
