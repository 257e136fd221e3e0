#!/usr/bin/env bash
# How fast the main window appears, against a bare Qt 6 window with a menu bar
# and a text view: each program is started, shows its window and ends at its
# first paint, turn about, RUNS times (30 by default); the medians are
# compared. Fails when the main window takes more than 15 % longer. Uses the
# display there is, or a virtual X server (xvfb-run), or else the offscreen
# platform. Usage: bench/startup.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${RUNS:-30}"
zaviro="$build/bench/startup_zaviro"
bare="$build/bench/startup_bare"
[ -x "$zaviro" ] && [ -x "$bare" ] || {
  echo "Compile primeiro: cmake --build $build --target startup_zaviro startup_bare" >&2
  exit 2
}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${ZAV_IN_XVFB:-}" ]; then
  if command -v xvfb-run >/dev/null; then
    exec env ZAV_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
  fi
  export QT_QPA_PLATFORM=offscreen
fi

# Milliseconds from start to end of one run.
run_ms() {
  local start end
  start=$(date +%s%N)
  "$1" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Warm the file cache for both.
run_ms "$bare" >/dev/null
run_ms "$zaviro" >/dev/null
zaviro_times=()
bare_times=()
for ((i = 0; i < runs; i++)); do
  bare_times+=("$(run_ms "$bare")")
  zaviro_times+=("$(run_ms "$zaviro")")
done
bare_ms=$(printf '%s\n' "${bare_times[@]}" | median)
zaviro_ms=$(printf '%s\n' "${zaviro_times[@]}" | median)
echo "plataforma: ${QT_QPA_PLATFORM:-xcb} (DISPLAY=${DISPLAY:-})  execuções: $runs"
echo "janela Qt 6 simples: mediana $bare_ms ms"
echo "janela do ZAVIRO:    mediana $zaviro_ms ms"
awk -v z="$zaviro_ms" -v b="$bare_ms" 'BEGIN {
  r = z / b; printf "razão: %.3f (limite 1.150)\n", r; exit (r <= 1.15) ? 0 : 1 }'
