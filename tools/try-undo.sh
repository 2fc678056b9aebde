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
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
screen_design_project undo-try
project=$work/design/projekt/DEMO.KLV

screen_start
shot_prefix=undo- shot_wait=1
keep() { cp "$project" "$work/$1.KLV"; }

screen_launch "$work/design/DODORURAV/dodorurav" "$project" >"$work/dodorurav.log" 2>&1
designer=$launched
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
click_wait=0.4
click "X + 30" "Y + 170"
xdotool keydown shift
click "X + 30" "Y + 220"
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
