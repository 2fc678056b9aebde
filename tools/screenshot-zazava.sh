#!/usr/bin/env bash
# Tries the data editor as a new user would on a virtual screen: opens a
# category's data file, adds a program from the file list, renames it in
# place, saves with Ctrl+S and checks the file's bytes; closed, it has kept
# the pane widths in Zazava.cfg. Screenshots go to build/<preset>/screenshots/.
# Usage: tools/screenshot-zazava.sh [preset]   (default: default; build zazava first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
cd_dir=$build/zazava-cd

# A small CD: a data file in Windows-1250 with a Polish name, two program
# folders.
rm -rf "$cd_dir" "$build/zazava-config"
mkdir -p "$cd_dir/DANE" "$cd_dir/PROGS/Warcaby" "$cd_dir/PROGS/Łamigłówka" "$build/zazava-config"
printf '[autorun]\r\nopen=orvanta\r\n' > "$cd_dir/AUTORUN.INF"
head -c 3000 /dev/zero > "$cd_dir/PROGS/Warcaby/setup.exe"
printf 'Warcaby polskie\r\n' > "$cd_dir/PROGS/Warcaby/file_id.diz"
head -c 1000 /dev/zero > "$cd_dir/PROGS/Łamigłówka/instaluj"
header='TITLE=Gry logiczne\r\nDESC=Opisy\\gry.txt\r\n\r\n'
chess='[Szachy \xbf\xf3\xb3wia]\r\nSETUP=PROGS\\SZACHY\\setup.exe\r\nOPIS=Gra w szachy\r\nKATALOG=PROGS\\SZACHY\\\r\nKOPIA=SZACHY\r\nNUMER=\r\nSYSTEM=Windows 95\r\nROZMIAR=12 KB\r\nINFO=Zeltrin\r\nAMBITNY=\r\nZRZUT=\r\n'
printf "$header$chess" > "$cd_dir/DANE/GRY.RV3"
added='[Warcaby Mistrz\xf3w]\r\nSETUP=PROGS\\Warcaby\\setup.exe\r\nOPIS=PROGS\\Warcaby\\file_id.diz\r\nKATALOG=PROGS\\Warcaby\\\r\nKOPIA=Warcaby\r\nNUMER=\r\nSYSTEM=\r\nROZMIAR=3 KB\r\nINFO=\r\nAMBITNY=\r\nZRZUT=\r\n'
printf "$header$chess$added" > "$build/zazava-expected.RV3"

screen_start 1024x768
export XDG_CONFIG_HOME=$build/zazava-config

screen_launch "$build/bin/zazava" "$cd_dir/DANE/GRY.RV3" >/dev/null 2>&1
editor=$launched
sleep 1.5
shot_prefix=zazava- shot_wait=0.6
dblclick() { xdotool mousemove "$1" "$2"; sleep 0.2; xdotool click --repeat 2 --delay 80 1; }

shot 1-opened
# The tree opens at the data file's folder (DANE); PROGS is the next folder.
xdotool mousemove 150 155 click 1
sleep 0.8
dblclick 54 239            # Warcaby
sleep 0.5
xdotool mousemove 62 265 click 1   # setup.exe
sleep 0.3
xdotool click 3            # the file list's menu
shot 2-file-menu
xdotool key Return         # "Dodaj nowy", the default
shot 3-added
dblclick 300 41            # the new program's name: rename in place
sleep 0.4
xdotool key ctrl+a
type_text "Warcaby Mistrzów"
shot 4-renaming
xdotool key Return
sleep 0.3
xdotool key ctrl+s
shot 5-saved
if cmp "$cd_dir/DANE/GRY.RV3" "$build/zazava-expected.RV3"; then
  echo "zazava: the saved data file holds the expected bytes"
else
  echo "zazava: the saved data file differs from the expected bytes" >&2
  exit 1
fi

# A start and a close that leave the splitters alone keep the pane widths
# in Zazava.cfg as they were: the defaults first, then those written below.
panes_kept() {
  xdotool windowfocus --sync "$launched_window"
  xdotool key alt+F4
  wait "$editor" || true
  if grep -q $'^Pion='"$1"$'\r$' "$XDG_CONFIG_HOME/ZeltrinSoftware/Zazava.cfg" \
     && grep -q $'^Pion_1='"$2"$'\r$' "$XDG_CONFIG_HOME/ZeltrinSoftware/Zazava.cfg"; then
    echo "zazava: the pane widths $1 and $2 were kept"
  else
    echo "zazava: the pane widths $1 and $2 were not kept" >&2
    exit 1
  fi
}

# Once more with the toolbar and the optional fields shown, in a larger
# window, as Zazava.cfg keeps them.
panes_kept 250 199
printf '[Split]\r\nPion=260\r\nPion_1=220\r\n[WINDOW]\r\nW=1000\r\nH=640\r\nT=0\r\nL=0\r\nPASEK=1\r\nOPCJONALNE=1\r\n' \
  > "$XDG_CONFIG_HOME/ZeltrinSoftware/Zazava.cfg"
screen_launch "$build/bin/zazava" "$cd_dir/DANE/GRY.RV3" >/dev/null 2>&1
editor=$launched
sleep 1.5
shot 6-main-window
panes_kept 260 220
