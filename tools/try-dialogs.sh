#!/usr/bin/env bash
# Tries the runtime's dialogs on the demo CD under a virtual screen, as a
# user would: F9 and "Idź do", the screenshot viewer on a bitmap and on a
# JPEG, F12 with the save box, F6 with a stand-in copier that logs its
# arguments, and F1. Screenshots go to build/<preset>/screenshots/dialogs-*.
# Usage: tools/try-dialogs.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"

# A copy of the demo CD with a stand-in copier beside the runtime, and a
# home and settings folder of its own.
screen_workdir
cp -r "$build/demo-cd" "$work/cd"
cat >"$work/cd/KOPIA.EXE" <<'COPIER'
#!/bin/sh
for argument in "$@"; do printf '%s\n' "$argument"; done >"$KOPIA_LOG"
COPIER
chmod +x "$work/cd/KOPIA.EXE"
mkdir -p "$work/home"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export KOPIA_LOG=$work/kopia.log KALVORA_AUDIO_OUT=$work/audio
mkdir -p "$KALVORA_AUDIO_OUT"

screen_start

screen_launch "$work/cd/orvanta" >/dev/null 2>&1
menu=$launched
sleep 1
eval "$(xdotool getwindowgeometry --shell "$launched_window")"   # X, Y of the menu
menuX=$X; menuY=$Y
shot_prefix=dialogs- shot_wait=1 click_wait=0.5
# The dialog window of the menu whose name matches.
dialog() {
  local found=""
  for _ in $(seq 50); do
    found=$(xdotool search --all --onlyvisible --pid "$menu" --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  echo "$found"
}
# Finds a program with F9 and goes to it with "Idź do".
search() {
  xdotool key F9
  eval "$(xdotool getwindowgeometry --shell "$(dialog "Znajd")")"
  sleep 0.5
  xdotool type --delay 60 "$1"
  xdotool key alt+z
  sleep 0.5
  click "X + 40" "Y + 66"      # the first line found
  [ -n "${2:-}" ] && shot "$2"
  xdotool key alt+i
  sleep 1
}
screenshot() { click "menuX + 513" "menuY + 95"; }   # the Zrzut key

shot 1-menu
search labi 2-search-found
shot 3-search-second-window
xdotool key BackSpace
sleep 1

search szach
screenshot
shot 4-screenshot-bmp-centred
click 640 512
search warc
screenshot
shot 5-screenshot-jpeg-stretched
click 640 512

xdotool key F12
eval "$(xdotool getwindowgeometry --shell "$(dialog "^Opcje ")")"
shot 6-options
click "X + 280" "Y + 93"   # "eksploruj dysk": unticks "uruchom menu", ticks the save box
shot 7-options-explorer
xdotool key Return
sleep 1
echo "--- KALVOR.RUN"
cat "$XDG_CONFIG_HOME/ZeltrinSoftware/KALVOR.RUN"

search szach
xdotool key F6
dialog Kopiowanie >/dev/null
shot 8-copy
xdotool key Return
sleep 1.5
echo "--- the copier's arguments"
cat "$KOPIA_LOG"

xdotool key F1
sleep 1
shot 9-information
xdotool key Escape
