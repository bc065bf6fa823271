#!/usr/bin/env bash
# Builds the show and runs it in an 800 x 600 window (Escape or the close button ends it).
# Without a display it records a minute of the show as build/zibolt.gif instead.
#   scripts/show.sh [zibolt options, e.g. /s for full screen]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh show

# A fresh tree is configured without the tests, whose packages "show" does not install; an
# existing tree keeps its settings.
if [[ -f build/CMakeCache.txt ]]; then
  cmake -S . -B build >/dev/null
else
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIBOLT_TESTS=OFF >/dev/null
fi
cmake --build build -j"$(nproc)" --target zibolt zibolt-about zibolt_data

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec build/platform/sdl/zibolt "$@"
fi
echo "No display: recording a minute of the show to build/zibolt.gif instead of showing it"
build/platform/sdl/zibolt --record build/zibolt.gif --seconds 60
echo "Wrote build/zibolt.gif"
