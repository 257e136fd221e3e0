#!/usr/bin/env bash
# Builds ZAVIRO and shows the faunistic report of the bundled example survey.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
build/src/cli/zaviro-relatorio examples/dez-especies.txt | iconv -f WINDOWS-1252 -t UTF-8 | tr -d '\r'
