#!/usr/bin/env bash
# Builds ZAVIRO (scripts/build.sh) and its Debian package,
# build/zaviro_<version>_<arch>.deb, whose dependencies dpkg-shlibdeps finds.
# Install it with: sudo apt install ./build/zaviro_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
rm -f build/zaviro_*.deb
(cd build && cpack -G DEB >cpack.log 2>&1) || { cat build/cpack.log; exit 1; }
ls build/zaviro_*.deb
