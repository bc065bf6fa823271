#!/usr/bin/env bash
# Builds and runs every test: the suite, the Windows cross build under Wine, the web page in
# headless chromium (beside the two), the suite again under AddressSanitizer and UBSan, then
# each fuzz target for a minute on its seed corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

jobs=$(nproc)
fuzz_seconds=${ZIBOLT_FUZZ_SECONDS:-60}
passed=0
failed=0
log=$(mktemp -d)
web_pid=
# A run that stops early also stops the web page's tests running beside it.
trap 'if [[ -n $web_pid ]]; then pkill -TERM -P "$web_pid" 2>/dev/null; kill "$web_pid" 2>/dev/null; fi
      rm -rf "$log"' EXIT

# run_ctest DIR NAME: runs one build's suite and adds its counts to the totals.
run_ctest() {
  local status=0
  ctest --test-dir "$1" --output-on-failure -j"$jobs" 2>&1 | tee "$log/$2.txt" || status=1
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log/$2.txt" | tail -n1 || true)
  if [[ -z "$line" ]]; then
    echo "== $2: ctest reported no result" >&2
    failed=$((failed + 1))
    return
  fi
  local bad total
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  [[ $status -eq 0 && $bad -eq 0 ]] || failed=$((failed > 0 ? failed : 1))
}

echo "== Build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIBOLT_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
run_ctest build plain

# The web page needs the plain build's main stream, glyphs, data folder and recorder; it is
# built with emscripten and tested in headless chromium while the other builds run.
echo "== Web page: emscripten build and chromium tests, in the background"
(
  scripts/web.sh --build-only
  cd tests/web
  npm ci --no-audit --no-fund --silent
  node --test --test-reporter=tap
) >"$log/web.txt" 2>&1 &
web_pid=$!

echo "== Windows cross build, tested under Wine"
# Needs the plain build above: its main stream, data folder, vcs and xprobe.
if scripts/deps.sh win; then
  cmake -S . -B build-win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DZIBOLT_HOST_STREAM_DIR="$PWD/build/stream" >/dev/null
  cmake --build build-win32 -j"$jobs"
  # One Wine prefix for this run's cases, made by the first of them (wineboot, about 30 s).
  ZIBOLT_WINEPREFIX="$log/wine" run_ctest build-win32 windows
else
  echo "== SKIPPED: the MinGW-w64 and Wine packages cannot be installed here;" \
       "the Windows saver is neither built nor tested"
fi

echo "== Build and test with AddressSanitizer and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZIBOLT_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
run_ctest build-asan sanitized

echo "== Fuzz each target for ${fuzz_seconds} s"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZIBOLT_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs"
pids=()
names=()
for fuzzer in build-fuzz/fuzz/fuzz_*; do
  [[ -x "$fuzzer" ]] || continue
  name=$(basename "$fuzzer")
  corpus="$log/corpus-$name"
  mkdir -p "$corpus"
  seeder="build-fuzz/fuzz/seed_${name#fuzz_}"
  [[ -x "$seeder" ]] && "$seeder" "$corpus"
  # Inputs that once made the target fail are read too (never written to).
  regressions=()
  [[ -d "fuzz/corpus/$name" ]] && regressions=("$PWD/fuzz/corpus/$name")
  (cd "$log" && "$OLDPWD/$fuzzer" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 "$corpus" "${regressions[@]}" >"$log/$name.txt" 2>&1) &
  pids+=($!)
  names+=("$name")
done
for i in "${!pids[@]}"; do
  if wait "${pids[$i]}"; then
    echo "${names[$i]}: clean ($(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log/${names[$i]}.txt" | grep -Eo '[0-9]+$' || echo '?') runs)"
    passed=$((passed + 1))
  else
    echo "${names[$i]}: FAILED"
    tail -n 60 "$log/${names[$i]}.txt"
    failed=$((failed + 1))
  fi
done

echo "== Web page in headless chromium"
web_status=0
wait "$web_pid" || web_status=$?
web_pid=
web_passed=$(grep -Eo '^# pass [0-9]+' "$log/web.txt" | grep -Eo '[0-9]+$' || echo 0)
web_failed=$(grep -Eo '^# fail [0-9]+' "$log/web.txt" | grep -Eo '[0-9]+$' || echo 0)
if [[ $web_status -ne 0 || $web_passed -eq 0 ]]; then
  tail -n 80 "$log/web.txt"
  web_failed=$((web_failed > 0 ? web_failed : 1))
else
  grep -E '^(ok|not ok) ' "$log/web.txt" || true
fi
passed=$((passed + web_passed))
failed=$((failed + web_failed))

echo
echo "summary: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
