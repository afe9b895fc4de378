#!/usr/bin/env bash
# Installs the Debian packages that building and testing Zelto need, when
# any is missing. Run as root on Debian 12.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev python3
  libgtest-dev libbenchmark-dev libtomlplusplus-dev libstb-dev
  mingw-w64 wine wine64 xvfb xauth xdotool imagemagick icoutils
  ncompress lame sox
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "These packages are missing; run as root (or install them): ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
