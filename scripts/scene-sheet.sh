#!/usr/bin/env bash
# One PNG with one frame from the middle of each scene of a data folder, each labelled with its
# file name: a look at every scene at once, as the show draws it.
#   scripts/scene-sheet.sh [OUT.png] [--data DIR] [--size WxH] [--at FRACTION] [--only NAME,...]
# OUT defaults to build/scene-sheet.png, DIR to the build's data folder, the size to 800x600,
# FRACTION (how far into each scene the frame is taken) to 0.5. Each scene is played alone by
# the recorder (zibolt --record) from the start of a show; its length is worked out from what
# `vcs show` lists (flights, talks, animations), so the frame is near the scene's middle.
# Needs a build (build/, or $ZIBOLT_BUILD) with the recorder and vcs, python3, rsvg-convert and
# ImageMagick's convert; as root it installs what is missing (scripts/deps.sh art).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${ZIBOLT_BUILD:-build}
out=$build/scene-sheet.png
data=$build/data
size=800x600
at=0.5
only=
while [[ $# -gt 0 ]]; do
  case "$1" in
    --data) data=$2; shift 2 ;;
    --size) size=$2; shift 2 ;;
    --at) at=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    -*) echo "scene-sheet: unknown option $1" >&2; exit 2 ;;
    *) out=$1; shift ;;
  esac
done
record=$build/platform/headless/zibolt-record
vcs=$build/tools/vcs/vcs
for tool in "$record" "$vcs"; do
  [[ -x $tool ]] || { echo "scene-sheet: $tool is missing: build first (cmake --build $build)" >&2; exit 1; }
done
scripts/deps.sh art   # python3, rsvg-convert, ImageMagick's convert
[[ -d $data ]] || { echo "scene-sheet: no data folder $data" >&2; exit 1; }
width=${size%x*}
height=${size#*x}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
names=()
for file in "$data"/*.vcs "$data"/*.VCS; do
  [[ -e $file ]] || continue
  name=$(basename "$file")
  if [[ -n $only && ",$only," != *",${name%.*},"* && ",$only," != *",$name,"* ]]; then continue; fi
  "$vcs" show "$file" -o "$work/show.json"
  seconds=$(python3 scripts/scene-length.py "$work/show.json" "$width" "$height") || {
    echo "scene-sheet: cannot tell how long $name plays" >&2; exit 1; }
  [[ $seconds == float ]] && continue   # a float library: no scene of its own
  mid=$(python3 -c "print(round(0.3 + $seconds * $at, 2))")
  rm -rf "$work/data" && mkdir -p "$work/data"
  ln -s "$(realpath "$file")" "$work/data/$name"
  [[ -d $data/Sounds ]] && ln -s "$(realpath "$data/Sounds")" "$work/data/Sounds"
  # A frame a second (the recorder writes whole frames); the last one is the frame at `mid` s.
  "$record" --record "$work/scene.gif" --seconds "$mid" --fps 1 --size "$size" --data "$work/data" \
    --seed 1 >/dev/null
  convert "$work/scene.gif[-1]" "$work/${name%.*}.png"
  names+=("$name")
  printf '%s: %s s, frame at %s s\n' "$name" "$seconds" "$mid"
done
[[ ${#names[@]} -gt 0 ]] || { echo "scene-sheet: no scene files in $data" >&2; exit 1; }

# Lay the frames out four to a row, each under its file name, as one SVG made into one PNG.
python3 - "$work" "$width" "$height" "${names[@]}" >"$work/sheet.svg" <<'EOF'
import base64, sys
work, w, h, names = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4:]
cols = min(4, len(names))
scale = min(1.0, 480 / w)
cw, ch = round(w * scale), round(h * scale)
rows = -(-len(names) // cols)
W, H = cols * (cw + 16) + 16, rows * (ch + 40) + 16
print(f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="{W}" height="{H}">')
print(f'<rect width="{W}" height="{H}" fill="#ffffff"/>')
for i, name in enumerate(names):
    x, y = 16 + (i % cols) * (cw + 16), 16 + (i // cols) * (ch + 40)
    with open(f"{work}/{name.rsplit('.', 1)[0]}.png", "rb") as f:
        data = base64.b64encode(f.read()).decode()
    print(f'<image x="{x}" y="{y}" width="{cw}" height="{ch}" xlink:href="data:image/png;base64,{data}"/>')
    print(f'<text x="{x + cw / 2}" y="{y + ch + 24}" font-family="Comic Neue, sans-serif" font-weight="bold" '
          f'font-size="18" text-anchor="middle">{name}</text>')
print('</svg>')
EOF
mkdir -p "$(dirname "$out")"
rsvg-convert -f png -o "$out" "$work/sheet.svg"
echo "$out"
