#!/usr/bin/env bash
# Opens the demo's design project in the designer on a virtual screen and
# tries "Obiekty menu" as a user would: the object list, a key's rows, the
# palette with the keys already on the surface greyed, and a key placed
# from the palette. Screenshots land in build/<preset>/screenshots/.
# Usage: tools/screenshot-inspector.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
build=build/$preset
out=$build/screenshots
mkdir -p "$out"

work=$(mktemp -d)
python3 tools/make-demo-project.py "$build/demo-cd" "$work/cd" >/dev/null

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
designer=""
cleanup() {
  [ -n "$designer" ] && kill "$designer" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
sleep 1

(cd "$work/cd/projekt" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  "$OLDPWD/$build/bin/dodorurav" DEMO.KLV >/dev/null 2>&1) &
designer=$!
sleep 4
shot() { sleep 0.5; import -window root "$out/$1.png"; echo "$out/$1.png"; }
click() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool mousemove $(($1 + 1)) "$2" click 1; sleep 0.5; }

# "Obiekty menu" lies below the main window's strip at the left, open on
# its properties page; the surface stands at the right edge of the screen.
shot inspector-1-open
click 115 80        # the object list
shot inspector-2-objects
xdotool key Escape
click 749 235       # the key "Gry" on the surface: its rows fill
shot inspector-3-key
click 39 106        # the page "Klawisze menu": Start and the others on the surface are greyed
shot inspector-4-palette
click 116 310       # "Szukaj"
click 1120 140      # on the background: the key is placed and its button greys
shot inspector-5-placed
