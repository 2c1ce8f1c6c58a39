#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run, when it is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config git
    qt6-base-dev
    libavcodec-dev libavutil-dev libswscale-dev libavformat-dev libavfilter-dev
    qt6-charts-dev libqt6opengl6-dev
    libgtest-dev googletest libbenchmark-dev
    clang libclang-rt-14-dev
    fonts-dejavu-core
    ffmpeg
    xvfb xauth imagemagick xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 update
"${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
