#!/usr/bin/env bash
# Re-renders every image of the show from its SVG source into the committed 8-bit BMPs.
#   scripts/render-art.sh [SOURCE-ID]     (e.g. "ship"; default: everything)
# Needs rsvg-convert (librsvg2-bin), the Comic Neue font and python3; as root it installs
# what is missing, otherwise it prints the apt-get line. The normal build needs none of this.
set -euo pipefail
cd "$(dirname "$0")/.."

need=(librsvg2-bin fonts-comic-neue fonts-dejavu-core python3 cmake ninja-build g++ libpng-dev nlohmann-json3-dev)
missing=()
for pkg in "${need[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  if [[ $(id -u) -eq 0 ]]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Missing Debian packages. Run:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
fi

build=${ZIBOLT_ART_BUILD:-build-art}
cmake -S . -B "$build" -G Ninja >/dev/null
ninja -C "$build" -j2 artc >/dev/null
artc="$build/tools/artc/artc"

(cd assets/art && python3 make-manifest.py)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$artc" render assets/art/manifest.json "$work" "${1:-}"
"$artc" check assets/art/manifest.json
