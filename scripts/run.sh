#!/usr/bin/env bash
# Builds ZAVIRO and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >/dev/null
exec build/src/app/zaviro
