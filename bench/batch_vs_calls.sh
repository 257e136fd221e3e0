#!/usr/bin/env bash
# Many surveys in one call against one call per survey: 1000 surveys of 900
# species each, reports written into a folder either way. Prints both times
# and their ratio (one call / separate calls); the aim is 0.3 or less. The
# one call also puts its outputs on the disk (one syncfs for the folder at
# the end); the separate calls, redirected by the shell, do not, so the
# ratio is the one call's worst case.
#
#   bench/batch_vs_calls.sh [path/to/zaviro-relatorio] [number of surveys]
set -euo pipefail
cd "$(dirname "$0")/.."
cli="${1:-build/src/cli/zaviro-relatorio}"
surveys="${2:-1000}"
[ -x "$cli" ] || { echo "não encontrado: $cli (compile antes: scripts/build.sh)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/dados" "$work/uma-chamada" "$work/chamadas"

# Surveys of 900 species with a few dominant ones, different in each file.
awk -v n="$surveys" -v dir="$work/dados" 'BEGIN {
  seed = 42
  for (f = 1; f <= n; ++f) {
    file = sprintf("%s/levantamento-%04d.txt", dir, f)
    printf "900    60\r\n" > file
    for (i = 0; i < 900; ++i) {
      seed = (seed * 1103515245 + 12345) % 2147483648
      individuals = 1 + seed % (i % 50 == 0 ? 5000 : 120)
      seed = (seed * 1103515245 + 12345) % 2147483648
      printf "%-6d %d\r\n", individuals, 1 + seed % 60 > file
    }
    close(file)
  }
}'

seconds() { date +%s.%N; }

start=$(seconds)
"$cli" --saida "$work/uma-chamada" "$work"/dados/*.txt
one=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')

start=$(seconds)
for file in "$work"/dados/*.txt; do
  name="$(basename "$file" .txt)"
  "$cli" "$file" >"$work/chamadas/$name-relatorio.txt"
done
separate=$(awk -v a="$start" -v b="$(seconds)" 'BEGIN { printf "%.3f", b - a }')

# Both ways wrote the same reports, but for the time in the date line.
for file in "$work"/uma-chamada/*; do
  cmp -s <(grep -av '^Data: ' "$file") <(grep -av '^Data: ' "$work/chamadas/$(basename "$file")") ||
    { echo "relatórios diferentes: $(basename "$file")" >&2; exit 1; }
done

echo "$surveys levantamentos de 900 espécies"
echo "uma chamada (--saida):  ${one} s"
echo "uma chamada por arquivo: ${separate} s"
awk -v a="$one" -v b="$separate" 'BEGIN { printf "razão: %.3f (meta: 0.3 ou menos)\n", a / b }'
