#!/usr/bin/env bash
# Smoke test of the windowed program under a virtual display: start dialwright, load a sample
# design through File -> Open .INI, run Test for two seconds, stop, write a contact sheet through
# the Export menu, and exit through File -> Exit. Then, with the Circle Positioner ticked
# (dw-picture-tools), drag a circle over the main picture and zoom it to 800 % with Ctrl+wheel,
# all by real pointer events.
# A screenshot of every step lands in BUILD_DIR/shell-smoke/; the test fails when a step does not
# happen, the clock does not move, or the program does not end by itself with status 0.
# Usage: scripts/shell-smoke.sh [BUILD_DIR]   (default: build). Exit 77: no virtual display here.
set -euo pipefail
cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
out="$build/shell-smoke"
design="$PWD/samples/line-hands.ini"

for tool in xvfb-run xdotool import compare convert; do
    if ! command -v "$tool" >/dev/null; then
        echo "shell-smoke: $tool is missing; skipped" >&2
        exit 77
    fi
done

if [ -z "${SMOKE_INSIDE_XVFB:-}" ]; then
    rm -rf "$out"
    mkdir -p "$out/config"
    # The program's own registry and preferences, so nothing of the user's is read or written.
    DIALWRIGHT_REGISTRY="$out/registry.txt" "$build/bin/dw-regsvr" \
        "$build/bin/libspinblit.so" "$build/bin/libreelkit.so" >/dev/null
    export DIALWRIGHT_REGISTRY="$out/registry.txt" XDG_CONFIG_HOME="$out/config"
    export SMOKE_INSIDE_XVFB=1
    exec xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$build"
fi

unset QT_QPA_PLATFORM
shot() { import -window root "$out/$1.png"; echo "shell-smoke: $1"; }
fail() { echo "shell-smoke: FAILED: $*" >&2; kill "$pid" 2>/dev/null || true; exit 1; }
# Without a window manager the focus stays where it was last put: give it back to the main window.
keys() {
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    xdotool key --clearmodifiers "$@"
    sleep 0.7
}

"$build/bin/dialwright" >"$out/dialwright.log" 2>&1 &
pid=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Dialwright$' | head -1) ||
    fail "no main window"
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 1
shot 01-started

keys alt+f o
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Open$' | head -1) ||
    fail "no Open .INI dialog"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 20 "$design"
sleep 0.5
shot 02-open-dialog
xdotool key Return
sleep 1
shot 03-design-loaded

keys alt+n t
sleep 1
shot 04-test-running
sleep 1
shot 05-test-running-later
# Two frames one second apart differ where the second hand moved.
changed=$(compare -metric AE "$out/04-test-running.png" "$out/05-test-running-later.png" \
    null: 2>&1 || true)
[ "${changed%% *}" -gt 0 ] 2>/dev/null || fail "the clock did not move (pixels changed: $changed)"

# "&Stop Test" shares its access key with "&Save AVI": the key selects, Return chooses.
keys alt+n s Return
sleep 1
shot 06-stopped

# The Export menu, then a contact sheet through its save dialog and options form.
xdotool windowfocus --sync "$win" 2>/dev/null || true
xdotool key --clearmodifiers alt+x
sleep 0.7
shot 07-export-menu
xdotool key c
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Save As$' | head -1) ||
    fail "no save dialog for the contact sheet"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 20 "$out/sheet.png"
xdotool key Return
form=$(timeout 10 xdotool search --sync --onlyvisible --name '^Export Contact Sheet$' | head -1) ||
    fail "no options form for the contact sheet"
xdotool windowfocus --sync "$form" 2>/dev/null || true
xdotool type --delay 20 "12:00:00,3:00:00,9:15:45,10:08:42"
sleep 0.5
shot 08-sheet-options
xdotool key Return
for _ in $(seq 1 50); do
    [ -s "$out/sheet.png" ] && break
    sleep 0.2
done
[ -s "$out/sheet.png" ] || fail "no contact sheet written"
sleep 1
shot 09-sheet-written

keys alt+f x
for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$pid" 2>/dev/null && { shot 10-exit-refused; fail "the program did not exit"; }
wait "$pid" || fail "dialwright ended with status $?"
grep -q "lastDir=$PWD/samples/" "$out/config/dialwright/prefs.ini" ||
    fail "lastDir was not written at exit"

# The picture tools, driven by the pointer: press on the dial, drag sideways with the button held.
"$build/bin/dw-picture-tools" "$design" >"$out/picture-tools.log" 2>&1 &
pid=$!
for _ in $(seq 1 50); do
    grep -q '^Picture1 ' "$out/picture-tools.log" && break
    sleep 0.2
done
read -r _ px py pw ph < <(grep '^Picture1 ' "$out/picture-tools.log") ||
    fail "no picture window to drive"
cx=$((px + pw / 2)) cy=$((py + ph / 2))
xdotool mousemove "$cx" "$cy"
sleep 0.3
xdotool mousedown 1
for step in 10 20 30 40 50; do
    xdotool mousemove "$((cx + step))" "$cy"
    sleep 0.1
done
sleep 0.5
shot 11-circle-dragged
xdotool mouseup 1
# Three notches up with Ctrl held: 200, 400, 800 %.
xdotool mousemove "$((px + 20))" "$((py + 20))"
xdotool keydown ctrl
for _ in 1 2 3; do
    xdotool click 4
    sleep 0.3
done
xdotool keyup ctrl
sleep 0.7
shot 12-zoomed-800
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
# The zoomed window shows a few magnified pixels: far fewer colours than the whole dial.
colours=$(convert "$out/12-zoomed-800.png" -crop "200x200+$((px + 10))+$((py + 10))" \
    -format %k info:)
[ "$colours" -lt 200 ] 2>/dev/null || fail "the picture did not zoom (colours: $colours)"
echo "shell-smoke: passed; screenshots in $out"
