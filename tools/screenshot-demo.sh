#!/usr/bin/env bash
# Runs the demo CD's menu on a virtual screen, clicks through it as a user
# would, and keeps screenshots in build/<preset>/screenshots/.
# Usage: tools/screenshot-demo.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"

screen_start 1024x768

screen_launch "$build/demo-cd/orvanta" >/dev/null 2>&1
menu=$launched
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$launched_window")"   # X, Y of the menu
click_wait=0
menu_click() { click "X + $1" "Y + $2"; }

shot 1-menu
menu_click 90 182     # the first category key
menu_click 230 140    # the first program of the list
shot 2-program
menu_click 230 154    # Saper, whose one-line description wraps
shot 2-wrapped-description
menu_click 90 282     # the third category: one program
menu_click 230 140
shot 3-one-program
xdotool key shift+F1
shot 4-help
