#!/usr/bin/env bash
# Tries alignment, the path change and the required files on the demo's
# design project as a new user would, on a virtual screen:
#  - three keys selected with Shift ("Gry", "Eksploruj", "Edycja"),
#    "Wyrównaj" from the frame's pop-up with top edges, widest and
#    horizontal spacing, OK, Ctrl+S: the saved LEFT/TOP/WIDTH must show
#    equal tops, equal widths and equal gaps;
#  - the design's folder "obrazy" renamed to "grafika" on disk, then
#    "Zmień ścieżki dostępu" from "obrazy\" to "grafika" (typed without
#    "\"): the saved project names grafika\ and no obrazy\, and the
#    reloaded surface shows its pictures again;
#  - one picture renamed, then "Wymagane pliki projektu": the demo's files
#    ticked, the renamed one not.
# Screenshots go to build/<preset>/screenshots/align-*.png.
# Usage: tools/try-alignment-paths.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
screen_design_project align-try
design=$work/design
project=$design/projekt/DEMO.KLV

screen_start
shot_prefix=align- shot_wait=1
click_wait=0.4
status=0
fail() { echo "$*" >&2; status=1; }

# LEFT TOP WIDTH of one key as saved.
saved_bounds() {
  python3 - "$project" "$1" <<'PY'
import configparser, sys
ini = configparser.ConfigParser(strict=False, interpolation=None)
ini.optionxform = str.upper
ini.read_string(open(sys.argv[1], encoding="cp1250").read())
print(*(ini[s][sys.argv[2]] for s in ("LEFT", "TOP", "WIDTH")))
PY
}

# Clicks the item at row (from 0) of the menu bar's "Projekt" menu.
projekt_item() {
  click 170 8
  click 220 "29 + $1 * 22"
}

screen_launch "$design/DODORURAV/dodorurav" "$project" >"$work/dodorurav.log" 2>&1
designer=$launched
sleep 2
surface=$(xdotool search --onlyvisible --name "płyta demonstracyjna" | head -n 1)
# A click on the bare main window makes the designer the active program.
xdotool mousemove 1000 10 click 1
sleep 0.5

# Alignment. The keys 1001, 10004 and 10008 stand at (14,160), (180,443)
# and (250,443) of the surface.
eval "$(xdotool getwindowgeometry --shell "$surface")"
click "X + 30" "Y + 170"
xdotool keydown shift
click "X + 200" "Y + 455"
click "X + 270" "Y + 455"
xdotool keyup shift
shot 1-three-selected
xdotool mousemove $((X + 30)) $((Y + 175)) click 3
sleep 0.5
xdotool key Down Return
sleep 1
dialog=$(xdotool search --onlyvisible --name "Wyrównaj obiekty" | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$dialog")"
click "X + 30" "Y + 101"   # Górnymi krawędziami
click "X + 217" "Y + 49"   # Do najszerszego
click "X + 136" "Y + 220"  # poziomo
shot 2-dialog
xdotool key Return
shot 3-aligned
# The keys reach the program under the pointer.
xdotool mousemove 1000 10 click 1
xdotool key ctrl+s
sleep 1
read -r l1 t1 w1 <<<"$(saved_bounds 1001)"
read -r l2 t2 w2 <<<"$(saved_bounds 10004)"
read -r l3 t3 w3 <<<"$(saved_bounds 10008)"
echo "saved: 1001 at $l1,$t1 w$w1; 10004 at $l2,$t2 w$w2; 10008 at $l3,$t3 w$w3"
[ "$t1" = "$t2" ] && [ "$t2" = "$t3" ] || fail "the tops differ"
[ "$w1" = "$w2" ] && [ "$w2" = "$w3" ] || fail "the widths differ"
gap1=$((l2 - l1 - w1)) gap2=$((l3 - l2 - w2))
[ "$gap1" = "$gap2" ] || fail "the gaps differ: $gap1 and $gap2"
echo "equal tops $t1, widths $w1, gaps $gap1"

# Path change: the pictures' folder renamed on disk, and the project
# opened anew, which finds none of them (each missing picture is told).
mv "$design/obrazy" "$design/grafika"
kill "$designer"
wait "$designer" 2>/dev/null || true
screen_launch "$design/DODORURAV/dodorurav" "$project" >>"$work/dodorurav.log" 2>&1
designer=$launched
sleep 2
for _ in $(seq 40); do
  message=$(xdotool search --onlyvisible --name '^Dodorurav 2\.1$' | head -n 1) || true
  [ -n "$message" ] || break
  # The keys reach the window under the pointer.
  eval "$(xdotool getwindowgeometry --shell "$message" 2>/dev/null)" || continue
  xdotool mousemove $((X + 20)) $((Y + 20)) key Return 2>/dev/null || true
  sleep 0.3
done
xdotool mousemove 1000 10 click 1
shot 4-pictures-missing
projekt_item 4   # Wymagane pliki projektu
shot 5-required-after-rename
xdotool key Return
sleep 0.5
projekt_item 6   # Zmień ścieżki dostępu
sleep 1
xdotool key ctrl+a
xdotool type --delay 50 'obrazy\'
xdotool key Tab
xdotool type --delay 50 'grafika'
shot 6-path-dialog
xdotool key Return
sleep 2
xdotool key Escape
shot 7-pictures-back 2
if grep -qi 'obrazy\\' "$project"; then fail "the saved project still names obrazy\\"; fi
grep -q 'grafika\\' "$project" || fail "the saved project names no grafika\\"

# Required files: one picture renamed.
mv "$design/grafika/START.BMP" "$design/grafika/START-STARY.BMP"
projekt_item 4
shot 8-required-one-missing
xdotool key Return

if grep -q "ERROR: AddressSanitizer\|runtime error" "$work/dodorurav.log"; then
  fail "sanitizer reports in $work/dodorurav.log"
fi
exit $status
