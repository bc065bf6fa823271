#!/usr/bin/env bash
# One case of the program under a private X server:
#   display_test.sh CASE ZIBOLT XPROBE
# Skips (exit 77) when Xvfb or xdotool is missing.
set -uo pipefail
case_name=$1
zibolt=$2
xprobe=$3

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/deps.sh test installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../../private_xvfb.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../private_monitors.sh"
case "$case_name" in
  design) start_private_xvfb 1920x1080 ;;
  monitors)
    # A 1280x1024 primary and a 1024x768 monitor right of it.
    start_private_monitors 1280x1024 1024x768 || { echo "SKIPPED: $monitors_problem"; exit 77; } ;;
  *) start_private_xvfb ;;
esac
export SDL_AUDIODRIVER=dummy
export ZIBOLT_CONFIG_DIR="$work/config"
export ZIBOLT_QUIET_REPORTS=1
export XDG_RUNTIME_DIR="$work/run"
export XDG_STATE_HOME="$work/state"  # the report log
# A bus that is not there: without one, SDL's session-bus client would start a bus daemon
# of its own for every run and leave it behind.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
mkdir -p "$XDG_RUNTIME_DIR" "$ZIBOLT_CONFIG_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

failed=0
fail() { echo "FAIL: $*"; failed=1; }
alive() { kill -0 "$1" 2>/dev/null; }
# Waits up to $2 seconds for process $1 to end; its exit code lands in $status.
ends_within() {
  local pid=$1 limit=$2 waited=0
  while alive "$pid" && (( waited < limit * 20 )); do sleep 0.05; waited=$((waited + 1)); done
  if alive "$pid"; then return 1; fi
  wait "$pid"; status=$?
  return 0
}
start() {
  "$zibolt" "$@" >"$work/out.txt" 2>&1 &
  last=$!
  pids+=($last)
}
colours() { "$xprobe" shot "$1" | awk '{print $3}'; }
# Waits up to 10 seconds for the screen to show more than a few colours: a slow start or the
# first scene's fade can keep it dark for a while.
wait_for_picture() {
  for _ in $(seq 20); do
    (( $(colours root) > 8 )) && return 0
    sleep 0.5
  done
  return 1
}
# The running show fills the screen scaled $1 times: every aligned $1 x $1 block of the screen
# is one colour. $2 says how it was started.
expect_scaled() {
  sleep 2
  alive "$last" || fail "zibolt $2 ended by itself: $(cat "$work/out.txt")"
  wait_for_picture || fail "the screen does not show the show ($2)"
  mixed=$("$xprobe" blocks root "$1")
  [[ "$mixed" == 0 ]] || fail "$mixed blocks of $1 x $1 pixels are not one colour ($2)"
}
# Prints the id of the first window titled $1, waiting up to 5 seconds for it; empty if none.
window_named() {
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --name "$1" 2>/dev/null | head -n1)
    [[ -n "$id" ]] && break
    sleep 0.1
  done
  echo "$id"
}

