#!/usr/bin/env bash
# Runs the demo CD's menu on a virtual screen, clicks through it as a user
# would, and keeps screenshots in build/<preset>/screenshots/.
# Usage: tools/screenshot-demo.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
build=build/$preset
out=$build/screenshots
mkdir -p "$out"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
menu=""
cleanup() {
  [ -n "$menu" ] && kill "$menu" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

"$build/demo-cd/orvanta" >/dev/null 2>&1 &
menu=$!
window=$(xdotool search --sync --onlyvisible --pid "$menu" | head -n 1)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"   # X, Y of the menu
shot() { sleep 0.5; import -window root "$out/$1.png"; echo "$out/$1.png"; }
click() { xdotool mousemove $((X + $1)) $((Y + $2)); sleep 0.2; xdotool mousemove $((X + $1 + 1)) $((Y + $2)) click 1; }

shot 1-menu
click 90 182     # the first category key
click 230 140    # the first program of the list
shot 2-program
click 230 154    # Saper, whose one-line description wraps
shot 2-wrapped-description
click 90 282     # the third category: one program
click 230 140
shot 3-one-program
xdotool key shift+F1
shot 4-help
