#!/usr/bin/env bash
# Figures of the browser build: page ready (wasm compiled) under 1 s, the
# report of a 900-species survey in the page under 50 ms (its diversity
# report is quoted: bootstrap bands over 900 species take about as long as
# in the native tool), the whole of build/web/ under 2 MB. Builds the page
# first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh >/dev/null
scripts/test-web.sh --setup-only
node web/test/figures.js
echo "build/web/: $(du -cb build/web/index.html build/web/*.js build/web/*.css build/web/*.svg | tail -1 | cut -f1) bytes"
