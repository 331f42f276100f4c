#!/usr/bin/env bash
# Renders the desktop icon at the sizes the hicolor theme asks for, from its SVG.
# Needs rsvg-convert (Debian: librsvg2-bin, installed by tools/install-deps.sh tools); run it
# after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh tools
cd resources/icons
id=org.qnte418grafik.qnte418grafik
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$id.svg" -o "$id-$size.png"
done
