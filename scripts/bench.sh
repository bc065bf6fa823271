#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release, baseline x86-64) and runs them: the bitmap
# copy against memcpy and SDL's software blits, the present path (colour table into 32-bit
# pixels) against SDL's INDEX8 to ARGB8888 blit and conversion, the preview's 4:1 reduction,
# then a table of the ratios. With --saver-cpu it also measures the share of one core that
# `zibolt /s` takes at 1920x1080 under a private X server over 60 seconds.
#   scripts/bench.sh [--saver-cpu] [--rounds=N] [other Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x scripts/deps.sh ]] && scripts/deps.sh bench

saver_cpu=0
args=()
for arg in "$@"; do
  if [[ "$arg" == --saver-cpu ]]; then saver_cpu=1; else args+=("$arg"); fi
done

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZIBOLT_BENCH=ON \
  -DZIBOLT_TESTS=OFF >/dev/null
targets=(zibolt_bench)
(( saver_cpu )) && targets+=(zibolt)
cmake --build build-bench -j"$(nproc)" --target "${targets[@]}"
build-bench/bench/zibolt_bench --benchmark_color=false "${args[@]}"
if (( saver_cpu )); then
  bench/saver_cpu.sh build-bench/platform/sdl/zibolt 60
  bench/saver_cpu.sh build-bench/platform/sdl/zibolt 60 --resolution 1280x720
fi
