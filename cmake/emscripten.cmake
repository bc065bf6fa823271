# The web build with Debian's emscripten (no ports: nothing is downloaded at build time).
#   cmake -S . -B build-web -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake \
#         -DZIBOLT_HOST_STREAM_DIR=$PWD/build/stream
# scripts/web.sh does this after building the host tree whose main stream, glyphs and data
# folder the page packs.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# The engine reports bad input by exceptions; emscripten aborts on them unless asked to catch.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")

# emcc's JavaScript passes load node modules from Debian's /usr/share/nodejs, where a node
# installed from elsewhere does not look.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
