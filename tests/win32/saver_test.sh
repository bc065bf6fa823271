#!/usr/bin/env bash
# One case of the Windows saver under Wine and a private X server:
#   saver_test.sh CASE WIN_BUILD HOST_BUILD
# WIN_BUILD holds Zibolt.scr, ZiboltAbout.exe, PreviewHost.exe, GdiCheck.exe and
# AboutDialogCheck.exe; HOST_BUILD is a Linux build with xprobe (tests/platform/sdl), vcs
# (tools/vcs) and the data folder. The Wine prefix is wine_session.sh's. Skips (exit 77)
# without Wine, Xvfb or xdotool.
set -uo pipefail
case_name=$1
win_build=$2
host_build=$3
xprobe=$host_build/tests/platform/sdl/xprobe
vcs=$host_build/tools/vcs/vcs
scene_order=$host_build/tests/win32/scene_order

for tool in wine wineserver Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/deps.sh win installs it)"
    exit 77
  fi
done
for file in "$win_build/Zibolt.scr" "$win_build/ZiboltAbout.exe" "$win_build/PreviewHost.exe" \
            "$win_build/GdiCheck.exe" "$win_build/AboutDialogCheck.exe" "$win_build/SceneOrder.exe" \
            "$xprobe" "$vcs" "$scene_order"; do
  [[ -e "$file" ]] || { echo "FAIL: $file is missing (build it first)"; exit 1; }
done

source "$(dirname "${BASH_SOURCE[0]}")/wine_session.sh"
if [[ "$case_name" == monitors ]]; then
  start_wine_session two-monitors
else
  start_wine_session
fi

# The user's settings, the settings an older version kept in the Windows folder, and the log.
# Left by an earlier case (the about program's OK, scenes shown), they would change this one.
settings=$profile/Roaming/Zibolt/control.ini
older_settings=$WINEPREFIX/drive_c/windows/control.ini
log=$profile/Local/Zibolt/zibolt.log
rm -rf "$profile/Roaming/Zibolt" "$profile/Local/Zibolt" "$older_settings"

