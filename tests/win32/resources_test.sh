#!/usr/bin/env bash
# Both programs carry the hero icon at 16 to 256 pixels and their version information, as
# Explorer and the display settings show them:
#   resources_test.sh WIN_BUILD VERSION
set -uo pipefail
win_build=$1
version=$2
for tool in wrestool icotool; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (icoutils)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
fail() { echo "FAIL: $*"; failed=1; }
for program in Zibolt.scr ZiboltAbout.exe; do
  file=$win_build/$program
  wrestool -x --type=group_icon "$file" -o "$work/$program.ico" 2>/dev/null
  sizes=$(icotool -l "$work/$program.ico" 2>/dev/null | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
  [[ "$sizes" == "16 24 32 48 64 128 256 " ]] || fail "$program's icon has the sizes \"$sizes\""
  strings=$(wrestool -x --raw --type=16 "$file" 2>/dev/null | strings -el -n 3)
  for wanted in "Zibolt" "$version" "Zibolt screen saver"; do
    grep -q "^$wanted" <<<"$strings" ||
      fail "$program's version information lacks \"$wanted\": $(tr '\n' '|' <<<"$strings")"
  done
done
# The settings program has a manifest of its own.
wrestool -x --raw --type=24 "$win_build/ZiboltAbout.exe" 2>/dev/null | grep -q 'name="Zibolt.Settings"' ||
  fail "ZiboltAbout.exe has no manifest identity of its own"
(( failed )) && exit 1
echo "PASS: icons and version information"
