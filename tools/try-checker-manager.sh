#!/usr/bin/env bash
# Tries the data-file checker, the project manager and the about box as a
# new user would, on a virtual screen, on the demo laid out as a design
# project (with its descriptions and screenshots beside the data files):
#  - one screenshot deleted, Ctrl+F and "Testuj" on GRY.RV3: the program
#    that shows it is listed, with the value in its field;
#  - F6, the second window's file chosen, "Bitmapy": its pictures; a line
#    chosen and "BMP/RV3": a stand-in bitmap editor logs its arguments;
#  - "Otwórz": the second window's file opens as the project;
#  - "Informacja o...": the about box with its picture.
# Screenshots go to build/<preset>/screenshots/checker-*.png.
# Usage: tools/try-checker-manager.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
screen_design_project checker-try
design=$work/design
# The data files name their descriptions and screenshots as the CD has them.
cp -r "$build/demo-cd/OPISY" "$build/demo-cd/ZRZUTY" "$design/"
rm "$design/ZRZUTY/SZACHY.BMP"
mkdir -p "$work/config/ZeltrinSoftware"
cat >"$work/pixanto.sh" <<'SCRIPT'
#!/bin/sh
{ echo "args=$#"; for a in "$@"; do echo "arg=$a"; done; } >> "$(dirname "$0")/pixanto.log"
SCRIPT
chmod +x "$work/pixanto.sh"
rm -f "$work/pixanto.log"
printf '[PLIKI]\r\nZAZAVA_BMP=%s\r\n' "$work/pixanto.sh" >"$work/config/ZeltrinSoftware/Dodorurav.cfg"

screen_start
shot_prefix=checker- shot_wait=1
screen_launch "$design/DODORURAV/dodorurav" "$design/projekt/DEMO.KLV" >"$work/dodorurav.log" 2>&1
sleep 2
main=$(xdotool search --onlyvisible --name "^Dodorurav KALVORA" | head -n 1)
focus_main() { xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowactivate "$main" 2>/dev/null || true; }
origin() { xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }'; }
# Clicks at x, y inside a window.
click_in() { read -r wx wy < <(origin "$1"); click $((wx + $2)) $((wy + $3)); }
# The dialog of that title, once it is shown.
dialog() { xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }

# The checker on the project's first data file.
focus_main
xdotool key ctrl+f
checker=$(dialog "Testowanie plików danych")
xdotool windowfocus --sync "$checker"
xdotool key alt+t
shot 1-checker
xdotool key Escape
sleep 0.5

# The project manager: the second window's file, its pictures, the editor.
focus_main
xdotool key F6
manager=$(dialog "Menadżer projektu")
xdotool windowfocus --sync "$manager"
shot 2-manager
xdotool key Tab Home Down  # into the list, the second window's file
sleep 0.3
xdotool key ctrl+Tab ctrl+Tab  # "Bitmapy"
sleep 0.3
click_in "$manager" 120 76 # its first picture
shot 3-bitmaps
xdotool key alt+b
sleep 1
echo "bitmap editor log:"
cat "$work/pixanto.log" || echo "(the bitmap editor was not started)"

# "Otwórz" on the second window's file.
xdotool key ctrl+Tab       # back to "Pliki konfiguracji", the file still chosen
sleep 0.3
shot 4-configurations
xdotool key alt+o
sleep 2
title=$(xdotool getwindowname "$main")
echo "main window: $title"
shot 5-opened

# "Informacja o..." from the help menu.
focus_main
xdotool key alt+n Right i
about=$(dialog "Dodorurav 2.1 - Informacje")
about_title=$(xdotool getwindowname "$about")
echo "about box: $about_title"
shot 6-about
xdotool windowfocus --sync "$about"
xdotool key Return
sleep 0.5
xdotool search --onlyvisible --name "^Dodorurav 2.1 - Informacje$" >/dev/null && echo "the about box is still open" >&2
# The main window's caption names the program already, so the desktop
# shows it without the application title.
[ "$title" = "Dodorurav KALVORA -> $design/okna/DRUGIE.INI" ] || { echo "the second window's file was not opened" >&2; exit 1; }
echo "the second window's file is the project"
[ "$about_title" = "Dodorurav 2.1 - Informacje" ] || { echo "the about box names the program twice" >&2; exit 1; }