# The saver's folder: both programs and, as the zip has them, the scene files beside them.
app=$work/app
mkdir -p "$app"
cp "$win_build/Zibolt.scr" "$win_build/ZiboltAbout.exe" "$win_build/PreviewHost.exe" \
   "$win_build/AboutDialogCheck.exe" "$app/"
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
    # Modifiers alone never end it: Shift comes before the S of a capital S.
    xdotool key shift+s; xdotool key ctrl; sleep 1
    alive "$last" || fail "Shift, Ctrl or a capital S ended the saver"
    xdotool key x
    ends_within "$last" 2 || fail "a key other than S did not end the saver"
    ;;
  buttons)
    # Every mouse button and the wheel end it, as the left button does.
    for button in 3 4; do
      start_run
      xdotool click "$button"
      ends_within "$last" 2 || fail "mouse button $button (X numbering) did not end the saver"
    done
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
    for area in "0 0 1280 1024" "1280 0 1024 768"; do
      read -r _ _ n < <("$xprobe" shot root $area 2>/dev/null)
      (( ${n:-0} > 8 )) || fail "the monitor at $area shows ${n:-no} colours, not the show"
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
    # OK writes the settings into the "Zibolt" section of the user's control.ini; the folder
    # only when the user chose one (a stored folder would win over the data beside the saver).
    about=$(window_named "About Zibolt" 0)
    if [[ -n "$about" ]]; then
      eval "$(xdotool getwindowgeometry --shell "$about")"
      xdotool mousemove $((X + 100)) $((Y + 50)); sleep 0.5   # the keyboard follows the pointer
      xdotool key Return
      for _ in $(seq 50); do [[ -s "$settings" ]] && break; sleep 0.1; done
      written=$(tr -d '\r' <"$settings" 2>/dev/null)
      grep -q '^\[Zibolt\]$' <<<"$written" && grep -q '^Sound=1$' <<<"$written" &&
        grep -q '^Engine=1$' <<<"$written" && ! grep -q '^Dir=' <<<"$written" ||
        fail "OK in the about program did not write the settings as they stand: $written"
    fi
    ;;
  broken-scene)
    # The unattended saver reports the file once, in its log (and on standard error), and
    # goes on without a box that waits for an answer.
    broken_scene
    start_run
    [[ -z "$(window_named "Valdrimor Exception" 5)" ]] || fail "the saver shows a Valdrimor Exception box"
    alive "$last" || fail "the show ended after the broken scene file"
    n=$(colours root)
    (( ${n:-0} > 8 )) || fail "the screen shows ${n:-no} colours, not the show"
    reports=$(grep -c "Broken.vcs" "$log" 2>/dev/null)
    [[ "$reports" == 1 ]] || fail "the log holds ${reports:-no} reports of the broken file, not one: $(cat "$log" 2>/dev/null)"
    ;;
  scene-order)
    # A fixed seed starts the same scenes in the same order here as in the Linux build.
    stream=$host_build/stream/Main.vcs
    data=$host_build/data
    expected=$("$scene_order" "$stream" "$data" 42 10 2>>"$work/out.txt") || fail "the Linux scene order failed"
    got=$(wine "$win_build/SceneOrder.exe" "$(winepath -w "$stream")" "$(winepath -w "$data")" 42 10 \
          2>>"$work/out.txt" | tr -d '\r') || fail "the Windows scene order failed"
    (( $(grep -c . <<<"$expected") == 10 )) || fail "the Linux build started $(grep -c . <<<"$expected") scenes, not 10"
    [[ "$got" == "$expected" ]] || fail "the scene orders differ: Linux $(tr '\n' ' ' <<<"$expected")/ Windows $(tr '\n' ' ' <<<"$got")"
    ;;
  settings)
    # An older version's settings in the Windows folder, naming a data folder since moved: the
    # show starts from those values, finds its scenes beside itself (it notes a shown one in
    # the user's own file, which the first write makes) and logs the missing folder once.
    cp -r "$host_build/data/." "$app/"
    printf '[Zibolt]\r\nSound=0\r\nDir=C:\\moved\\away\r\n' >"$older_settings"
    start_run
    for _ in $(seq 100); do grep -q '\.vcs=1' "$settings" 2>/dev/null && break; sleep 0.1; done
    written=$(tr -d '\r' <"$settings" 2>/dev/null)
    grep -q '\.vcs=1' <<<"$written" || fail "no scene was shown or noted in $settings: $written"
    grep -q '^Sound=0$' <<<"$written" || fail "the older settings were not the starting values: $written"
    n=$(grep -c 'moved.away' "$log" 2>/dev/null)
    [[ "$n" == 1 ]] || fail "the missing data folder is in the log ${n:-0} times: $(cat "$log" 2>/dev/null)"
    xdotool key x
    ends_within "$last" 5 || fail "the saver did not end"
    # A settings file that cannot be written: the loss goes to the log.
    rm -rf "$profile/Roaming/Zibolt"
    mkdir -p "$settings"
    start_run
    for _ in $(seq 100); do grep -q 'Settings not saved' "$log" 2>/dev/null && break; sleep 0.1; done
    grep -q 'Settings not saved: cannot write .*control.ini' "$log" ||
      fail "a failed settings write is not in the log: $(cat "$log" 2>/dev/null)"
    alive "$last" || fail "the saver ended after a failed settings write"
    ;;
  preview-none)
    # A preview request without a usable window shows nothing and ends at once.
    for args in "/p" "/p 0" "/p garbage" "/p 12345"; do
      start $args
      ends_within "$last" 5 || fail "Zibolt.scr $args kept running"
    done
    [[ -z "$(window_named "Zibolt_PREVIEW" 0)" ]] || fail "a preview without a window made a window"
    ;;
  about-dialog)
    # The settings dialog at three DPIs, opened as the display settings open it: over their
    # window, every text fitting, growing with the DPI. The pictures stay in the build folder.
    declare -A width
    for dpi in 96 144 192; do
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
      report=$( (cd "$app" && wine ./AboutDialogCheck.exe Zibolt.scr "about-$dpi.bmp") 2>&1 | tr -d '\r')
      cp "$app/about-$dpi.bmp" "$win_build/about-dialog-$dpi.bmp" 2>/dev/null
      grep -q "^dpi $dpi$" <<<"$report" || fail "the screen is not at $dpi DPI: $report"
      grep -q '^PASS$' <<<"$report" || fail "at $dpi DPI: $report"
      width[$dpi]=$(sed -n 's/^dialog \([0-9]*\) .*/\1/p' <<<"$report")
      if (( dpi == 96 )); then
        read -r dx dy < <(sed -n 's/^offset //p' <<<"$report")
        (( ${dx:-99} * ${dx:-99} + ${dy:-99} * ${dy:-99} <= 16 * 16 )) ||
          fail "the dialog is not centred over the display settings: $report"
      fi
    done
    wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
    (( ${width[192]:-0} * 10 >= ${width[96]:-1} * 18 )) ||
      fail "the dialog did not grow with the DPI: ${width[96]:-?} px at 96, ${width[192]:-?} px at 192"
    ;;
  password-change)
    # "/a" hands the change to the platform's dialog (none under Wine) and shows nothing.
    start /a 0
    ends_within "$last" 10 || fail "Zibolt.scr /a kept running"
    ;;
  broken-scene-box)
    # In debug mode someone watches: the box asks. OK (the default button, with the keyboard
    # focus once the box is up) goes on; Cancel (Escape) ends the show.
    broken_scene
    start /d
    [[ -n "$(window_named Zibolt_RUN 20)" ]] || fail "Zibolt.scr /d made no Zibolt_RUN window"
    [[ -n "$(window_named "Valdrimor Exception" 15)" ]] || fail "no Valdrimor Exception box in debug mode"
    sleep 1
    xdotool key Return
    gone=0
    for _ in $(seq 50); do
      [[ -z "$(window_named "Valdrimor Exception" 0)" ]] && { gone=1; break; }
      sleep 0.1
    done
    (( gone )) || fail "the box did not close on OK"
    sleep 1
    alive "$last" || fail "the show ended after OK"
    kill "$last"; ends_within "$last" 5
    start /d
    [[ -n "$(window_named "Valdrimor Exception" 20)" ]] || fail "no Valdrimor Exception box"
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
