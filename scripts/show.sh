#!/usr/bin/env bash
# Builds the project and runs the show in a window (Escape closes it). Without a display it
# records a minute of the show as build/zibolt.gif instead.
#   scripts/show.sh [zibolt options, e.g. /s for full screen]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh show

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec build/platform/sdl/zibolt "$@"
fi
echo "No display: recording a minute of the show to build/zibolt.gif"
build/platform/headless/zibolt-record --record build/zibolt.gif --seconds 60
echo "Wrote build/zibolt.gif"
