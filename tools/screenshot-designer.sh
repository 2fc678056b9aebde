#!/usr/bin/env bash
# Opens the demo CD's project in the designer on a virtual screen, places a
# category key from the palette as a user would, and keeps screenshots in
# build/<preset>/screenshots/.
# Usage: tools/screenshot-designer.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
build=build/$preset
out=$build/screenshots
mkdir -p "$out"

# The designer completes stored paths from its own drive root, so it runs
# from a copy of the demo folder, as it would sit on the CD's drive.
drive=$build/designer-demo
rm -rf "$drive"
cp -r "$build/demo-cd" "$drive"
cp "$build/bin/dodorurav" "$drive/"
data=$(mktemp -d)

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
designer=""
cleanup() {
  [ -n "$designer" ] && kill "$designer" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$data"
}
trap cleanup EXIT
sleep 1

(cd "$drive" && XDG_DATA_HOME="$data" ./dodorurav ORVANTA.INI >/dev/null 2>&1) &
designer=$!
sleep 3
shot() { sleep 0.5; import -window root "$out/$1.png"; echo "$out/$1.png"; }
click() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool mousemove $(($1 + 1)) "$2" click 1; sleep 0.3; }

shot designer-1-demo
# The main window's strip takes the top 53 pixels; below it "Obiekty menu"
# lies at the left (open on its properties page), the surface at the right
# edge of the 1280-pixel screen.
click 39 106        # the page "Klawisze menu"
click 116 191       # "Klawisz kategorii"
click 1080 140      # on the background, right of the title
shot designer-2-new-key
click 1110 155      # the new key: the selection frame takes it
shot designer-3-selected
