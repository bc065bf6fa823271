#!/usr/bin/env bash
# Builds the benchmarks in build-bench (Release, baseline x86-64) and runs them: the bitmap
# copy against memcpy and SDL's software blits, the present path (colour table into 32-bit
# pixels) against SDL's INDEX8 to ARGB8888 blit and conversion, the preview's 4:1 reduction,
# then a table of the ratios. With --saver-cpu it also measures the share of one core that
# `zibolt /s` and its X server take over 60 seconds (ZIBOLT_SAVER_SECONDS) at 1920x1080, at
# 3840x2160 and on two monitors, each beside its peer (bench/saver_cpu.sh). With --ship-share
# it takes a screenshot of the landed ship on screens from 1366x768 to 3840x2160 and prints
# its share of the screen's height (bench/ship_share.sh; the shots go to build-bench/ship-share).
# With --web it builds the web page and measures its main-thread time per frame in headless
# chromium and its compressed download, beside the native build's time for the same show
# (bench/web_frames.mjs).
#   scripts/bench.sh [--saver-cpu] [--ship-share] [--web] [--rounds=N] [other Google Benchmark options]
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -x scripts/deps.sh ]] && scripts/deps.sh bench

saver_cpu=0
ship_share=0
web=0
args=()
for arg in "$@"; do
  case "$arg" in
    --saver-cpu) saver_cpu=1 ;;
    --ship-share) ship_share=1 ;;
    --web) web=1 ;;
    *) args+=("$arg") ;;
  esac
done

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZIBOLT_BENCH=ON \
  -DZIBOLT_TESTS=OFF >/dev/null
targets=(zibolt_bench)
# The saver with its scene files, as installed.
(( saver_cpu || ship_share )) && targets+=(zibolt zibolt_data)
(( web )) && targets+=(zibolt_frame_bench)
cmake --build build-bench -j"$(nproc)" --target "${targets[@]}"
build-bench/bench/zibolt_bench --benchmark_color=false "${args[@]}"
if (( saver_cpu )); then
  # Each case beside its peer in the same run: the saver as it was (composed at the screen's
  # own size, every repaint converted and sent whole), and one monitor beside two.
  zibolt=build-bench/platform/sdl/zibolt
  seconds=${ZIBOLT_SAVER_SECONDS:-60}
  for screen in 1920x1080 3840x2160; do
    bench/saver_cpu.sh "$zibolt" "$seconds" "$screen" "default"
    ZIBOLT_WHOLE_FRAMES=1 bench/saver_cpu.sh "$zibolt" "$seconds" "$screen" \
      "before: native, whole frames" --resolution native
  done
  # One seed for both, so that the first monitor shows the same scenes beside the second as
  # alone: what a minute costs differs several times over from scene to scene.
  seed=${ZIBOLT_SEED:-$(date +%s)}
  ZIBOLT_SEED=$seed bench/saver_cpu.sh "$zibolt" "$seconds" 1920x1080+1920x1080 \
    "one of two monitors" --monitors primary
  ZIBOLT_SEED=$seed bench/saver_cpu.sh "$zibolt" "$seconds" 1920x1080+1920x1080 \
    "two monitors, a show each"
fi
if (( ship_share )); then
  bench/ship_share.sh build-bench/platform/sdl/zibolt build-bench/ship-share
fi
if (( web )); then
  scripts/web.sh --build-only
  (cd tests/web && npm ci --no-audit --no-fund --silent)
  node bench/web_frames.mjs build-bench/bench/zibolt_frame_bench
fi
