#!/usr/bin/env bash
# The show inside a real screen-saver daemon under a private X server, as an unprivileged user
# (the daemons refuse to run as root):
#   host_test.sh xscreensaver|mate ZIBOLT XPROBE SOURCE_DIR DATA_DIR
# xscreensaver: the README's steps (its `sed` line, run as written) on a ~/.xscreensaver such
# as xscreensaver-settings writes, then activate, screenshot, deactivate, several times.
# mate: mate-screensaver runs the desktop entry that the build installs.
# Each activation must show the show, and each deactivation must end it with status 0, nothing
# on stderr and no process left. Skips (exit 77) when the daemon or Xvfb is missing.
set -uo pipefail
case_name=$1
zibolt=$2
xprobe=$3
source_dir=$4
data_dir=$5

needed=(Xvfb setpriv)
case "$case_name" in
  xscreensaver) needed+=(xscreensaver xscreensaver-command) ;;
  mate) needed+=(mate-screensaver mate-screensaver-command dbus-run-session) ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
for tool in "${needed[@]}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/deps.sh test installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -- "-$pid" 2>/dev/null; kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../../private_xvfb.sh"
start_private_xvfb

# The program and its data as installed, where the user can reach them (a build tree may sit
# in a home that only its owner enters).
mkdir -p "$work/app/bin" "$work/app/share"
cp "$zibolt" "$work/app/bin/zibolt"
cp -r "$data_dir" "$work/app/share/zibolt"
chmod -R a+rX "$work/app"
zibolt=$work/app/bin/zibolt

# The user's side: a home, its settings, and `zibolt` on the PATH as a wrapper that records
# the real program's exit status, its process id and what it wrote to stderr.
home=$work/home
mkdir -p "$home/.config/zibolt" "$home/run" "$work/bin" "$work/out"
cat >"$home/.config/zibolt/control.ini" <<'EOF'
[Zibolt]
Sound=0
Resolution=256x192
EOF
# The sanitizer build's settings (its suppressions among them) go along: the daemons pass
# their programs only a few variables of their own. Run as this fresh user, fontconfig leaks
# from frames that the fast unwinder does not see, where the suppression of its leaks could
# not match them: full stacks then.
sanitizers=""
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  value=${!name:-}
  [[ $name == ASAN_OPTIONS && -n $value ]] && value+=":fast_unwind_on_malloc=0"
  [[ -n "$value" ]] && sanitizers+="export $name='$value'"$'\n'
done
cat >"$work/bin/zibolt" <<EOF
#!/bin/bash
$sanitizers
"$zibolt" "\$@" 2>>"$work/out/stderr" &
child=\$!
echo "\$child \$*" >>"$work/out/started"
signalled=
trap 'signalled=1; kill -TERM \$child 2>/dev/null' TERM
trap 'signalled=1; kill -INT \$child 2>/dev/null' INT
trap 'signalled=1; kill -HUP \$child 2>/dev/null' HUP
wait \$child; status=\$?
# A trapped signal cuts the first wait short; the second gives the program's own status.
[[ -n "\$signalled" ]] && { wait \$child; status=\$?; }
echo "\$status" >>"$work/out/status"
EOF
chmod 755 "$work/bin/zibolt"
chown -R nobody:nogroup "$home" "$work/out"

if [[ $(id -u) -eq 0 ]]; then
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  as_user=()
fi
# Runs a command as the user, in a session of its own that cleanup ends as a whole.
user_env=(env -i HOME="$home" DISPLAY="$DISPLAY" PATH="$work/bin:/usr/bin:/bin"
          XDG_RUNTIME_DIR="$home/run" SDL_AUDIODRIVER=dummy LANG=C.UTF-8)
as_user() { "${as_user[@]}" "${user_env[@]}" "$@"; }

failed=0
fail() { echo "FAIL: $*"; failed=1; }
count() { [[ -f "$1" ]] && wc -l <"$1" || echo 0; }
wait_for_lines() {  # FILE N SECONDS
  for _ in $(seq $(( $3 * 10 ))); do (( $(count "$1") >= $2 )) && return 0; sleep 0.1; done
  return 1
}

# Runs a daemon's command as the user; a file the test makes stands for itself.
control() { if [[ $1 == touch ]]; then "$@"; else as_user "$@" >/dev/null 2>&1; fi; }
# round N ACTIVATE DEACTIVATE SIZE: one round of the show inside the daemon; SIZE says
# whether the show is drawn at the display's own size ("native") or scaled up ("scaled").
round() {
  local n=$1 activate=$2 deactivate=$3 size=$4
  # A daemon still busy starting up on a loaded machine may miss the request: ask again.
  local asked
  for asked in 1 2 3; do
    control $activate
    wait_for_lines "$work/out/started" "$n" 8 && break
  done
  (( $(count "$work/out/started") >= n )) || { fail "round $n: the daemon did not start zibolt"; return; }
  # The daemon may fade first; a loaded machine takes its time.
  local colours=0
  for _ in $(seq 40); do
    sleep 0.25
    read -r _ _ colours < <("$xprobe" shot root)
    (( ${colours:-0} > 8 )) && break
  done
  (( ${colours:-0} > 8 )) || fail "round $n: the screen shows ${colours:-no} colours, not the show"
  mixed=$("$xprobe" blocks root 4)  # 256x192 is a quarter of the screen each way
  if [[ $size == native ]]; then
    (( ${mixed:-0} > 0 )) || fail "round $n: the show is drawn scaled up, not at the display's own size"
  else
    [[ $mixed == 0 ]] || fail "round $n: the show is not drawn at control.ini's resolution, scaled up"
  fi
  control $deactivate
  wait_for_lines "$work/out/status" "$n" 10 || { fail "round $n: zibolt did not end on deactivation"; return; }
  local status pid
  status=$(sed -n "${n}p" "$work/out/status")
  [[ "$status" == 0 ]] || fail "round $n: zibolt ended with status $status"
  pid=$(sed -n "${n}p" "$work/out/started" | cut -d' ' -f1)
  sleep 0.3
  kill -0 "$pid" 2>/dev/null && fail "round $n: zibolt (process $pid) is still running"
}

