#!/usr/bin/env bash
# Configures and builds ZAVIRO in build/ (after installing what is missing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAV_STRICT=ON >/dev/null
cmake --build build --parallel "$(nproc)"
