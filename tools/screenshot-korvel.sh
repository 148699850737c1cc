#!/usr/bin/env bash
# Takes a screenshot of the Korvel main window on the shipped example shop,
# on a virtual X display: the structure tree fully expanded and an item
# chosen, so the entry form shows it: docs/korvel-main-window.png (or the
# file named as the first argument).
# Run after a build (./run.sh, ./test.sh or cmake --build build).
set -euo pipefail
cd "$(dirname "$0")/.."
program_dir=build/vimra
out=${1:-docs/korvel-main-window.png}
for program in korvel korvel-cli; do
  [ -x "$program_dir/$program" ] || { echo "build $program first" >&2; exit 1; }
done
[ -f "$program_dir/example/example.txt" ] || { echo "no example shop in $program_dir" >&2; exit 1; }
for tool in xdotool import Xvfb; do
  command -v "$tool" >/dev/null || missing=1
done
if [ -n "${missing:-}" ]; then
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq xdotool imagemagick xvfb >/dev/null
fi

# A copy of the example shop, and settings of its own: the recent-file list
# the editor keeps stays out of the user's.
work=$(mktemp -d)
cleanup() {
  [ -z "${korvel_pid:-}" ] || kill "$korvel_pid" 2>/dev/null || true
  [ -z "${xvfb_pid:-}" ] || kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$program_dir/example" "$work/example"
data_file=$work/example/example.txt
export XDG_CONFIG_HOME=$work/config

# Xvfb picks a free display itself and tells its number.
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -1 "$work/display")
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

QT_QPA_PLATFORM=xcb "$program_dir/korvel" "$data_file" >"$work/korvel.log" 2>&1 &
korvel_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name ' - Korvel$' | head -1) || true
if [ -z "$window" ]; then
  echo "the main window did not come up; its output:" >&2
  cat "$work/korvel.log" >&2
  exit 1
fi
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || true
# A click into the tree, which takes the keyboard from then on.
xdotool mousemove --window "$window" 60 60 click 1
sleep 0.3

# "*" on each row from the top expands everything below it; a file has no
# more rows than lines.
rows=$(grep -c '' "$data_file")
keys=(Home)
for _ in $(seq "$rows"); do keys+=(asterisk Down); done
xdotool key --delay 15 "${keys[@]}"

# The first item inside an index, counted in tree order (every row shown now).
item_row=$("$program_dir/korvel-cli" tree "$data_file" | awk -F'\t' '$1 == 0 && $2 >= 1 { print NR - 1; exit }')
[ -n "$item_row" ] || { echo "the example shop has no item inside an index" >&2; exit 1; }
keys=(Home)
for _ in $(seq "$item_row"); do keys+=(Down); done
xdotool key --delay 15 "${keys[@]}"
sleep 1

kill -0 "$korvel_pid" 2>/dev/null || { echo "korvel ended early; its output:" >&2; cat "$work/korvel.log" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "$out"
