#!/usr/bin/env bash
# Draws one PNG with every frame of the show, named, over a checker board where the image's
# key colour (see-through) is, hot spots marked in magenta.
#   scripts/contact-sheet.sh [OUT.png]    (default: build-art/contact-sheet.png)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZIBOLT_ART_BUILD:-build-art}
out=${1:-$build/contact-sheet.png}
command -v rsvg-convert >/dev/null || { echo "needs rsvg-convert: apt-get install librsvg2-bin" >&2; exit 1; }
cmake -S . -B "$build" -G Ninja >/dev/null
ninja -C "$build" -j2 artc >/dev/null
"$build/tools/artc/artc" sheet assets/art/manifest.json "$build/contact-sheet.svg"
rsvg-convert -f png -o "$out" "$build/contact-sheet.svg"
echo "$out"
