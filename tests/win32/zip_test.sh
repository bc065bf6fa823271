#!/usr/bin/env bash
# The Windows zip holds what an unpacked saver needs beside itself, and nothing of the tests:
#   zip_test.sh WIN_BUILD HOST_DATA_DIR
set -uo pipefail
win_build=$1
host_data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$win_build/CPackConfig.cmake" -G ZIP -B "$work" >"$work/cpack.txt" 2>&1 ||
  { echo "FAIL: cpack"; cat "$work/cpack.txt"; exit 1; }
zip=$(ls "$work"/*.zip 2>/dev/null | head -n1)
[[ -n "$zip" ]] || { echo "FAIL: cpack made no zip"; cat "$work/cpack.txt"; exit 1; }
(cd "$work" && cmake -E tar xf "$zip")
top=$(ls -d "$work"/Zibolt-*/ | head -n1)

failed=0
fail() { echo "FAIL: $*"; failed=1; }
for name in Zibolt.scr ZiboltAbout.exe Install.txt; do
  [[ -s "$top/$name" ]] || fail "$name is not in the zip"
done
grep -q 'Install' "$top/Install.txt" || fail "Install.txt does not say how to install"
# Every scene file, sound and skin of the data folder, at the same place.
expected=$(cd "$host_data" && find . -type f \( -name '*.vcs' -o -name '*.wav' -o -name '*.bmp' \) | sort)
found=$(cd "$top" && find . -type f \( -name '*.vcs' -o -name '*.wav' -o -name '*.bmp' \) | sort)
[[ -n "$expected" ]] || fail "the host data folder $host_data holds no data"
[[ "$found" == "$expected" ]] || fail "the zip's data differs from the data folder: $(diff <(echo "$expected") <(echo "$found"))"
[[ ! -e "$top/PreviewHost.exe" ]] || fail "the tests' preview host is in the zip"
size=$(stat -c %s "$top/Zibolt.scr")
if (( failed )); then exit 1; fi
echo "PASS: zip ($(stat -c %s "$zip") bytes, Zibolt.scr $size bytes)"
