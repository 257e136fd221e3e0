#!/usr/bin/env bash
# zaviro-relatorio on a survey of 900 species against `cat` of the same file,
# side by side under hyperfine (apt-get install hyperfine): both write to
# /dev/null; the medians and their ratio are printed. Fails when the report
# takes more than twice the time of `cat`. The workbook code is a module
# loaded only for --importar and --xlsx, so it costs this run nothing.
#
#   bench/startup_cli.sh [path/to/zaviro-relatorio]
set -euo pipefail
cd "$(dirname "$0")/.."
cli="$(realpath "${1:-build/src/cli/zaviro-relatorio}")"
[ -x "$cli" ] || { echo "não encontrado: $cli (compile antes: scripts/build.sh)" >&2; exit 2; }
command -v hyperfine >/dev/null || { echo "instale o hyperfine (apt-get install hyperfine)" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
awk 'BEGIN {
  printf "900    60\r\n"
  for (i = 0; i < 900; ++i) printf "%-6d %d\r\n", 1 + (i * 7919) % 120, 1 + i % 60
}' >"$work/levantamento.txt"

hyperfine -N --warmup 20 --runs "${RUNS:-300}" --export-json "$work/tempos.json" \
  -n cat "cat $work/levantamento.txt" \
  -n zaviro-relatorio "$cli $work/levantamento.txt" >/dev/null
python3 - "$work/tempos.json" <<'PY'
import json, sys
results = {r["command"]: r["median"] * 1000 for r in json.load(open(sys.argv[1]))["results"]}
cat, report = results["cat"], results["zaviro-relatorio"]
ratio = report / cat
print(f"cat:              mediana {cat:.3f} ms")
print(f"zaviro-relatorio: mediana {report:.3f} ms")
print(f"razão: {ratio:.2f} (limite 2.00)")
sys.exit(0 if ratio <= 2.0 else 1)
PY
