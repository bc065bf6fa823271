#!/usr/bin/env bash
# Makes sure the Debian packages that a build needs are installed.
#   scripts/deps.sh show|test|bench|art|sounds|win|web
# As root it installs what is missing; otherwise it prints the one apt-get line to run.
set -euo pipefail

# Two monitors for the tests and benchmarks that need them: Xorg with the dummy driver.
monitors=(xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils)
common=(cmake ninja-build g++ pkg-config nlohmann-json3-dev libpng-dev libgif-dev
        libsdl2-dev libfreetype-dev libfontconfig-dev fonts-comic-neue fonts-dejavu-core)
case "${1:-show}" in
  show)  wanted=("${common[@]}") ;;
  # xfonts-base: the fonts of the report boxes that the window tests bring up.
  # xscreensaver, mate-screensaver and what runs them (a session bus, its settings store):
  # the show inside the real screen-saver daemons.
  # The browser tests build the web page and drive Debian's chromium with playwright-core
  # (from npm, tests/web/package-lock.json).
  test)  wanted=("${common[@]}" googletest libgtest-dev clang-14 libclang-rt-14-dev xvfb xdotool xfonts-base x11-utils
                 desktop-file-utils lintian xscreensaver mate-screensaver dbus-daemon libglib2.0-bin
                 dconf-service dconf-gsettings-backend emscripten chromium "${monitors[@]}") ;;
  # imagemagick: the screenshots of the ship's share of the screen.
  bench) wanted=("${common[@]}" libbenchmark-dev xvfb imagemagick "${monitors[@]}") ;;
  art)   wanted=("${common[@]}" librsvg2-bin python3 imagemagick) ;;
  sounds) wanted=(espeak-ng sox) ;;
  # The Windows cross build and its tests: wine64 runs the 64-bit programs, wine gives the
  # wine and wineboot commands, nsis makes the installer, icoutils reads the icons back.
  win)   wanted=(cmake ninja-build g++-mingw-w64-x86-64 wine wine64 xvfb xdotool nsis icoutils "${monitors[@]}") ;;
  # The web page (scripts/web.sh): Debian's emscripten, no download at build time.
  web)   wanted=("${common[@]}" emscripten) ;;
  *) echo "usage: $0 show|test|bench|art|sounds|win|web" >&2; exit 2 ;;
esac
# npm comes with some builds of node and as its own package with Debian's.
if [[ "${1:-show}" == test ]] && ! command -v npm >/dev/null; then
  wanted+=(npm)
fi

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
  echo "Missing Debian packages. Run:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
