#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release, baseline x86-64) and runs them: the bitmap
# copy against memcpy and SDL's software blits, the present path (colour table into 32-bit
# pixels) against SDL's INDEX8 to ARGB8888 blit and conversion, the preview's 4:1 reduction,
# then a table of the ratios. With --saver-cpu it also measures the share of one core that
# `zibolt /s` takes at 1920x1080 under a private X server over 60 seconds. With --web it
# builds the web page and measures its main-thread time per frame in headless chromium and its
# compressed download, beside the native build's time for the same show (bench/web_frames.mjs).
#   scripts/bench.sh [--saver-cpu] [--web] [--rounds=N] [other Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x scripts/deps.sh ]] && scripts/deps.sh bench

saver_cpu=0
web=0
args=()
for arg in "$@"; do
  case "$arg" in
    --saver-cpu) saver_cpu=1 ;;
    --web) web=1 ;;
    *) args+=("$arg") ;;
  esac
done

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZIBOLT_BENCH=ON \
  -DZIBOLT_TESTS=OFF >/dev/null
targets=(zibolt_bench)
(( saver_cpu )) && targets+=(zibolt)
(( web )) && targets+=(zibolt_frame_bench)
cmake --build build-bench -j"$(nproc)" --target "${targets[@]}"
build-bench/bench/zibolt_bench --benchmark_color=false "${args[@]}"
if (( saver_cpu )); then
  bench/saver_cpu.sh build-bench/platform/sdl/zibolt 60
  bench/saver_cpu.sh build-bench/platform/sdl/zibolt 60 --resolution 1280x720
fi
if (( web )); then
  scripts/web.sh --build-only
  (cd tests/web && npm ci --no-audit --no-fund --silent)
  node bench/web_frames.mjs build-bench/bench/zibolt_frame_bench
fi
