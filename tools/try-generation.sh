#!/usr/bin/env bash
# Tries CD folder generation as a new user would, on a virtual screen: lays
# the demo out as a design project, opens it in dodorurav, Ctrl+F9, OK and
# Yes; then starts orvanta from the generated menu folder. Screenshots go to
# build/<preset>/screenshots/generation-*.png; the design's files are
# compared before and after.
# Usage: tools/try-generation.sh [preset]   (default: default; build it first)
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
build=$PWD/build/$preset
out=$build/screenshots
work=$build/generation-try
rm -rf "$work"
mkdir -p "$out" "$work/home" "$work/config"
python3 tools/make-demo-project.py "$build/demo-cd" "$work/design" >/dev/null
# The designer completes stored paths from its own drive: it is installed on
# the design's drive, with the runtime beside it.
mkdir -p "$work/design/DODORURAV"
cp "$build/bin/dodorurav" "$build/bin/orvanta" "$work/design/DODORURAV/"
cp "$build"/bin/*.dll "$work/design/DODORURAV/" 2>/dev/null || true
sums() { (cd "$work/design" && find . -path ./DODORURAV -prune -o -type f -print0 | sort -z | xargs -0 sha256sum); }
sums >"$work/before.sum"

display=:$((60 + RANDOM % 30))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
designer=""
menu=""
cleanup() {
  [ -n "$menu" ] && kill "$menu" 2>/dev/null || true
  [ -n "$designer" ] && kill "$designer" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1
shot() { sleep "${2:-1}"; import -window root "$out/generation-$1.png"; echo "$out/generation-$1.png"; }

"$work/design/DODORURAV/dodorurav" "$work/design/projekt/DEMO.KLV" >"$work/dodorurav.log" 2>&1 &
designer=$!
xdotool search --sync --onlyvisible --pid "$designer" >/dev/null
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

menufolder=$HOME/KalvoraCD/MENU
ls -R "$HOME/KalvoraCD" >"$work/cd-files.txt"
(cd "$menufolder" && "./orvanta" >"$work/orvanta.log" 2>&1 &
 echo $! >"$work/orvanta.pid")
menu=$(cat "$work/orvanta.pid")
for _ in $(seq 1 20); do
  xdotool search --onlyvisible --pid "$menu" >/dev/null 2>&1 && break
  sleep 0.5
done
shot 6-orvanta 2

sums >"$work/after.sum"
if cmp -s "$work/before.sum" "$work/after.sum"; then
  echo "design files unchanged"
else
  echo "design files changed:" >&2
  diff "$work/before.sum" "$work/after.sum" >&2 || true
  exit 1
fi
