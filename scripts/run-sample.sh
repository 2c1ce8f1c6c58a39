#!/usr/bin/env bash
# Installs what is needed, builds, registers the components, and opens the designer on a bundled
# sample design when a display is present (DISPLAY or WAYLAND_DISPLAY set). Without one it exports
# the design to an AVI file headless with dialwright-cli and prints the file's path, size, frame
# count and frame rate as ffprobe reads them.
# Usage: scripts/run-sample.sh [DESIGN.ini]   (default: samples/line-hands.ini)
set -euo pipefail
cd "$(dirname "$0")/.."
design="${1:-samples/line-hands.ini}"

./scripts/install-deps.sh
./scripts/build.sh default
./scripts/register-components.sh build

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/dialwright "$design"
fi

mkdir -p build/sample
out="build/sample/$(basename "${design%.*}").avi"
build/bin/dialwright-cli export "$design" -o "$out"

probe() {
    ffprobe -v error -select_streams v:0 -count_frames -show_entries "stream=$1" \
        -of default=noprint_wrappers=1:nokey=1 "$out"
}
echo "AVI file:   $(realpath "$out")"
echo "Size:       $(stat -c %s "$out") bytes"
echo "Frames:     $(probe nb_read_frames)"
echo "Frame rate: $(probe r_frame_rate) (frames per second)"
