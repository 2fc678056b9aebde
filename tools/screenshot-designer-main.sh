#!/usr/bin/env bash
# Tries the designer's main window on a virtual screen as a user would:
# start with an empty settings and data folder (the MIME package and the
# desktop entries get written), Ctrl+N through the save dialog, Ctrl+S
# pressed on the design surface, a new key placed, then closing with "Nie"
# at the question, which must leave the project's bytes alone and write
# [OPCJE]. Screenshots go to build/<preset>/screenshots/.
# Usage: tools/screenshot-designer-main.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"

screen_workdir
mkdir -p "$work/drive" "$work/config" "$work/data"
touch "$work/drive/AUTORUN.INF"
cp "$build/bin/dodorurav" "$work/drive/"
printf 'Nowy=Tworzy nowy, pusty projekt menu.\r\nKliknięcieZaznacza=Kliknięcie obiektu zaznacza go ramką.\r\n' \
  | iconv -f UTF-8 -t CP1250 > "$work/drive/HINTS.TXT"

screen_start

(cd "$work/drive" && XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" ./dodorurav >/dev/null 2>&1) &
designer=$!
screen_track "$designer"
sleep 3
click_wait=0.4
fail() { echo "FAILED: $*" >&2; exit 1; }

for file in mime/packages/zeltrin-kalvora.xml applications/zeltrin-dodorurav.desktop applications/zeltrin-zazava.desktop; do
  [ -f "$work/data/$file" ] || fail "$file was not written"
done
shot designer-main-1-start

main=$(xdotool search --name "^Dodorurav 2.1 - KALVORA$" | head -1)
xdotool windowfocus "$main"; sleep 0.3
xdotool key ctrl+n; sleep 1.5
shot designer-main-2-new-dialog
xdotool type --delay 50 "NOWY"; xdotool key Return; sleep 2
[ -f "$work/drive/NOWY.KLV" ] || fail "Ctrl+N made no project"
shot designer-main-3-new-project

# F2 shows the hint window; the pointer over "Nowy" shows its text.
xdotool windowfocus "$main"; sleep 0.3
xdotool key F2; sleep 1
xdotool mousemove 30 35; sleep 0.3; xdotool mousemove 28 36; sleep 0.8
shot designer-main-3b-hints

surface=$(xdotool search --name "^Dodorurav 2.1 -> " | head -1)
xdotool windowfocus "$surface"; sleep 0.3
xdotool key ctrl+s; sleep 1
grep -q "\[WINDOW\]" "$work/drive/NOWY.KLV" || fail "Ctrl+S on the surface wrote nothing"
saved=$(md5sum < "$work/drive/NOWY.KLV")

# The palette lies below the main window; the surface at the right half.
click 100 67        # "Klawisz kategorii"
click 800 200
shot designer-main-4-changed
xdotool windowfocus "$main"; sleep 0.3
xdotool key alt+F4; sleep 1
shot designer-main-5-question
click 629 60        # "Nie"
for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$designer" 2>/dev/null || break; sleep 0.5; done
kill -0 "$designer" 2>/dev/null && fail "the designer did not close"
[ "$(md5sum < "$work/drive/NOWY.KLV")" = "$saved" ] || fail "closing with Nie changed the project"
grep -q "PASEK=" "$work/config/ZeltrinSoftware/Dodorurav.cfg" || fail "[OPCJE] was not written"
echo "ok"
