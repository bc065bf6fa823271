#!/usr/bin/env bash
# One case of the Windows saver under Wine and a private X server:
#   saver_test.sh CASE WIN_BUILD HOST_BUILD
# WIN_BUILD holds Zibolt.scr, ZiboltAbout.exe, PreviewHost.exe and GdiCheck.exe; HOST_BUILD is a Linux build
# with xprobe (tests/platform/sdl) and vcs (tools/vcs). Uses $ZIBOLT_WINEPREFIX, a prefix only
# these tests use (made on first use), else makes one in a temporary folder. Skips (exit 77)
# without Wine, Xvfb or xdotool.
set -uo pipefail
case_name=$1
win_build=$2
host_build=$3
xprobe=$host_build/tests/platform/sdl/xprobe
vcs=$host_build/tools/vcs/vcs

for tool in wine wineserver Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/deps.sh win installs it)"
    exit 77
  fi
done
for file in "$win_build/Zibolt.scr" "$win_build/ZiboltAbout.exe" "$win_build/PreviewHost.exe" \
            "$win_build/GdiCheck.exe" \
            "$xprobe" "$vcs"; do
  [[ -e "$file" ]] || { echo "FAIL: $file is missing (build it first)"; exit 1; }
done

work=$(mktemp -d)
export WINEPREFIX=${ZIBOLT_WINEPREFIX:-$work/prefix}
export WINEDEBUG=-all
# No runtime downloads or prompts for components the saver never uses.
export WINEDLLOVERRIDES="mscoree,mshtml="
pids=()
cleanup() {
  # Everything this case started under Wine lives in the prefix's server.
  wineserver -k 2>/dev/null
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../private_xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../private_monitors.sh"
if [[ "$case_name" == monitors ]]; then
  # A 1280x1024 primary and a 1024x768 monitor right of it.
  start_private_monitors 1280x1024 1024x768 || { echo "SKIPPED: $monitors_problem"; exit 77; }
else
  start_private_xvfb
fi

# A saver left over from an earlier case would keep this one from starting.
[[ -d "$WINEPREFIX" ]] && wineserver -k 2>/dev/null
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  wineboot -i >"$work/wineboot.txt" 2>&1 || { echo "FAIL: wineboot"; cat "$work/wineboot.txt"; exit 1; }
  wineserver -w
fi

# Settings left by an earlier case (the about program's OK) would point at its folder.
settings=$WINEPREFIX/drive_c/windows/control.ini
rm -f "$settings"

# The saver's folder: both programs and, as the zip has them, the scene files beside them.
app=$work/app
mkdir -p "$app"
cp "$win_build/Zibolt.scr" "$win_build/ZiboltAbout.exe" "$win_build/PreviewHost.exe" "$app/"
# A scene file whose type no scene kind knows: loading it must report it and go on.
broken_scene() {
  echo '{"format":"vcs-tokens-1","header":["Type=NoSuchKind"],"records":[]}' >"$work/broken.json"
  "$vcs" build "$work/broken.json" -o "$app/Broken.vcs" >/dev/null
}

failed=0
fail() { echo "FAIL: $*"; failed=1; }
alive() { kill -0 "$1" 2>/dev/null; }
# Waits up to $2 seconds for process $1 to end.
ends_within() {
  local pid=$1 limit=$2 waited=0
  while alive "$pid" && (( waited < limit * 20 )); do sleep 0.05; waited=$((waited + 1)); done
  ! alive "$pid"
}
start() {
  (cd "$app" && exec wine ./Zibolt.scr "$@") >>"$work/out.txt" 2>&1 &
  last=$!
  pids+=($last)
}
# Waits up to $2 seconds for a window titled $1 and prints its X id.
window_named() {
  local id=""
  for _ in $(seq $(( $2 * 10 + 1 ))); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n1)
    [[ -n "$id" ]] && break
    sleep 0.1
  done
  echo "$id"
}
colours() { "$xprobe" shot "$1" 2>/dev/null | awk '{print $3}'; }
# Starts the run mode and waits until its window is up.
start_run() {
  start /s
  [[ -n "$(window_named Zibolt_RUN 20)" ]] || fail "Zibolt.scr /s made no Zibolt_RUN window"
  sleep 1
}

