#!/usr/bin/env bash
# Tries the data editor's disk search and music scan as a new user would, on
# a virtual screen and a small CD folder:
#  - the tree's folder, F5, "Znajdź" with the first mask list: the setup
#    files with sizes and folders, "Znaleziono: " counting them;
#  - a double click ("Dodaj do danych") adds one as a program, Ctrl+S writes it;
#  - a search of "*" from / stops on Esc within a second;
#  - "Skanowanie dla MP3/VQF" over the music folder, "Pełny Automat": one
#    data file per folder, each opened in the editor with its songs and folder;
#    the hints of its buttons on two lines (disksearch-hint-*.png);
#  - closing the editor during a search ends it at once.
# Screenshots go to build/<preset>/screenshots/disksearch-*.png.
# Usage: tools/try-disk-search.sh [preset]   (default: default; build zazava first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
work=$build/disksearch-try
cd_dir=$work/cd
rm -rf "$work"
mkdir -p "$cd_dir/DANE" "$cd_dir/PROGS/Warcaby" "$cd_dir/PROGS/Biuro/DISK1" "$cd_dir/MUZYKA/Rock" \
  "$cd_dir/MUZYKA/Jazz" "$work/config" "$work/data"
printf '[autorun]\r\nopen=orvanta\r\n' > "$cd_dir/AUTORUN.INF"
printf 'TITLE=Programy\r\nDESC=\r\n\r\n' > "$cd_dir/DANE/PROGRAMY.RV3"
head -c 3000 /dev/zero > "$cd_dir/PROGS/Warcaby/setup.exe"
printf 'Warcaby polskie\r\n' > "$cd_dir/PROGS/Warcaby/file_id.diz"
head -c 70000 /dev/zero > "$cd_dir/PROGS/Biuro/DISK1/INSTALL.EXE"
head -c 1048576 /dev/zero > "$cd_dir/MUZYKA/Rock/Burza.mp3"
head -c 2000000 /dev/zero > "$cd_dir/MUZYKA/Rock/Grom.mp3"
printf 'BM' > "$cd_dir/MUZYKA/Rock/Rock.bmp"
head -c 500000 /dev/zero > "$cd_dir/MUZYKA/Jazz/Noc.MP3"
printf 'Nocny jazz\r\n' > "$cd_dir/MUZYKA/Jazz/Noc.txt"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data

screen_start 1024x768
shot_prefix=disksearch- shot_wait=0.8
status=0
editor_window() { xdotool search --onlyvisible --name "^Zazava RV3 1.1 - " | head -n 1; }
search_window() { xdotool search --onlyvisible --name "^Przeszukiwanie dysku$" | head -n 1; }
# Types into the focused field after selecting what it holds.
retype() { xdotool key ctrl+a; xdotool type --delay 20 "$1"; }

screen_launch "$build/bin/zazava" "$cd_dir/DANE/PROGRAMY.RV3" >"$work/zazava.log" 2>&1
editor=$launched
sleep 1.5
shot 1-editor

# The tree opens at the data file's folder, where F5 would search; the
# programs lie elsewhere on the CD, so the search starts from its root.
xdotool windowfocus --sync "$(editor_window)"
xdotool key F5
sleep 0.8
search=$(search_window)
eval "$(xdotool getwindowgeometry --shell "$search")"
xdotool mousemove $((X + 400)) $((Y + 49)) click 1      # the start folder
retype "$cd_dir/"
xdotool key Return               # "Znajdź", the default button
shot 2-setup-files 1.5

# A double click on the first hit adds it; Ctrl+S in the editor writes it.
xdotool mousemove $((X + 60)) $((Y + 114)) click --repeat 2 --delay 80 1
sleep 0.8
shot 3-added
xdotool windowfocus --sync "$(editor_window)"
xdotool key ctrl+s
sleep 0.5
if grep -q $'^\[DISK1\]\r$' "$cd_dir/DANE/PROGRAMY.RV3" \
   && grep -q $'^SETUP=PROGS\\\\Biuro\\\\DISK1\\\\INSTALL.EXE\r$' "$cd_dir/DANE/PROGRAMY.RV3"; then
  echo "disk search: the added program is in the saved data file"
else
  echo "disk search: the saved data file lacks the added program" >&2
  status=1
fi

