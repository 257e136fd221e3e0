#!/usr/bin/env bash
# Renders the PNG sizes of ZAVIRO's icon from its SVG, for the hicolor theme
# and the program's own resources. Run it after changing the SVG and commit
# the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh librsvg2-bin

id=br.org.zaviro.Zaviro
icons=share/icons/hicolor
for size in 16 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$icons/scalable/apps/$id.svg" -o "$icons/${size}x${size}/apps/$id.png"
done
