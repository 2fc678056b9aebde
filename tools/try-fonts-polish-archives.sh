#!/usr/bin/env bash
# Tries as a new user would, on a virtual screen: F11 with red chosen in the
# font dialog's colour box turns the menu's keys red; a file dialog of the
# designer reads Polish; "Obiekty menu" at its default size shows the "..."
# of "Maska"; Enter in F9's box lists the programs; the archive window's
# extraction dialog proposes the home folder, not the CD.
# Screenshots go to build/<preset>/screenshots/found-*.png.
# Usage: tools/try-fonts-polish-archives.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
shot_prefix=found- shot_wait=1 click_wait=0.5

screen_workdir
cp -r "$build/demo-cd" "$work/cd"
mkdir -p "$work/home" "$work/bin"
# No desktop handler opens archives here, so Start offers the archive window.
printf '#!/bin/sh\nexit 3\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export KALVORA_AUDIO_OUT=$work/audio PATH=$work/bin:$PATH
mkdir -p "$KALVORA_AUDIO_OUT"

screen_start

# ---- the runtime
screen_launch "$work/cd/orvanta" >/dev/null 2>&1
menu=$launched
sleep 1
eval "$(xdotool getwindowgeometry --shell "$launched_window")"
menuX=$X; menuY=$Y
window_named() {
  local found=""
  for _ in $(seq 50); do
    found=$(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  echo "$found"
}
shot 1-menu

# F11: the information box, then the font dialog; red in its colour box.
xdotool key F11
sleep 0.8
xdotool key Return
fonts=$(window_named "$menu" "^Czcionka$")
[ -n "$fonts" ] || { echo "no font dialog" >&2; exit 1; }
shot 2-font-dialog
xdotool key alt+k
xdotool type --delay 80 "Czer"
shot 3-font-dialog-red 0.5
eval "$(xdotool getwindowgeometry --shell "$fonts")"
click "X + WIDTH - 135" "Y + HEIGHT - 23"    # OK
shot 4-keys-red

# F9: Enter in the box lists the programs.
xdotool key F9
search=$(window_named "$menu" "Znajd")
sleep 0.5
xdotool type --delay 60 "a"
xdotool key Return
shot 5-search-enter
xdotool key Escape
sleep 0.5

# The archive window: "Archiwa", "Pakiet ZIP", F7; the desktop has no
# handler, so Yes opens the window; "Rozpakuj" shows the proposed folder.
# The demo's menu stands centred on the 1280 x 1024 screen.
click 592 336    # the category key "Archiwa"
click 560 408    # the first program of the list
xdotool key F7
question=$(window_named "$menu" ".")
sleep 1
shot 6-zip-question
xdotool key alt+t
zipwindow=$(window_named "$menu" "^Obsługa archiwów$")
[ -n "$zipwindow" ] || { echo "no archive window" >&2; exit 1; }
shot 7-archive-window
xdotool key alt+r
extract=$(window_named "$menu" "^Katalog dla rozpakowania")
[ -n "$extract" ] || { echo "no extraction dialog" >&2; exit 1; }
shot 8-proposed-folder
echo "the proposed folder should be the home folder: $HOME"
xdotool key Escape
sleep 0.5
xdotool key Escape
sleep 0.5
kill "$menu" 2>/dev/null || true

# ---- the designer on the demo as a design project
python3 tools/make-demo-project.py "$build/demo-cd" "$work/design" >/dev/null
(cd "$work/design/projekt" && "$build/bin/dodorurav" DEMO.KLV >/dev/null 2>&1) &
designer=$!
screen_track "$designer"
main=$(window_named "$designer" "^Dodorurav")
sleep 3
# "Otwórz" on the main window's strip: Qt's file dialog, in Polish. The
# main window's strip lies at the top left, "Obiekty menu" below it.
click 147 33
shot 9-designer-file-dialog 1.5
xdotool key Escape
sleep 0.5

# "Obiekty menu" at its default size: the background chosen in the object
# list, then a click in "Maska" shows its "..." button.
click 115 80     # the object list
xdotool key Home Return
sleep 0.5
click 160 540    # the "Maska" row's editor
shot 10-inspector-mask-button
convert "$out/${shot_prefix}10-inspector-mask-button.png" -crop 240x620+0+0 "$out/${shot_prefix}11-inspector-default-size.png"
echo "$out/${shot_prefix}11-inspector-default-size.png"
