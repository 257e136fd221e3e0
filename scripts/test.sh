#!/usr/bin/env bash
# Builds ZAVIRO and runs every test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
