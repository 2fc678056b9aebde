#!/usr/bin/env bash
# Opens the demo CD's project in the designer on a virtual screen, places a
# category key from the palette as a user would, and keeps screenshots in
# build/<preset>/screenshots/.
# Usage: tools/screenshot-designer.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"

# The designer completes stored paths from its own drive root, so it runs
# from a copy of the demo folder, as it would sit on the CD's drive.
drive=$build/designer-demo
rm -rf "$drive"
cp -r "$build/demo-cd" "$drive"
cp "$build/bin/dodorurav" "$drive/"
screen_workdir

screen_start

(cd "$drive" && XDG_DATA_HOME="$work" ./dodorurav ORVANTA.INI >/dev/null 2>&1) &
designer=$!
screen_track "$designer"
sleep 3

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
