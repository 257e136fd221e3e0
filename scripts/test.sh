#!/usr/bin/env bash
# Builds ZAVIRO (the desktop and the browser builds) and runs every test
# suite: the normal suite, with the browser build's command-line tool under
# node; the page in headless chromium; the checks of the Debian package;
# then the core under the sanitizers and the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
# The browser build first: the native configure then adds the test of its
# command-line tool under node.
scripts/build-web.sh
scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
scripts/test-web.sh
scripts/package-check.sh
scripts/reliability.sh
