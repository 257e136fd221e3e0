#!/usr/bin/env bash
# Builds ZAVIRO and runs every test suite: the normal suite, the checks of
# the Debian package, then the core under the sanitizers and the fuzz
# targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
scripts/package-check.sh
scripts/reliability.sh
