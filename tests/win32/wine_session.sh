# Sourced by the Windows tests. start_wine_session makes a work folder ($work), starts a
# private X server (with two monitors when given "two-monitors"), and makes ready the Wine prefix: $ZIBOLT_WINEPREFIX (made on first use,
# so that the cases of one run share one wineboot), else one in the work folder. It sets
# $profile to the Wine user's AppData folder, and on exit ends everything started under Wine,
# every pid in $pids, and removes the work folder.
start_wine_session() {
  work=$(mktemp -d)
  export WINEPREFIX=${ZIBOLT_WINEPREFIX:-$work/prefix}
  export WINEDEBUG=-all
  # No runtime downloads or prompts for components the saver never uses.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  pids=()
  trap end_wine_session EXIT

  if [[ "${1:-}" == two-monitors ]]; then
    # A 1280x1024 primary and a 1024x768 monitor right of it.
    source "$(dirname "${BASH_SOURCE[0]}")/../private_monitors.sh"
    start_private_monitors 1280x1024 1024x768 || { echo "SKIPPED: $monitors_problem"; exit 77; }
  else
    source "$(dirname "${BASH_SOURCE[0]}")/../private_xvfb.sh"
    start_private_xvfb
  fi

  # A saver left over from an earlier case would keep this one from starting.
  [[ -d "$WINEPREFIX" ]] && wineserver -k 2>/dev/null
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    wineboot -i >"$work/wineboot.txt" 2>&1 || { echo "FAIL: wineboot"; cat "$work/wineboot.txt"; exit 1; }
    wineserver -w
  fi
  profile=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData 2>/dev/null | grep -v /Public/ | head -n1)
}

end_wine_session() {
  # Everything a case started under Wine lives in the prefix's server.
  wineserver -k 2>/dev/null
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
