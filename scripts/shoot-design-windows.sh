#!/bin/sh
# Screenshots of the design window and the advanced settings window with a sample design
# loaded, under a virtual X display: at their start sizes (top and bottom of their scrolled
# content) and at full content height. Usage: scripts/shoot-design-windows.sh [BUILD] [OUTDIR]
set -eu
build=${1:-build}
out=${2:-$build/shots}
here=$(cd "$(dirname "$0")/.." && pwd)
design="$here/samples/bitmap-hands.ini"
mkdir -p "$out"
shoot() { # name, screen height, harness arguments...
    name=$1
    height=$2x24
    shift 2
    xvfb-run -a -s "-screen 0 1600x$height" sh -c "
        '$build/bin/dw-design-windows' '$design' $* &
        pid=\$!
        sleep 2
        import -window root '$out/$name.png'
        kill \$pid" 2>/dev/null
    echo "$out/$name.png"
}
shoot start-top 1000
shoot start-bottom 1000 --scroll 1
shoot full 1900 --full
