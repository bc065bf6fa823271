#!/usr/bin/env bash
# The installer as a user runs it, silently (/S) under Wine and a private X server:
#   installer_test.sh WIN_BUILD HOST_DATA_DIR
# Installs for the current user, checks the files and the registry, runs the installed saver
# (and a copy of it elsewhere) until it shows a scene, uninstalls, and checks that nothing is
# left and the previous screen saver is back. Uses $ZIBOLT_WINEPREFIX as saver_test.sh does.
# Skips (exit 77) without Wine, Xvfb, xdotool or makensis.
set -uo pipefail
win_build=$1
host_data=$2

for tool in wine wineserver Xvfb xdotool makensis; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/deps.sh win installs it)"
    exit 77
  fi
done

source "$(dirname "${BASH_SOURCE[0]}")/wine_session.sh"
start_wine_session

failed=0
fail() { echo "FAIL: $*"; failed=1; }

cpack --config "$win_build/CPackConfig.cmake" -G NSIS -B "$work/package" >"$work/cpack.txt" 2>&1 ||
  { echo "FAIL: cpack -G NSIS"; cat "$work/cpack.txt"; exit 1; }
setup=$work/package/Zibolt-Setup.exe
[[ -s "$setup" ]] || { echo "FAIL: cpack made no Zibolt-Setup.exe"; cat "$work/cpack.txt"; exit 1; }

installed=$profile/Local/Programs/Zibolt
settings=$profile/Roaming/Zibolt/control.ini
rm -rf "$profile/Roaming/Zibolt" "$profile/Local/Zibolt" "$installed" "$WINEPREFIX/drive_c/windows/control.ini"

desktop='HKCU\Control Panel\Desktop'
# query KEY VALUE: the value's data, empty when it is missing.
query() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
wine reg add "$desktop" /v SCRNSAVE.EXE /d 'C:\windows\system32\before.scr' /f >/dev/null 2>&1
wine reg add "$desktop" /v ScreenSaveActive /d 0 /f >/dev/null 2>&1

# --- install ---
wine "$setup" /S >"$work/setup.txt" 2>&1 || fail "the installer failed: $(cat "$work/setup.txt")"
wineserver -w
expected=$( (cd "$host_data" && find . -type f \( -name '*.vcs' -o -name '*.wav' -o -name '*.bmp' \);
             printf '%s\n' ./Zibolt.scr ./ZiboltAbout.exe ./Install.txt ./Uninstall.exe) | sort)
found=$( (cd "$installed" 2>/dev/null && find . -type f) | sort)
[[ "$found" == "$expected" ]] ||
  fail "the installed files differ from the data and programs: $(diff <(echo "$expected") <(echo "$found"))"

saver=$(query "$desktop" SCRNSAVE.EXE)
[[ -n "$saver" && "$(wine winepath -u "$saver" 2>/dev/null | tr -d '\r')" -ef "$installed/Zibolt.scr" ]] ||
  fail "SCRNSAVE.EXE is \"$saver\", not the installed saver"
[[ "$(query "$desktop" ScreenSaveActive)" == 1 ]] || fail "ScreenSaveActive is not 1"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zibolt'
[[ "$(query "$uninstall_key" DisplayName)" == "Zibolt screen saver" ]] ||
  fail "no uninstaller in Apps & features"
quiet=$(query "$uninstall_key" QuietUninstallString)

# --- the installed saver, and a copy of it elsewhere, find their scenes ---
# A scene on screen is noted in the user's settings as shown.
shows_a_scene() {
  rm -f "$settings"
  (cd "$work" && exec wine "$1" /s) >>"$work/out.txt" 2>&1 &
  pids+=($!)
  local shown=0
  for _ in $(seq 150); do grep -q '\.vcs=1' "$settings" 2>/dev/null && { shown=1; break; }; sleep 0.1; done
  xdotool key x
  wineserver -w
  (( shown ))
}
shows_a_scene "$(wine winepath -w "$installed/Zibolt.scr" 2>/dev/null | tr -d '\r')" ||
  fail "the installed saver showed no scene"
# Copied away from its data, the saver finds it in the folder the installer recorded.
mkdir -p "$work/elsewhere"
cp "$installed/Zibolt.scr" "$work/elsewhere/"
shows_a_scene "$work/elsewhere/Zibolt.scr" || fail "a copy of the saver did not find the installed scenes"

# --- uninstall, as Apps & features does it quietly ---
[[ "$quiet" == *Uninstall.exe* ]] || fail "no quiet uninstall command: \"$quiet\""
eval "set -- $(sed 's/\\/\\\\/g' <<<"$quiet")"
wine "$@" >"$work/uninstall.txt" 2>&1 || fail "the uninstaller failed: $(cat "$work/uninstall.txt")"
# The uninstaller runs on from a copy of itself in the temporary folder.
wineserver -w
[[ ! -e "$installed" ]] || fail "the uninstaller left $(cd "$installed" && find . | tr '\n' ' ')"
[[ "$(query "$desktop" SCRNSAVE.EXE)" == 'C:\windows\system32\before.scr' ]] ||
  fail "the previous screen saver is not back: $(query "$desktop" SCRNSAVE.EXE)"
[[ "$(query "$desktop" ScreenSaveActive)" == 0 ]] || fail "ScreenSaveActive is not back to 0"
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstaller left its Apps & features entry"
wine reg query 'HKCU\Software\Zibolt' >/dev/null 2>&1 && fail "the uninstaller left HKCU\\Software\\Zibolt"

if (( failed )); then
  echo "--- output"; cat "$work/out.txt" 2>/dev/null
  exit 1
fi
echo "PASS: installer ($(stat -c %s "$setup") bytes)"
