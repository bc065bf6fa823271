#!/usr/bin/env bash
# Builds the project and runs the show.
# Until the show itself exists this builds the sample stream with the scene tool and prints
# its structure, which is what the engine reads.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh show

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIBOLT_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"

echo "The show is not built yet; showing the sample stream through the vcs tool instead."
build/tools/vcs/vcs build tools/vcs/samples/hello.json -o build/data/hello.vcs
build/tools/vcs/vcs tokens build/data/hello.vcs
