#!/usr/bin/env bash
# Opens the demo's design project in the designer on a virtual screen and
# tries "Obiekty menu" as a user would: the object list, a key's rows, the
# palette with the keys already on the surface greyed, and a key placed
# from the palette. Screenshots land in build/<preset>/screenshots/.
# Usage: tools/screenshot-inspector.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"

screen_workdir
python3 tools/make-demo-project.py "$build/demo-cd" "$work/cd" >/dev/null

screen_start

(cd "$work/cd/projekt" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  "$build/bin/dodorurav" DEMO.KLV >/dev/null 2>&1) &
designer=$!
screen_track "$designer"
sleep 4
click_wait=0.5

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
