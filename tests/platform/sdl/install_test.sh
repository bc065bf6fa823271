#!/usr/bin/env bash
# Installs the build (stripped) into a fresh prefix and checks that the installed show works
# without any settings: it finds its own data (also moved elsewhere, also through the screen
# saver's link, also as a program copied alone), records a few seconds, and its desktop entry,
# screen-saver settings page and Debian package are sound (lintian finds nothing to warn of).
#   install_test.sh BUILD_DIR
set -uo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
export ZIBOLT_CONFIG_DIR=$work/config SDL_AUDIODRIVER=dummy
unset ZIBOLT_DATA_DIR DISPLAY WAYLAND_DISPLAY

failed=0
fail() { echo "FAIL: $*"; failed=1; }

cmake --install "$build" --prefix "$prefix" --strip >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; echo "FAIL: cmake --install --strip"; exit 1; }

for file in bin/zibolt bin/zibolt-about libexec/xscreensaver/zibolt \
            share/xscreensaver/config/zibolt.xml share/applications/screensavers/zibolt.desktop \
            share/man/man6/zibolt.6.gz share/man/man6/zibolt-about.6.gz \
            share/doc/zibolt/copyright share/doc/zibolt/changelog.gz; do
  [[ -e "$prefix/$file" ]] || fail "$file was not installed"
done
for program in bin/zibolt bin/zibolt-about; do
  readelf -S "$prefix/$program" 2>/dev/null | grep -q '\.symtab' && fail "$program was installed with its symbols"
done
ls "$prefix"/share/zibolt/Sounds/*.wav >/dev/null 2>&1 || fail "no sounds in share/zibolt/Sounds"
ls "$prefix"/share/zibolt/Skins/*.bmp >/dev/null 2>&1 || fail "no skins in share/zibolt/Skins"
for scene in "$build"/data/*.vcs; do
  [[ -e "$scene" ]] || continue
  [[ -e "$prefix/share/zibolt/$(basename "$scene")" ]] || fail "scene file $(basename "$scene") not installed"
done

# The data folder the program reports is its own tree's, wherever that tree is.
data_of() { "$1" --help | sed -n 's/^Data folder: //p'; }
cp -a "$prefix" "$work/moved"
for program in "$prefix/bin/zibolt" "$prefix/libexec/xscreensaver/zibolt" "$work/moved/bin/zibolt"; do
  root=${program%/bin/zibolt}
  root=${root%/libexec/xscreensaver/zibolt}
  got=$(data_of "$program")
  [[ "$got" == "$root/share/zibolt" ]] || fail "$program uses the data folder \"$got\""
done
# Copied alone, it looks where installed data usually lies, never in the build tree.
mkdir -p "$work/alone"
cp "$prefix/bin/zibolt" "$work/alone/"
got=$(XDG_DATA_DIRS="$work/nothing:$prefix/share" data_of "$work/alone/zibolt")
[[ "$got" == "$prefix/share/zibolt" ]] || fail "a copied program uses \"$got\", not the system data folder"
got=$(XDG_DATA_DIRS="$work/nothing" data_of "$work/alone/zibolt")
[[ "$got" != "$(cd "$build" && pwd)"* ]] || fail "a copied program uses the build tree's data ($got)"

# A short recording by the program as the screen saver starts it.
if ! "$prefix/libexec/xscreensaver/zibolt" --record "$work/show.gif" --seconds 3 --size 320x240 \
     >"$work/record.log" 2>&1; then
  fail "the installed program could not record: $(cat "$work/record.log")"
elif grep -qi "exception\|error\|cannot" "$work/record.log"; then
  fail "the recording reported problems: $(cat "$work/record.log")"
fi
[[ -s "$work/show.gif" ]] || fail "no recording written"

# Every choice of the screen saver's settings page is an option the program takes, and every
# skin it offers is installed.
xml=$prefix/share/xscreensaver/config/zibolt.xml
if command -v xmllint >/dev/null; then
  xmllint --noout "$xml" || fail "zibolt.xml is not well-formed"
fi
grep -q '<command arg="--root"/>' "$xml" || fail "zibolt.xml does not start the show with --root"
while IFS= read -r args; do
  # shellcheck disable=SC2086  # the arguments are meant to split
  "$prefix/bin/zibolt" $args --help >/dev/null 2>"$work/args.log" ||
    fail "zibolt does not take \"$args\" from zibolt.xml: $(cat "$work/args.log")"
done < <(grep -o 'arg-\(set\|unset\)="[^"]*"' "$xml" | sed 's/^[^"]*"//; s/"$//')
while IFS= read -r skin; do
  [[ -e "$prefix/share/zibolt/Skins/$skin.bmp" ]] || fail "zibolt.xml offers the missing skin $skin"
done < <(grep -o 'arg-set="--skin [^"]*"' "$xml" | sed 's/.*--skin //; s/"$//')

if command -v desktop-file-validate >/dev/null; then
  # Hints count too: a missing main category leaves the entry in a catch-all menu.
  desktop-file-validate "$prefix/share/applications/screensavers/zibolt.desktop" >"$work/desktop.log" 2>&1
  [[ $? -eq 0 && ! -s "$work/desktop.log" ]] || fail "desktop-file-validate: $(cat "$work/desktop.log")"
  grep -q '^Categories=.*Screensaver;' "$prefix/share/applications/screensavers/zibolt.desktop" ||
    fail "the desktop entry is not in the Screensaver category"
else
  echo "note: desktop-file-validate is not installed (scripts/deps.sh test installs it)"
fi

# The Debian package holds the same tree under /usr.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null; then
  if (cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1); then
    deb=$(ls "$work"/package/*.deb 2>/dev/null | head -n1)
    listing=$(dpkg-deb -c "$deb" 2>/dev/null)
    for file in usr/bin/zibolt usr/bin/zibolt-about usr/libexec/xscreensaver/zibolt \
                usr/share/xscreensaver/config/zibolt.xml usr/share/zibolt/Sounds/ usr/share/man/man6/zibolt.6.gz; do
      grep -q "\./$file" <<<"$listing" || fail "the package lacks /$file"
    done
    if command -v lintian >/dev/null; then
      lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
        fail "lintian: $(grep -E '^[EW]:' "$work/lintian.log" || cat "$work/lintian.log")"
    else
      fail "lintian is not installed (scripts/deps.sh test installs it)"
    fi
  else
    fail "cpack could not make the package: $(tail -5 "$work/cpack.log")"
  fi
fi

(( failed )) && exit 1
echo "PASS: install"
