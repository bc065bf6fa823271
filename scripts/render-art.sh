#!/usr/bin/env bash
# Re-renders every image of the show from its SVG source into the committed 8-bit BMPs.
#   scripts/render-art.sh [SOURCE-ID]     (e.g. "ship", or "icon"; default: everything)
# Needs rsvg-convert (librsvg2-bin), the Comic Neue font and python3; as root it installs
# what is missing, otherwise it prints the apt-get line. The normal build needs none of this.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh art

build=${ZIBOLT_ART_BUILD:-build-art}
cmake -S . -B "$build" -G Ninja >/dev/null
ninja -C "$build" -j2 artc >/dev/null
artc="$build/tools/artc/artc"

(cd assets/art && python3 scene_sheets.py && python3 make-manifest.py)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$artc" render assets/art/manifest.json "$work" "${1:-}"
if [[ -z "${1:-}" || "${1:-}" == icon ]]; then
  "$artc" icon-render assets/icon/Zibolt.svg assets/icon/Zibolt-small.svg \
    assets/palette/master.txt assets/icon >/dev/null
  echo "icon: rendered"
fi
"$artc" check assets/art/manifest.json
