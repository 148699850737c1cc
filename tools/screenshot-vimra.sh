#!/usr/bin/env bash
# Takes a screenshot of the Vimra main window after Update Cat View on the
# shipped example, on a virtual X display: docs/vimra-main-window.png; then
# pictures of the appearance sheet, the fonts sheet and the colour picker
# (docs/appearance-sheet.png, fonts-sheet.png, colour-picker.png).
# Run after a build with its tests (./test.sh or cmake --build build).
set -euo pipefail
cd "$(dirname "$0")/.."
program_dir=build/vimra
out=${1:-docs/vimra-main-window.png}
[ -x "$program_dir/vimra" ] || { echo "build vimra first" >&2; exit 1; }
for tool in xdotool import Xvfb; do
  command -v "$tool" >/dev/null || missing=1
done
if [ -n "${missing:-}" ]; then
  sudo_cmd=""; [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq xdotool imagemagick xvfb >/dev/null
fi

# A first start on a copy of the program directory: factory settings, the example shop.
home=$(mktemp -d)
trap 'kill "${vimra_pid:-}" "${xvfb_pid:-}" 2>/dev/null || true; rm -rf "$home"' EXIT
cp -r "$program_dir"/. "$home"
rm -rf "$home"/ZK002.dat "$home"/ZK003.dat "$home"/zkas.dat "$home"/output "$home"/tempout

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

[ "$(id -u)" -ne 0 ] || export QTWEBENGINE_DISABLE_SANDBOX=1
VIMRA_HOME="$home/" QT_QPA_PLATFORM=xcb "$home/vimra" >/dev/null 2>&1 &
vimra_pid=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --name '^Vimra3$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the main window did not come up" >&2; exit 1; }
sleep 2
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key --window "$window" ctrl+u
# The preview loads its frames and pictures.
sleep 6
import -window "$window" "$out"
echo "$out"

[ -z "${1:-}" ] || exit 0
VIMRA_SCREENSHOT_DIR=docs QT_QPA_PLATFORM=offscreen build/tests/settings_sheets_test screenshots >/dev/null
VIMRA_SCREENSHOT_DIR=docs QT_QPA_PLATFORM=offscreen build/tests/upload_dialog_test screenshot >/dev/null
ls docs/appearance-sheet.png docs/fonts-sheet.png docs/colour-picker.png docs/upload-dialog.png
