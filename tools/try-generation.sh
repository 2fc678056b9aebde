#!/usr/bin/env bash
# Tries CD folder generation as a new user would, on a virtual screen: lays
# the demo out as a design project, opens it in dodorurav, Ctrl+F9, OK and
# Yes with the proposed folders (MENU in the design's CD folder); then starts
# orvanta from the generated menu folder. Screenshots go to
# build/<preset>/screenshots/generation-*.png; the design's files are
# compared before and after (all but the new MENU and AUTORUN.INF).
# Usage: tools/try-generation.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/lib/virtual-screen.sh
screen_folders "${1:-default}"
# The runtime lies beside the designer.
screen_design_project generation-try orvanta
sums() {
  (cd "$work/design" && find . \( -path ./DODORURAV -o -path ./MENU -o -name AUTORUN.INF \) -prune -o -type f -print0 |
    sort -z | xargs -0 sha256sum)
}
sums >"$work/before.sum"

screen_start
shot_prefix=generation- shot_wait=1

screen_launch "$work/design/DODORURAV/dodorurav" "$work/design/projekt/DEMO.KLV" >"$work/dodorurav.log" 2>&1
designer=$launched
shot 1-designer 2
# The command belongs to the main window (the design surface is a window of its own).
main=$(xdotool search --onlyvisible --name "^Dodorurav" | head -n 1)
xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowactivate "$main" 2>/dev/null || true
xdotool key ctrl+F9
shot 2-dialog
xdotool key alt+o          # "&OK"
shot 3-warning
xdotool key Return         # Yes
shot 4-done 3
xdotool key Return         # "Generowanie zakończone!"
shot 5-closed

menufolder=$work/design/MENU
ls -R "$menufolder" >"$work/cd-files.txt"
screen_run_menu "$menufolder" "$work/orvanta.log"
shot 6-orvanta 2

sums >"$work/after.sum"
if cmp -s "$work/before.sum" "$work/after.sum"; then
  echo "design files unchanged"
else
  echo "design files changed:" >&2
  diff "$work/before.sum" "$work/after.sum" >&2 || true
  exit 1
fi
