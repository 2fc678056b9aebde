#!/usr/bin/env bash
# Tries deleting and undoing on the demo's design project as a user would,
# on a virtual screen: two category keys selected with Shift, Delete,
# Ctrl+S, Ctrl+Z, Ctrl+S, Ctrl+Shift+Z, Ctrl+S, and the history window
# (Ctrl+H). The saves are compared: the one after the undo must equal the
# one before the delete, the one after the redo the one after the delete.
# Screenshots go to build/<preset>/screenshots/undo-*.png.
# Usage: tools/try-undo.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
build=$PWD/build/$preset
out=$build/screenshots
work=$build/undo-try
rm -rf "$work"
mkdir -p "$out" "$work/home" "$work/config"
python3 tools/make-demo-project.py "$build/demo-cd" "$work/design" >/dev/null
mkdir -p "$work/design/DODORURAV"
cp "$build/bin/dodorurav" "$work/design/DODORURAV/"
project=$work/design/projekt/DEMO.KLV

display=:$((60 + RANDOM % 30))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
designer=""
cleanup() {
  [ -n "$designer" ] && kill "$designer" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1
shot() { sleep "${2:-1}"; import -window root "$out/undo-$1.png"; echo "$out/undo-$1.png"; }
keep() { cp "$project" "$work/$1.KLV"; }

"$work/design/DODORURAV/dodorurav" "$project" >"$work/dodorurav.log" 2>&1 &
designer=$!
xdotool search --sync --onlyvisible --pid "$designer" >/dev/null
sleep 2
surface=$(xdotool search --onlyvisible --name "płyta demonstracyjna" | head -n 1)
# A click on the bare main window makes the designer the active program.
xdotool mousemove 1000 10 click 1
sleep 0.5
xdotool key ctrl+s
sleep 1
keep 1-before-delete

# The keys 1001 and 1002 stand at (14,160) and (14,210) of the surface.
eval "$(xdotool getwindowgeometry --shell "$surface")"
click() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.2; xdotool click 1; sleep 0.4; }
click 30 170
xdotool keydown shift
click 30 220
xdotool keyup shift
shot 1-two-selected
xdotool key Delete
shot 2-deleted
xdotool key ctrl+s
sleep 1
keep 2-after-delete
xdotool key ctrl+z
shot 3-undone
xdotool key ctrl+s
sleep 1
keep 3-after-undo
xdotool key ctrl+shift+z
xdotool key ctrl+s
sleep 1
keep 4-after-redo
xdotool key ctrl+h
shot 4-history 2

status=0
if cmp -s "$work/1-before-delete.KLV" "$work/3-after-undo.KLV"; then
  echo "the save after the undo equals the save before the delete"
else
  echo "the save after the undo differs from the save before the delete" >&2; status=1
fi
if cmp -s "$work/2-after-delete.KLV" "$work/4-after-redo.KLV"; then
  echo "the save after the redo equals the save after the delete"
else
  echo "the save after the redo differs from the save after the delete" >&2; status=1
fi
if cmp -s "$work/1-before-delete.KLV" "$work/2-after-delete.KLV"; then
  echo "the delete changed nothing" >&2; status=1
fi
if grep -q "ERROR: AddressSanitizer\|runtime error" "$work/dodorurav.log"; then
  echo "sanitizer reports in $work/dodorurav.log" >&2; status=1
fi
exit $status
