#!/usr/bin/env bash
# The author's road from an empty folder to a CD, as a new user walks it on a
# virtual screen: a folder tree of programs in two categories (blanks and
# Polish letters in the names), a picture and a mask; a new project saved
# into the tree and AUTORUN.INF made when the designer offers it; two keys,
# their data files made with the RV3 button and filled in zazava from its
# file list; Ctrl+F9 with the proposed folders; then orvanta from the
# generated menu folder: a category, a program, Start, which runs the
# program (a stand-in that leaves a marker file). Screenshots of each step go
# to build/<preset>/screenshots/road-*.png.
# Usage: tools/try-author-road.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"

work=$build/author-road
rm -rf "$work"
mkdir -p "$work/home" "$work/config" "$work/data" "$work/programs"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
# The designer with the runtime and the data editor beside it, as installed.
for program in dodorurav orvanta zazava; do cp "$build/bin/$program" "$work/programs/"; done
cp "$build"/bin/*.dll "$work/programs/" 2>/dev/null || true

# The author's tree: nothing of the system in it yet.
cd_dir="$work/Moja płyta"
marker=$work/uruchomiono
stand_in() { # folder, file name, what it marks
  mkdir -p "$1"
  printf '#!/bin/sh\necho "%s" >> "%s"\n' "$3" "$marker" > "$1/$2"
  chmod +x "$1/$2"
}
stand_in "$cd_dir/Gry łamigłówki/Kółko i krzyżyk" "kółko.sh" "kółko i krzyżyk"
stand_in "$cd_dir/Gry łamigłówki/Sudoku" "sudoku.sh" "sudoku"
stand_in "$cd_dir/Programy użytkowe/Liczydło" "liczydło.sh" "liczydło"
mkdir -p "$cd_dir/grafika"
convert -size 640x480 gradient:'#203080'-'#802040' "BMP3:$cd_dir/grafika/tło.bmp"
# The mask: black is the window, white is cut away.
convert -size 640x480 xc:white -fill black -draw "roundrectangle 0,0 639,479 60,60" \
  -monochrome -colors 2 -type bilevel "BMP3:$cd_dir/grafika/maska.bmp"

screen_start
shot_prefix=road- shot_wait=0.8
main_window() { xdotool search --onlyvisible --name "^Dodorurav" | head -n 1; }
focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowactivate "$1" 2>/dev/null || true; }

screen_launch "$work/programs/dodorurav" >"$work/dodorurav.log" 2>&1
shot 01-designer 2
focus "$(main_window)"
xdotool key ctrl+n
shot 02-new-project-dialog 1.5
type_text "$cd_dir/menu.KLV"
xdotool key Return
shot 03-cd-folder-offered 1.5
xdotool key Return         # "Tak": AUTORUN.INF in the proposed folder
shot 04-new-project 2
# The background and the mask, typed into the inspector as stored paths.
click 167 228; xdotool key ctrl+a; type_text 'grafika\tło.bmp'; xdotool key Return
click 167 540; xdotool key ctrl+a; type_text 'grafika\maska.bmp'; xdotool key Return
shot 05-background-and-mask 1.5
click 45 102               # the page "Klawisze menu"
shot 06-key-palette
# Two category keys, Start and Koniec from the palette.
click 117 187; click 680 90
click 117 187; click 680 150
click 117 213; click 680 420
click 117 239; click 1050 420
shot 07-keys-placed
click 124 102              # the page "Inne obiekty"
shot 08-other-objects
click 117 159; click 900 150   # the program list
shot 09-list-placed
# The first key: its caption, its data file typed (it does not exist yet),
# then RV3, which offers to make it and opens the data editor on it.
click 719 107
click 196 102              # the page "Właściwości"
click 167 180; xdotool key ctrl+a; type_text 'Gry łamigłówki'; xdotool key Return
click 167 420; xdotool key ctrl+a; type_text 160; xdotool key Return
click 167 324; xdotool key ctrl+a; type_text 'Dane\gry.RV3'; xdotool key Return
shot 10-first-key
click 86 324               # RV3
shot 11-make-data-file 1.5
xdotool key Return         # "Tak"
sleep 2.5
zazava=$(xdotool search --onlyvisible --name "Zazava" | head -n 1)
shot 12-data-editor
dblclick() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click --repeat 2 --delay 80 1; sleep 0.6; }
# The editor opens at the data file's folder: its tree finds the program's
# folder by its first letters, the file list shows the program, whose menu
# adds it ("Dodaj nowy").
add_program() { # category, program folder
  xdotool mousemove 84 155 click 1   # the tree's current folder (the data file's)
  sleep 0.3
  type_text "$1"
  sleep 0.6
  xdotool key Right
  sleep 0.3
  type_text "$2"
  sleep 0.8
  xdotool mousemove 60 239 click 1
  sleep 0.3
  xdotool click 3
  sleep 0.4
  xdotool key Return       # "Dodaj nowy", the default
  sleep 0.5
}
add_program "Gry" "K"
shot 13-program-added
xdotool key ctrl+s
sleep 0.5
xdotool key alt+F4
sleep 1

# The second key the same way, its programs from the other category.
focus "$(main_window)"
click 719 167
click 167 180; xdotool key ctrl+a; type_text 'Programy użytkowe'; xdotool key Return
click 167 420; xdotool key ctrl+a; type_text 160; xdotool key Return
click 167 324; xdotool key ctrl+a; type_text 'Dane\programy.RV3'; xdotool key Return
click 86 324               # RV3
xdotool key Return         # "Tak"
sleep 2.5
add_program "Prog" "Licz"
shot 14-second-data-file
xdotool key ctrl+s
sleep 0.5
xdotool key alt+F4
sleep 1

focus "$(main_window)"
xdotool key ctrl+s
shot 15-saved
xdotool key ctrl+F9
shot 16-generation 1.5
xdotool key alt+o          # "&OK" with the proposed folders
shot 17-warning
xdotool key Return         # "Tak"
shot 18-generated 3
xdotool key Return         # "Generowanie zakończone!"
sleep 0.5
ls -R "$cd_dir" >"$work/cd-files.txt"

# The CD: orvanta from its menu folder, as the user opens MENU/orvanta.
screen_run_menu "$cd_dir/MENU" "$work/orvanta.log"
shot 19-menu 2
# The menu stands centred on the screen, 640 x 480 from (320, 272).
click 440 329              # "Gry łamigłówki"
shot 20-category
click 620 382              # its program
shot 21-program
click 399 660              # Start
sleep 2
shot 22-started
if grep -qx "kółko i krzyżyk" "$marker" 2>/dev/null; then
  echo "Start ran the program: $(cat "$marker")"
else
  echo "Start did not run the program" >&2
  cat "$work/orvanta.log" >&2 || true
  exit 1
fi
click 440 389              # "Programy użytkowe"
click 620 382              # its program
click 399 660              # Start
sleep 2
shot 23-second-category
if grep -qx "liczydło" "$marker"; then
  echo "and the second category's program: $(tail -n 1 "$marker")"
else
  echo "Start did not run the second category's program" >&2
  exit 1
fi
# No autostart program is configured: AUTORUN.INF starts the menu.
grep -q 'OPEN=MENU\\ORVANTA.EXE /OPCJE' "$cd_dir/AUTORUN.INF" || { echo "AUTORUN.INF does not start the menu" >&2; exit 1; }
echo "author's road: ok"
