#!/usr/bin/env bash
# Takes the screenshot of the main window that the README and the AppStream
# metainfo show: the program analyses examples/dez-especies.txt under a
# virtual display with a window manager, and the window, frame and icon
# included, is saved as a PNG.
#   scripts/screenshot.sh                       build/src/app/zaviro, into share/screenshots/zaviro.png
#   scripts/screenshot.sh OUT.png /usr/bin/zaviro   another program (an installed one), another file
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh xvfb x11-utils xdotool imagemagick openbox

output="${1:-share/screenshots/zaviro.png}"
program="${2:-build/src/app/zaviro}"
[ $# -ge 2 ] || scripts/build.sh >/dev/null

work="$(mktemp -d /tmp/levantamento.XXXXXX)"
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Wait until a command succeeds, for at most 10 seconds.
await() {
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Erro: tempo esgotado esperando por: $*" >&2
  return 1
}

display=":$((100 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY="$display"
await xdotool getmouselocation
openbox >/dev/null 2>&1 &
pids+=($!)
wm_ready() { xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW; }
await wm_ready

cp examples/dez-especies.txt "$work/"
"$program" >"$work/saida" 2>&1 &
pids+=($!)
app=$!
await xdotool search --onlyvisible --pid "$app"
window="$(xdotool search --onlyvisible --pid "$app" | head -n 1)"
dialog_open() { [ "$(xdotool search --onlyvisible --pid "$app" | wc -l)" -gt 1 ]; }
dialog_closed() { ! dialog_open; }
xdotool windowactivate --sync "$window"

# "Calcular", the example's name in the file dialog, Enter; the report.
xdotool key --clearmodifiers alt+c
await dialog_open
sleep 0.5
xdotool type --delay 20 "$work/dez-especies.txt"
xdotool key Return
await dialog_closed
sleep 0.5
mkdir -p "$(dirname "$output")"
import -frame -window "$window" "$output"
echo "$output"