# "*" from /: every entry of the machine, until Esc. The walk has ended
# when "Znajdź" looks as it does at rest again.
button() { import -window root -crop 90x26+$((X + WIDTH - 92))+$((Y + 8)) +repage "$work/$1.png"; }
button idle-button
xdotool windowfocus --sync "$search"
xdotool mousemove $((X + 400)) $((Y + 21)) click 1      # the mask box
retype "*"
xdotool mousemove $((X + 400)) $((Y + 49)) click 1      # the start folder
retype "/"
xdotool key Return
sleep 1.5
shot 4-everything-searching 0
started=$(date +%s%N)
xdotool key Escape
ended=""
for _ in $(seq 100); do
  button now-button
  if [ "$(compare -metric AE "$work/idle-button.png" "$work/now-button.png" null: 2>&1 || true)" = "0" ]; then
    ended=$(date +%s%N)
    break
  fi
  sleep 0.05
done
shot 5-everything-stopped 0
if [ -n "$ended" ] && [ $(( (ended - started) / 1000000 )) -lt 1000 ]; then
  echo "disk search: Esc ended the search of / after $(( (ended - started) / 1000000 )) ms"
else
  echo "disk search: the search of / did not end within a second of Esc" >&2
  status=1
fi

# Esc at rest closes the search window (it is only hidden).
xdotool key Escape
sleep 0.5

# The music scan: its window from the menu, the music folder, the CD's data
# folder for the files, "Znajdź", then "Pełny Automat".
xdotool windowfocus --sync "$(editor_window)"
xdotool key alt+n
sleep 0.3
xdotool key Up Return                                   # the menu's last command
sleep 0.8
music=$(search_window)
eval "$(xdotool getwindowgeometry --shell "$music")"
shot 6-music-window
xdotool windowfocus --sync "$music"
click "X + 250" "Y + 49"                                 # the start folder
retype "$cd_dir/MUZYKA/"
click "X + 260" "Y + 105"                                # the folder for the data files
retype "$cd_dir/DANE/"
xdotool key Return                                       # "Znajdź"
sleep 1
shot 7-music-found
# The hints of "Auto", "Zapisz" and "Pełny Automat", each on two lines.
for hint in "auto 567 76" "save WIDTH-60 76" "full-automaton WIDTH-60 105"; do
  read -r name dx dy <<<"$hint"
  xdotool mousemove $((X + dx)) $((Y + dy))
  shot "hint-$name" 1.5
  xdotool mousemove $((X + 300)) $((Y + 300))
  sleep 0.3
done
click "X + WIDTH - 60" "Y + 105"                         # "Pełny Automat"
shot 8-full-automaton 1
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^Zazava RV3 1.1$" | head -n 1)"
xdotool key Return
sleep 0.5
for folder in Rock Jazz; do
  if [ -f "$cd_dir/DANE/$folder.rv3" ] && grep -q $'^\['"$folder"$'\]\r$' "$cd_dir/DANE/$folder.rv3"; then
    echo "music scan: $folder.rv3 holds its songs and its folder"
  else
    echo "music scan: $folder.rv3 is missing or lacks its folder" >&2
    status=1
  fi
done

# Each opens in the editor (Ctrl+O, the name typed into the file dialog),
# with the music window closed (Esc) meanwhile.
xdotool windowfocus --sync "$music"
xdotool key Escape
sleep 0.5
n=9
for folder in Rock Jazz; do
  xdotool windowfocus --sync "$(editor_window)"
  xdotool key ctrl+o
  sleep 1
  xdotool type --delay 20 "$cd_dir/DANE/$folder.rv3"
  xdotool key Return
  sleep 1
  xdotool windowfocus --sync "$(editor_window)"
  shot "$n-opened-$folder" 0.5
  n=$((n + 1))
done

# A search of everything, then the editor closed while it runs.
xdotool windowfocus --sync "$(editor_window)"
xdotool key alt+n
sleep 0.3
xdotool key Up Return
sleep 0.8
music=$(search_window)
xdotool windowfocus --sync "$music"
click "X + 250" "Y + 21"
retype "*"
click "X + 250" "Y + 49"
retype "/"
xdotool key Return
sleep 1
shot "$n-closing-during-search" 0
xdotool windowfocus --sync "$(editor_window)"
started=$(date +%s%N)
xdotool key alt+F4
for _ in $(seq 100); do
  kill -0 "$editor" 2>/dev/null || break
  sleep 0.02
done
if kill -0 "$editor" 2>/dev/null; then
  echo "closing: the editor still runs two seconds after Alt+F4" >&2
  status=1
else
  echo "closing: the editor ended $(( ($(date +%s%N) - started) / 1000000 )) ms after Alt+F4 during a search"
fi
exit $status