case "$case_name" in
  screenshot)
    start /s
    sleep 3
    alive "$last" || fail "zibolt /s ended by itself: $(cat "$work/out.txt")"
    n=$(colours root)
    (( n > 8 )) || fail "the screen shows $n colours, not the show"
    # The whole screen, also with no window manager to place it.
    id=$(xdotool search --name "zibolt_RUN" 2>/dev/null | head -n1)
    geometry=$(xdotool getwindowgeometry "$id" 2>/dev/null | tr -d ' ' | tr '\n' ' ')
    [[ "$geometry" == *"Position:0,0"*"Geometry:1024x768"* ]] ||
      fail "the saver's window is not the whole screen: $geometry"
    ;;
  resolution)
    # Composed at a quarter of the screen's width and height, shown four times as large: every
    # aligned 4 x 4 block of the screen is one colour, which the show at full size is not.
    start /s --resolution 256x192
    expect_scaled 4 "/s --resolution 256x192"
    kill "$last"; ends_within "$last" 2
    start /s
    sleep 2
    wait_for_picture
    mixed=$("$xprobe" blocks root 4)
    (( mixed > 0 )) || fail "the show at the screen's own size looks scaled up"
    ;;
  design)
    # On 1920 x 1080 the show is composed at 960 x 540 and shown twice as large, pixel by
    # pixel: every aligned 2 x 2 block of the screen is one colour.
    start /s
    expect_scaled 2 "/s at 1920 x 1080"
    # Frames that change nothing are neither converted nor sent.
    kill "$last"; ends_within "$last" 2
    ZIBOLT_PRESENT_STATS=1 start /s
    sleep 4
    kill "$last"; ends_within "$last" 2
    read -r unchanged parts < <(sed -n 's/.*in parts \([0-9]*\), unchanged \([0-9]*\);.*/\2 \1/p' "$work/out.txt")
    (( ${unchanged:-0} > 0 && ${parts:-0} > 0 )) ||
      fail "no frames were shown in parts or skipped: $(cat "$work/out.txt")"
    ;;
  monitors)
    # One show per monitor, the second in a process of its own; the mouse on the second
    # monitor ends both.
    xdotool mousemove 1700 400
    start /s
    sleep 4
    alive "$last" || fail "zibolt /s ended by itself: $(cat "$work/out.txt")"
    for part in "0 0 1280 1024" "1280 0 1024 768"; do
      read -r _ _ n < <("$xprobe" shot root $part)
      (( ${n:-0} > 8 )) || fail "the monitor at $part shows ${n:-no} colours, not the show"
    done
    windows=$(xdotool search --name "zibolt_RUN" 2>/dev/null | wc -l)
    [[ "$windows" == 2 ]] || fail "$windows show windows, not one per monitor"
    helper=$(ps -o pid= --ppid "$last" | head -n1)
    [[ -n "$helper" ]] || fail "no show of its own for the second monitor"
    xdotool mousemove 1703 400; sleep 0.5; xdotool mousemove 1730 420
    ends_within "$last" 2 || fail "moving the mouse on the second monitor did not end the run"
    [[ -z "$helper" ]] || ! alive "$helper" || fail "the second monitor's show outlived the run"
    # One show over both.
    start /s --monitors span
    sleep 3
    geometry=$(xdotool getwindowgeometry "$(xdotool search --name zibolt_RUN | head -n1)" | tr -d ' ' | tr '\n' ' ')
    [[ "$geometry" == *"Position:0,0"*"Geometry:2304x1024"* ]] ||
      fail "the spanning window is not the box around both monitors: $geometry"
    ;;
  bands)
    # A wide picture on the 4:3 screen: black bands above and below it, which stay black
    # while the show runs (they are drawn once, not with every frame).
    start /s --resolution 1024x384
    sleep 2
    for part in "0 0 1024 192" "0 576 1024 192"; do
      read -r _ _ n < <("$xprobe" shot root $part)
      [[ "$n" == 1 ]] || fail "the band at $part holds $n colours, not black alone"
    done
    (( $(colours root) > 8 )) || fail "the picture between the bands is not the show"
    sleep 1
    read -r _ _ n < <("$xprobe" shot root 0 0 1024 192)
    [[ "$n" == 1 ]] || fail "the top band holds $n colours after a second more"
    ;;
  mouse)
    # The pointer rests before the saver starts: its first position only gets recorded. The
    # server keeps the pointer in the middle while no client has a window, so one is made.
    "$xprobe" window 4 4 >/dev/null &
    pids+=($!)
    sleep 0.3
    "$xprobe" warp 500 400
    [[ "$("$xprobe" pointer)" == "500 400" ]] || fail "the pointer could not be placed"
    start /s
    sleep 2
    xdotool mousemove 503 400; sleep 1
    alive "$last" || fail "a 3-pixel move ended the saver"
    xdotool mousemove 513 400
    ends_within "$last" 1 || fail "a 10-pixel move did not end the saver within a second"
    ;;
  keys)
    start /s
    sleep 2
    xdotool key s; sleep 1
    alive "$last" || fail "S ended the saver"
    # Modifiers alone never end it: Shift comes before the S of a capital S.
    xdotool key shift+s; xdotool key ctrl; xdotool key alt; xdotool key super; sleep 1
    alive "$last" || fail "Shift, Ctrl, Alt, Super or a capital S ended the saver"
    xdotool key x
    ends_within "$last" 1 || fail "a key other than S did not end the saver"
    ;;
  buttons)
    # Every mouse button and the wheel end it, as the left button does (X buttons 4 and 5
    # are the wheel, 8 and 9 the side buttons).
    for button in 2 3 4 9; do
      start /s
      sleep 1.5
      xdotool click "$button"
      ends_within "$last" 1 || fail "mouse button $button did not end the saver"
    done
    ;;
  window)
    start
    sleep 2
    xdotool mousemove 100 100; sleep 0.3; xdotool mousemove 300 300; sleep 0.3
    xdotool key x; sleep 1
    alive "$last" || fail "the plain window ended on mouse movement or a key"
    xdotool key Escape
    ends_within "$last" 1 || fail "Escape did not close the plain window"
    ;;
  second)
    start /s
    first=$last
    sleep 2
    start /s
    ends_within "$last" 2 || fail "a second run instance kept running"
    alive "$first" || fail "the first instance ended"
    grep -q "already runs on display $DISPLAY" "$work/out.txt" ||
      fail "the second instance did not say why it quits: $(cat "$work/out.txt")"
    ;;
  vanish)
    # The window the show draws into disappears while frames are being presented (the screen
    # saver's window at deactivation, a settings page's preview): a normal end, status 0 and
    # nothing on stderr, whenever it happens.
    for round in 1 2 3 4 5 6 7 8; do
      "$xprobe" window 640 480 >"$work/id" &
      host=$!
      pids+=($host)
      for _ in $(seq 50); do [[ -s "$work/id" ]] && break; sleep 0.1; done
      id=$(cat "$work/id"); : >"$work/id"
      if (( round % 2 )); then start --window-id "$id"; else XSCREENSAVER_WINDOW=$id start --root; fi
      sleep "1.$((round * 13 % 10))"
      kill "$host"  # its window goes with its connection
      if ! ends_within "$last" 2; then
        fail "round $round: the show kept running without its window"
      elif [[ $status != 0 || -s "$work/out.txt" ]]; then
        fail "round $round: status $status, output: $(cat "$work/out.txt")"
      fi
    done
    ;;
  root)
    # --root without a screen saver draws on the screen itself, and gives it back on exit.
    # Another client stays connected, as on any desktop: the server would reset otherwise.
    "$xprobe" window 4 4 >/dev/null &
    pids+=($!)
    sleep 0.3
    before=$(colours root)
    XSCREENSAVER_WINDOW= start --root
    sleep 2
    (( $(colours root) > 8 )) || fail "--root did not draw the show on the screen"
    kill -TERM "$last"
    ends_within "$last" 1 || fail "SIGTERM did not end zibolt --root"
    after=$(colours root)
    (( after <= before )) || fail "the last frame stayed on the screen ($after colours, $before before)"
    ;;
  signals)
    # SIGTERM, SIGINT and SIGHUP end the show (status 0)...
    for signal in TERM INT HUP; do
      start /s
      sleep 1.5
      kill -"$signal" "$last"
      ends_within "$last" 1 || fail "SIG$signal did not end the saver within a second"
      [[ ${status:-} == 0 ]] || fail "SIG$signal ended the saver with status ${status:-?}: $(cat "$work/out.txt")"
    done
    # ...also while a report box waits for its answer.
    mkdir -p "$work/data"
    printf 'not a scene' >"$work/data/Broken.vcs"
    ZIBOLT_QUIET_REPORTS= ZIBOLT_DATA_DIR=$work/data start
    # (SDL names the box in a way that xdotool does not read.)
    box=""
    for _ in $(seq 100); do
      box=$(xwininfo -root -tree | grep '"Valdrimor Exception"')
      [[ -n "$box" ]] && break
      sleep 0.1
    done
    [[ -n "$box" ]] || fail "no report box for the broken scene file"
    kill -TERM "$last"
    ends_within "$last" 1 || fail "SIGTERM did not end the show while its report box was up"
    sleep 0.3
    xwininfo -root -tree | grep -q '"Valdrimor Exception"' && fail "the report box outlived the show"
    ;;
  lost-server)
    # Without its X server the show and the about program end, rather than spin.
    start /d
    show=$last
    "$(dirname "$zibolt")/zibolt-about" >"$work/about.txt" 2>&1 &
    about=$!
    pids+=($about)
    sleep 2
    kill "${pids[0]}"  # the X server
    ends_within "$show" 1 || fail "the show kept running without its X server"
    ends_within "$about" 1 || fail "the about program kept running without its X server"
    ;;
  window-id)
    "$xprobe" window 320 240 >"$work/id" &
    pids+=($!)
    for _ in $(seq 50); do [[ -s "$work/id" ]] && break; sleep 0.1; done
    id=$(cat "$work/id")
    before=$("$xprobe" children)
    start --window-id "$id"
    sleep 3
    alive "$last" || fail "zibolt --window-id ended: $(cat "$work/out.txt")"
    n=$(colours "$id")
    (( n > 4 )) || fail "the test's window shows $n colours, not the show"
    after=$("$xprobe" children)
    [[ "$after" == "$before" ]] || fail "zibolt made windows of its own ($before, then $after)"
    kill -TERM "$last"
    ends_within "$last" 1 || fail "SIGTERM did not end the show within a second"
    # As the screen saver starts it: --root with the window named in the environment.
    XSCREENSAVER_WINDOW=$id start --root --resolution 160x120
    sleep 2
    alive "$last" || fail "zibolt --root ended: $(cat "$work/out.txt")"
    n=$(colours "$id")
    mixed=$("$xprobe" blocks "$id" 2)
    (( n > 4 )) && [[ "$mixed" == 0 ]] ||
      fail "--root did not draw the show into XSCREENSAVER_WINDOW, scaled ($n colours, $mixed mixed blocks)"
    [[ "$("$xprobe" children)" == "$before" ]] || fail "zibolt --root made windows of its own"
    kill -TERM "$last"
    ends_within "$last" 1 || fail "SIGTERM did not end zibolt --root within a second"
    ;;
  preview)
    "$xprobe" window 152 112 >"$work/id" &
    pids+=($!)
    for _ in $(seq 50); do [[ -s "$work/id" ]] && break; sleep 0.1; done
    id=$(cat "$work/id")
    start /p "$id"
    # The intro: a picture fades in, stays two seconds, gives way to the next; then the show.
    sleep 8
    alive "$last" || fail "the preview ended: $(cat "$work/out.txt")"
    read -r w h n < <("$xprobe" shot "$id")
    [[ "$w x $h" == "152 x 112" ]] || fail "the preview window is now $w x $h"
    (( n > 4 )) || fail "the preview shows $n colours, not the reduced show"
    # A run instance closes the preview.
    start /s
    run=$last
    ends_within "${pids[-2]}" 2 || fail "a run instance did not close the preview"
    kill "$run"
    ;;
  configure)
    start /c
    ends_within "$last" 3 || fail "zibolt /c kept running"
    about=$(window_named "About Zibolt")
    [[ -n "$about" ]] || fail "the about program did not open its window"
    [[ -n "$about" ]] && kill "$(xdotool getwindowpid "$about")" 2>/dev/null
    ;;
  about)
    # One window at a time; a change that cannot be saved says so in the log and leaves the
    # file as it was; a usable file takes the next change.
    mkdir -p "$ZIBOLT_CONFIG_DIR/control.ini"
    about_program=$(dirname "$zibolt")/zibolt-about
    "$about_program" >"$work/out.txt" 2>&1 &
    first=$!
    pids+=($first)
    id=$(window_named "About Zibolt")
    [[ -n "$id" ]] || fail "the about program did not open its window"
    "$about_program" >"$work/second.txt" 2>&1 &
    pids+=($!)
    ends_within "$!" 2 || fail "a second about program kept running"
    [[ $(xdotool search --name "About Zibolt" 2>/dev/null | wc -l) == 1 ]] ||
      fail "two about windows are open"
    alive "$first" || fail "the first about program ended"
    log=$XDG_STATE_HOME/zibolt/zibolt.log
    # A click before the window is mapped and drawn would be lost on a busy machine.
    for _ in $(seq 100); do
      [[ -n "$(xdotool search --onlyvisible --name "About Zibolt" 2>/dev/null)" ]] && break
      sleep 0.1
    done
    sleep 0.5
    xdotool mousemove --window "$id" 280 165 click 1  # the sound row
    for _ in $(seq 100); do grep -q "Settings not saved" "$log" 2>/dev/null && break; sleep 0.1; done
    grep -q 'Settings not saved: .*control.ini" is a folder' "$log" 2>/dev/null ||
      fail "the failed save is not in the log: $(cat "$log" 2>/dev/null)"
    [[ -d "$ZIBOLT_CONFIG_DIR/control.ini" ]] || fail "the folder in control.ini's place was replaced"
    rmdir "$ZIBOLT_CONFIG_DIR/control.ini"
    xdotool key r
    for _ in $(seq 100); do [[ -f "$ZIBOLT_CONFIG_DIR/control.ini" ]] && break; sleep 0.1; done
    grep -qx "Resolution=960x540" "$ZIBOLT_CONFIG_DIR/control.ini" 2>/dev/null ||
      fail "R did not save the next resolution: $(cat "$ZIBOLT_CONFIG_DIR/control.ini" 2>/dev/null)"
    kill "$first"
    ;;
  broken-scene)
    # A scene file that cannot be read: the saver reports it once, on standard error and in
    # the log, and the show goes on with no box waiting for an answer.
    data=$("$zibolt" --help | sed -n 's/^Data folder: //p')
    mkdir -p "$work/data"
    for entry in "$data"/*; do ln -s "$entry" "$work/data/"; done
    echo "not a scene file" >"$work/data/Broken.vcs"
    export ZIBOLT_DATA_DIR="$work/data"
    unset ZIBOLT_QUIET_REPORTS
    start /s
    log=$work/state/zibolt/zibolt.log
    for _ in $(seq 40); do
      grep -q "Broken.vcs" "$log" 2>/dev/null && break
      sleep 0.25
    done
    sleep 1  # time for a box or a second report, neither of which must come
    alive "$last" || fail "zibolt /s ended after the broken scene file"
    [[ -z "$(xdotool search --name "Valdrimor Exception" 2>/dev/null)" ]] ||
      fail "the saver waits behind a Valdrimor Exception box"
    grep -q "cannot show the report box" "$work/out.txt" && fail "the saver tried to show a box"
    reports=$(grep -c "Broken.vcs" "$log" 2>/dev/null)
    [[ "$reports" == 1 ]] || fail "the log holds ${reports:-no} reports of the broken scene file, not one"
    grep -q "Broken.vcs" "$work/out.txt" || fail "standard error does not name the broken file"
    ;;
  *)
    echo "unknown case $case_name"; exit 2 ;;
esac

if (( failed )); then
  echo "--- zibolt's output"; cat "$work/out.txt"
  exit 1
fi
echo "PASS: $case_name"
