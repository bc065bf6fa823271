#!/usr/bin/env bash
# Builds the show as a web page into build-web/ (index.html, page.js, zibolt.js, zibolt.wasm,
# zibolt.data) and serves it on http://127.0.0.1:8080/ until stopped (Ctrl+C).
#   scripts/web.sh [--build-only] [--port N]
# The page packs the main stream, balloon glyphs and data folder of the host build build/,
# which it builds first.
set -euo pipefail
cd "$(dirname "$0")/.."

build_only=0
port=8080
while [[ $# -gt 0 ]]; do
  case "$1" in
    --build-only) build_only=1 ;;
    --port) port=${2:?--port needs a number}; shift ;;
    *) echo "usage: $0 [--build-only] [--port N]" >&2; exit 2 ;;
  esac
  shift
done
scripts/deps.sh web

# The host tree: an existing one keeps its settings; a fresh one is made without the tests.
if [[ -f build/CMakeCache.txt ]]; then
  cmake -S . -B build >/dev/null
else
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIBOLT_TESTS=OFF >/dev/null
fi
cmake --build build -j"$(nproc)" --target zibolt_data zibolt_glyph_atlas

# emcc's JavaScript passes need Debian's node modules, wherever node itself came from.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmake -S . -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake -DZIBOLT_HOST_STREAM_DIR="$PWD/build/stream" >/dev/null
cmake --build build-web -j"$(nproc)"
echo "Built build-web/ (index.html, page.js, zibolt.js, zibolt.wasm, zibolt.data)"

(( build_only )) && exit 0
echo "Serving build-web/ on http://127.0.0.1:$port/ (Ctrl+C ends it)"
exec node platform/web/serve.mjs build-web "$port"
