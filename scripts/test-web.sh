#!/usr/bin/env bash
# Tests the page of build/web/ (scripts/build-web.sh) in Debian's chromium,
# headless, driven by puppeteer-core from web/package-lock.json: the page
# is opened from file://, a survey chosen, its report read and downloaded,
# the charts opened; a screenshot is left in build/web-test/pagina.png.
# With --setup-only, only installs what the tests need.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh chromium
command -v npm >/dev/null || scripts/install-deps.sh npm
# No browser download: the tests drive the system's chromium.
(cd web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null)
[ "${1:-}" = "--setup-only" ] && exit 0
node web/test/page-test.js build/web-test/pagina.png