case "$case_name" in
  xscreensaver)
    # As xscreensaver-settings writes the file at the first change of a setting (fading off,
    # which gives the window's end and SIGTERM the least time between them).
    cat >"$home/.xscreensaver" <<'EOF'
# XScreenSaver Preferences File
mode:		one
selected:	0
timeout:	0:30:00
lock:		False
fade:		False
unfade:		False
splash:		False
programs:								      \
				maze --root				    \n\
- GL: 				superquadrics --root			    \n\
				attraction --root			    \n\

EOF
    # The README's step, as written there.
    step=$(grep -m1 "^ *sed -i '/^programs:/" "$source_dir/README.md")
    [[ -n "$step" ]] || { echo "FAIL: the README has no sed line for ~/.xscreensaver"; exit 1; }
    (HOME=$home; eval "$step") || fail "the README's step failed: $step"
    # What the settings page writes for "Sound" ticked and the display's own resolution,
    # whatever control.ini holds.
    sed -i 's/zibolt --root --sound/& --resolution native/' "$home/.xscreensaver"
    grep -q '"Zibolt" *zibolt --root --sound --resolution native *\\n\\$' "$home/.xscreensaver" ||
      fail "the README's step did not add Zibolt to the list: $(grep -n Zibolt "$home/.xscreensaver")"
    chown nobody:nogroup "$home/.xscreensaver"
    setsid "${as_user[@]}" "${user_env[@]}" xscreensaver --no-splash --verbose \
      >"$work/daemon.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 150); do as_user xscreensaver-command -time >/dev/null 2>&1 && break; sleep 0.2; done
    for n in 1 2 3 4; do
      round "$n" "xscreensaver-command -activate" "xscreensaver-command -deactivate" native
    done
    ;;
  mate)
    # The desktop entry where mate-screensaver looks for its themes, settings that pick it and
    # never lock, and the daemon in a session bus of its own. It runs only programs found in
    # the screen saver's program folder, where the package puts its link: a folder of this
    # test's is mounted there, for this test's processes alone.
    if [[ $(id -u) -ne 0 ]] || ! unshare -m true 2>/dev/null; then
      echo "SKIPPED: mounting over /usr/libexec/xscreensaver needs root and mount namespaces"
      exit 77
    fi
    mkdir -p "$work/share/applications/screensavers" "$work/hack"
    cp "$source_dir/platform/sdl/install/zibolt.desktop" "$work/share/applications/screensavers/"
    cp "$work/bin/zibolt" "$work/hack/zibolt"
    user_env+=(XDG_DATA_DIRS="$work/share:/usr/share" XDG_CURRENT_DESKTOP=MATE)
    # The test asks for each activation and deactivation with a file (the daemon's commands
    # need its session bus).
    unshare -m bash -c 'mount --bind "$0" /usr/libexec/xscreensaver && exec "$@"' "$work/hack" \
      setsid "${as_user[@]}" "${user_env[@]}" dbus-run-session -- bash -c '
        out=$0
        wait_file() { for _ in $(seq 300); do [[ -e $1 ]] && return 0; sleep 0.1; done; return 1; }
        gsettings set org.mate.screensaver mode single
        gsettings set org.mate.screensaver themes "[\"screensavers-zibolt\"]"
        gsettings set org.mate.screensaver lock-enabled false
        gsettings set org.mate.screensaver idle-activation-enabled false
        mate-screensaver --no-daemon --debug >"$out/daemon.log" 2>&1 &
        for _ in $(seq 50); do mate-screensaver-command --query >/dev/null 2>&1 && break; sleep 0.2; done
        for n in 1 2 3; do
          wait_file "$out/activate-$n" && mate-screensaver-command --activate
          wait_file "$out/deactivate-$n" && mate-screensaver-command --deactivate
        done
        kill %1; wait' "$work/out" >"$work/session.log" 2>&1 &
    pids+=($!)
    for n in 1 2 3; do
      round "$n" "touch $work/out/activate-$n" "touch $work/out/deactivate-$n" scaled
    done
    ;;
esac

if (( failed )); then
  echo "--- zibolt's stderr"; cat "$work/out/stderr" 2>/dev/null
  echo "--- the daemon's log"; tail -n 40 "$work/daemon.log" 2>/dev/null
  exit 1
fi
[[ -s "$work/out/stderr" ]] && { echo "FAIL: zibolt wrote to stderr:"; cat "$work/out/stderr"; exit 1; }
echo "PASS: $case_name"