case "$case_name" in
  gdi)
    # Balloon text and bubble through GDI into a bitmap, without a window.
    (cd "$work" && wine "$win_build/GdiCheck.exe") >"$work/out.txt" 2>&1 || fail "GdiCheck failed"
    tr -d '\r' <"$work/out.txt" | grep -q '^PASS$' || fail "GdiCheck did not pass"
    ;;
  screenshot)
    start_run
    sleep 2
    alive "$last" || fail "Zibolt.scr /s ended by itself"
    n=$(colours root)
    (( ${n:-0} > 8 )) || fail "the screen shows ${n:-no} colours, not the show"
    ;;
  mouse)
    # The pointer rests before the saver starts: its first position only gets recorded. It
    # rests at the screen's centre, where Wine takes it to be until it has seen it move.
    xdotool mousemove 512 384
    start_run
    xdotool mousemove 515 384; sleep 1
    alive "$last" || fail "a 3-pixel move ended the saver"
    xdotool mousemove 525 384
    ends_within "$last" 2 || fail "a 10-pixel move did not end the saver within two seconds"
    ;;
  keys)
    start_run
    xdotool key s; sleep 1
    alive "$last" || fail "S ended the saver"
    xdotool key x
    ends_within "$last" 2 || fail "a key other than S did not end the saver"
    ;;
  debug)
    # A 640 x 480 window with the frame-rate read-out; the mouse does not end it, a key does.
    start /d
    id=$(window_named Zibolt_RUN 20)
    [[ -n "$id" ]] || fail "Zibolt.scr /d made no Zibolt_RUN window"
    sleep 2
    read -r w h n < <("$xprobe" shot "$id" 2>/dev/null)
    [[ "${w:-} x ${h:-}" == "640 x 480" ]] || fail "the debug window is ${w:-?} x ${h:-?}"
    (( ${n:-0} > 8 )) || fail "the debug window shows ${n:-no} colours, not the show"
    xdotool mousemove 100 100; sleep 0.3; xdotool mousemove 300 300; sleep 1
    alive "$last" || fail "mouse movement ended the debug saver"
    xdotool key x
    ends_within "$last" 2 || fail "a key did not end the debug saver"
    ;;
  monitors)
    # One show per monitor, the second in a process of its own; the mouse on the second
    # monitor ends both.
    xdotool mousemove 1700 400
    start /s
    for _ in $(seq 200); do
      (( $(xdotool search --name "^Zibolt_RUN\$" 2>/dev/null | wc -l) == 2 )) && break
      sleep 0.1
    done
    sleep 3
    windows=$(xdotool search --name "^Zibolt_RUN\$" 2>/dev/null | wc -l)
    [[ "$windows" == 2 ]] || fail "$windows show windows, not one per monitor"
    for part in "0 0 1280 1024" "1280 0 1024 768"; do
      read -r _ _ n < <("$xprobe" shot root $part 2>/dev/null)
      (( ${n:-0} > 8 )) || fail "the monitor at $part shows ${n:-no} colours, not the show"
    done
    xdotool mousemove 1703 400; sleep 0.5; xdotool mousemove 1730 420
    for _ in $(seq 100); do
      [[ -z "$(xdotool search --name "^Zibolt_RUN\$" 2>/dev/null)" ]] && break
      sleep 0.1
    done
    [[ -z "$(xdotool search --name "^Zibolt_RUN\$" 2>/dev/null)" ]] ||
      fail "moving the mouse on the second monitor did not end both shows"
    ;;
  second)
    start_run
    first=$last
    start /s
    ends_within "$last" 5 || fail "a second run instance kept running"
    alive "$first" || fail "the first instance ended"
    ;;
  preview)
    # The host looks after the intro (a picture fades in, stays two seconds, fades to the next).
    (cd "$app" && exec wine ./PreviewHost.exe Zibolt.scr report.txt 10) >>"$work/out.txt" 2>&1 &
    host=$!
    pids+=($host)
    id=$(window_named "Zibolt Preview Host" 20)
    sleep 8
    read -r w h n < <("$xprobe" shot "$id" 2>/dev/null)
    [[ "${w:-} x ${h:-}" == "152 x 112" ]] || fail "the preview window is ${w:-?} x ${h:-?}"
    (( ${n:-0} > 8 )) || fail "the preview shows ${n:-no} colours, not the reduced show"
    ends_within "$host" 15 || fail "the preview host did not finish"
    report=$(tr -d "\r" <"$app/report.txt" 2>/dev/null)
    # Frameless, the stage window is a popup that the host owns (found by title, gone with it).
    grep -Eq '^stage (child|owned) 608 448 0$' <<<"$report" ||
      fail "the saver's window is not a hidden 608 x 448 window of the host's: $report"
    grep -q '^running 1$' <<<"$report" || fail "the saver did not keep running: $report"
    ms=$(sed -n 's/^ended 1 \([0-9]*\)$/\1/p' <<<"$report")
    [[ -n "$ms" ]] && (( ms < 2000 )) || fail "closing the host did not end the saver: $report"
    ;;
  preview-instances)
    # A preview does not start while the saver runs...
    start_run
    run=$last
    (cd "$app" && exec wine ./PreviewHost.exe Zibolt.scr report.txt 4) >>"$work/out.txt" 2>&1 &
    pids+=($!)
    ends_within $! 15 || fail "the preview host did not finish"
    report=$(tr -d "\r" <"$app/report.txt" 2>/dev/null)
    grep -q '^running 0$' <<<"$report" || fail "a preview started beside the saver: $report"
    kill "$run"; ends_within "$run" 5 || fail "the saver did not end on SIGTERM"
    # ...and the saver, started later, closes a running preview and carries on.
    (cd "$app" && exec wine ./PreviewHost.exe Zibolt.scr report.txt 10) >>"$work/out.txt" 2>&1 &
    host=$!
    pids+=($host)
    # Its window is a child inside the host's, out of the X server's sight: give it time.
    [[ -n "$(window_named "Zibolt Preview Host" 20)" ]] || fail "the preview host made no window"
    sleep 4
    start /s
    ends_within "$host" 20 || fail "the preview host did not finish"
    report=$(tr -d "\r" <"$app/report.txt" 2>/dev/null)
    grep -q '^running 0$' <<<"$report" || fail "the saver did not close the preview: $report"
    alive "$last" || fail "the saver ended after closing the preview"
    ;;
  configure)
    broken_scene
    start /c
    ends_within "$last" 10 || fail "Zibolt.scr /c kept running"
    [[ -n "$(window_named "About Zibolt" 20)" ]] || fail "the about program did not open"
    sleep 2
    count=$(xdotool search --name "^About Zibolt\$" 2>/dev/null | wc -l)
    (( count == 1 )) || fail "$count about windows are open"
    [[ -z "$(window_named "Valdrimor Exception" 1)" ]] || fail "configure mode read the scene files"
    # OK writes the settings into the "Zibolt" section of control.ini, the folder included.
    about=$(window_named "About Zibolt" 0)
    if [[ -n "$about" ]]; then
      eval "$(xdotool getwindowgeometry --shell "$about")"
      xdotool mousemove $((X + 100)) $((Y + 50)); sleep 0.5   # the keyboard follows the pointer
      xdotool key Return
      for _ in $(seq 50); do [[ -s "$settings" ]] && break; sleep 0.1; done
      written=$(tr -d '\r' <"$settings" 2>/dev/null)
      grep -q '^\[Zibolt\]$' <<<"$written" && grep -q '^Sound=1$' <<<"$written" &&
        grep -q '^Engine=1$' <<<"$written" && grep -q '^Dir=.*app$' <<<"$written" ||
        fail "OK in the about program did not write the settings: $written"
    fi
    ;;
  broken-scene)
    broken_scene
    start_run
    box=$(window_named "Valdrimor Exception" 15)
    [[ -n "$box" ]] || fail "no Valdrimor Exception box for the broken scene file"
    if [[ -n "$box" ]]; then
      # OK (the default button, with the keyboard focus once the box is up) goes on.
      sleep 1
      xdotool key Return
      gone=0
      for _ in $(seq 50); do
        [[ -z "$(window_named "Valdrimor Exception" 0)" ]] && { gone=1; break; }
        sleep 0.1
      done
      (( gone )) || fail "the box did not close on OK"
    fi
    sleep 2
    alive "$last" || fail "the show ended after the broken scene file"
    n=$(colours root)
    (( ${n:-0} > 8 )) || fail "the screen shows ${n:-no} colours after the box, not the show"
    ;;
  password-change)
    # "/a" hands the change to the platform's dialog (none under Wine) and shows nothing.
    start /a 0
    ends_within "$last" 10 || fail "Zibolt.scr /a kept running"
    ;;
  broken-scene-cancel)
    # Cancel in the box ends the show. The box has the keyboard ("broken-scene" shows that
    # Return there closes it and the show goes on), so Escape is its Cancel.
    broken_scene
    start_run
    [[ -n "$(window_named "Valdrimor Exception" 15)" ]] || fail "no Valdrimor Exception box"
    sleep 1
    xdotool key Escape
    ends_within "$last" 5 || fail "Cancel in the exception box did not end the saver"
    ;;
  *)
    echo "unknown case $case_name"; exit 2 ;;
esac

if (( failed )); then
  echo "--- output"; cat "$work/out.txt"
  exit 1
fi
echo "PASS: $case_name"
