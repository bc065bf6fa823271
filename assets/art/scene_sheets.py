#!/usr/bin/env python3
"""Writes the SVG sheets of the scene files' art into art/src/ (bloop, posty, floats, voyage,
buzz, fizz, mote). Characters that come in colour variants or many poses are easier to keep
consistent as code than as hand-copied SVG, so these sheets are generated; render-art.sh runs
this before rendering. Every rectangle here must match scene_art.py, which cuts the sheets.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
INK = "#080b1d"  # the outline colour of every character


def svg(width, height, comment, body, style=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">\n  <!-- {comment} -->\n'
            f'  <style>.ol {{ fill: none; stroke: {INK}; stroke-width: 2.5; stroke-linejoin: round; '
            f'stroke-linecap: round; }}{style}</style>\n{body}\n</svg>\n')


def at(x, y, inner, extra=""):
    return f'<g transform="translate({x},{y}){extra}">{inner}</g>'


def eyes(cx, cy, dx, r, look=0.0, closed=False, happy=False):
    """Two big cartoon eyes around (cx, cy), `dx` apart from the centre."""
    out = ""
    for sx in (-1, 1):
        ex = cx + sx * dx
        if closed:
            out += f'<path d="M{ex - r},{cy} Q{ex},{cy + r * 0.6} {ex + r},{cy}" class="ol" stroke-width="2.5"/>'
        elif happy:
            out += f'<path d="M{ex - r},{cy + 2} Q{ex},{cy - r} {ex + r},{cy + 2}" class="ol" stroke-width="2.5"/>'
        else:
            out += (f'<ellipse cx="{ex}" cy="{cy}" rx="{r * 0.85}" ry="{r}" fill="#ffffff" stroke="{INK}" stroke-width="2"/>'
                    f'<circle cx="{ex + look}" cy="{cy + 1}" r="{r * 0.48}" fill="{INK}"/>'
                    f'<circle cx="{ex + look + r * 0.2}" cy="{cy - r * 0.25}" r="{r * 0.18}" fill="#ffffff"/>')
    return out


# --- Bloop: the jelly planet ---------------------------------------------------------------
BLOB_COLOURS = {  # body, shade, highlight
    "A": ("#8dc52e", "#618f14", "#d1ed8b"),
    "B": ("#e868b3", "#b93783", "#fac3e5"),
    "C": ("#fbdc50", "#ceac1f", "#fef6bc"),
}
BLOB_POSES = ["idle", "squash", "jump", "talk", "clap", "blink"]


def blob(colour, pose, uid):
    body, shade, light = BLOB_COLOURS[colour]
    # (sx, sy, lift): squash and stretch about the feet on y 62
    sx, sy, lift = {"squash": (1.12, 0.82, 0), "jump": (0.92, 1.08, 9)}.get(pose, (1.0, 1.0, 0))
    shape = "M8,62 Q4,40 14,28 Q32,8 50,28 Q60,40 56,62 Q32,66 8,62 Z"
    clip = f'<clipPath id="bc{uid}"><path d="{shape}"/></clipPath>'
    g = f'<path d="{shape}" fill="{body}"/>'
    g += f'<ellipse cx="44" cy="56" rx="22" ry="16" fill="{shade}" clip-path="url(#bc{uid})"/>'
    g += f'<ellipse cx="22" cy="28" rx="7" ry="4" fill="{light}" transform="rotate(-30 22 28)"/>'
    g += f'<path d="{shape}" class="ol" stroke-width="3"/>'
    g += eyes(32, 38, 8, 6.5, look=1.5, closed=pose == "blink", happy=pose in ("clap", "jump"))
    if pose == "talk":
        g += f'<ellipse cx="32" cy="52" rx="6" ry="5" fill="#6f1115" stroke="{INK}" stroke-width="2"/>'
    elif pose == "jump":
        g += f'<path d="M25,50 Q32,58 39,50 Z" fill="#6f1115" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>'
    else:
        g += f'<path d="M27,51 Q32,55 37,51" class="ol" stroke-width="2"/>'
    # little nub arms
    if pose in ("clap", "jump"):
        g += f'<path d="M12,40 Q6,30 12,22 M52,40 Q58,30 52,22" class="ol" stroke-width="6"/>'
        g += f'<path d="M12,40 Q6,30 12,22 M52,40 Q58,30 52,22" fill="none" stroke="{body}" stroke-width="2.5" stroke-linecap="round"/>'
    else:
        g += f'<path d="M10,48 Q4,52 6,57 M54,48 Q60,52 58,57" class="ol" stroke-width="6"/>'
        g += f'<path d="M10,48 Q4,52 6,57 M54,48 Q60,52 58,57" fill="none" stroke="{body}" stroke-width="2.5" stroke-linecap="round"/>'
    transform = f"translate(32,{62 - lift}) scale({sx},{sy}) translate(-32,-62)"
    return clip + f'<g transform="{transform}">{g}</g>'


def bloop_sheet():
    body = ""
    uid = 0
    for row, colour in enumerate("ABC"):
        for col, pose in enumerate(BLOB_POSES):
            uid += 1
            body += "\n  " + at(col * 70, row * 70, blob(colour, pose, uid))
    return svg(420, 204, "Planet Bloop's folk: blobs A, B, C in rows of 64x64 frames at y 0, 70, 140: " +
               ", ".join(BLOB_POSES) + " (the sky, strip, sky items and props are in sheets/bloop.py)", body)


# --- Posty, the postal whale ----------------------------------------------------------------
WHALE_POSES = ["swim1", "swim2", "talk", "blink", "blow1", "blow2"]


def whale(pose, uid):
    tail_up = pose != "swim2"
    body = "M20,110 Q20,62 80,56 Q150,50 170,96 Q176,130 140,142 Q80,150 40,134 Q22,126 20,110 Z"
    g = f'<clipPath id="wc{uid}"><path d="{body}"/></clipPath>'
    # tail flukes at the left
    ty = -18 if tail_up else 14
    g += (f'<path d="M28,112 Q6,{104 + ty} 2,{88 + ty} Q14,{92 + ty} 22,{100 + ty * 0.5} '
          f'Q12,{118 + ty} 4,{130 + ty} Q20,{128 + ty} 30,{118}" fill="#2655bf" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>')
    g += f'<path d="{body}" fill="#4976d3"/>'
    g += f'<ellipse cx="110" cy="140" rx="70" ry="24" fill="#cde8ff" clip-path="url(#wc{uid})"/>'
    g += f'<ellipse cx="60" cy="72" rx="20" ry="8" fill="#8bafe9" transform="rotate(-12 60 72)"/>'
    for i in range(4):
        g += f'<path d="M{90 + i * 14},{124 + i} Q{96 + i * 14},{130} {102 + i * 14},{124 + i}" fill="none" stroke="#759ce2" stroke-width="2"/>'
    g += f'<path d="{body}" class="ol" stroke-width="3"/>'
    # fin
    g += f'<path d="M92,118 Q84,136 100,140 Q106,128 104,118 Z" fill="#2655bf" stroke="{INK}" stroke-width="2.2" stroke-linejoin="round"/>'
    # mailbag on a strap
    g += f'<path d="M70,60 Q96,94 120,118" fill="none" stroke="{INK}" stroke-width="7" stroke-linecap="round"/>'
    g += f'<path d="M70,60 Q96,94 120,118" fill="none" stroke="#99673f" stroke-width="3.5" stroke-linecap="round"/>'
    g += (f'<rect x="108" y="108" width="30" height="24" rx="5" fill="#a87951" stroke="{INK}" stroke-width="2.5"/>'
          f'<path d="M108,116 L138,116" stroke="{INK}" stroke-width="2"/>'
          f'<rect x="114" y="104" width="18" height="8" fill="#fef6bc" stroke="{INK}" stroke-width="1.5"/>')
    # eye and mouth
    if pose == "blink":
        g += f'<path d="M136,84 Q143,89 150,84" class="ol" stroke-width="2.5"/>'
    else:
        g += (f'<ellipse cx="143" cy="84" rx="8" ry="9" fill="#ffffff" stroke="{INK}" stroke-width="2"/>'
              f'<circle cx="145" cy="85" r="4.2" fill="{INK}"/><circle cx="146.5" cy="82.5" r="1.5" fill="#ffffff"/>')
    g += '<ellipse cx="158" cy="100" rx="5" ry="3" fill="#f196cc"/>'
    if pose == "talk":
        g += (f'<path d="M140,106 Q158,104 170,100 Q166,122 150,120 Q140,116 140,106 Z" fill="#6f1115" stroke="{INK}" stroke-width="2.2" stroke-linejoin="round"/>'
              f'<ellipse cx="155" cy="115" rx="7" ry="3" fill="#e868b3"/>')
    else:
        g += f'<path d="M138,108 Q156,114 170,102" class="ol"/>'
    # postman cap
    g += (f'<path d="M104,58 Q106,34 130,34 Q152,36 152,60 Z" fill="#c72126" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>'
          f'<path d="M98,60 Q130,52 164,62 Q160,68 130,64 Q104,64 98,60 Z" fill="#2d0508" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>'
          f'<circle cx="128" cy="46" r="5" fill="#fad535" stroke="{INK}" stroke-width="1.5"/>')
    # the spout of stars
    if pose in ("blow1", "blow2"):
        h = 26 if pose == "blow1" else 40
        g += (f'<path d="M88,56 Q84,{56 - h} 74,{52 - h} M88,56 Q92,{56 - h} 102,{52 - h}" fill="none" stroke="#a1c2f0" stroke-width="7" stroke-linecap="round"/>'
              f'<path d="M88,56 Q84,{56 - h} 74,{52 - h} M88,56 Q92,{56 - h} 102,{52 - h}" fill="none" stroke="#cde8ff" stroke-width="3" stroke-linecap="round"/>')
        pts = [(70, 48 - h), (104, 46 - h), (88, 40 - h)] if pose == "blow2" else [(76, 50 - h), (100, 50 - h)]
        for x, y in pts:
            g += (f'<path d="M{x},{y - 7} L{x + 2},{y - 2} L{x + 7},{y} L{x + 2},{y + 2} L{x},{y + 7} L{x - 2},{y + 2} '
                  f'L{x - 7},{y} L{x - 2},{y - 2} Z" fill="#fad535" stroke="{INK}" stroke-width="1.5" stroke-linejoin="round"/>')
    return g


def postcard(frame):
    g = (f'<rect x="3" y="3" width="114" height="52" rx="4" fill="#fef6bc" stroke="{INK}" stroke-width="2.5"/>'
         f'<rect x="86" y="8" width="24" height="20" fill="#e15c5d" stroke="{INK}" stroke-width="1.5" stroke-dasharray="2 1.5"/>'
         f'<ellipse cx="98" cy="19" rx="8" ry="5" fill="#4976d3"/>'
         f'<path d="M60,14 L60,48" stroke="#cea540" stroke-width="1.5"/>'
         f'<path d="M66,36 L110,36 M66,44 L104,44" stroke="#b78c64" stroke-width="2" stroke-linecap="round"/>')
    s = 1.0 if frame == 1 else 1.25
    g += (f'<g transform="translate(30,30) scale({s})"><path d="M0,8 Q-14,-2 -8,-9 Q-3,-13 0,-6 Q3,-13 8,-9 Q14,-2 0,8 Z" '
          f'fill="#e351a6" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/></g>'
          f'<path d="M10,50 Q14,44 20,48" fill="none" stroke="#b78c64" stroke-width="1.5"/>')
    return g


def posty_sheet():
    body = ""
    for i, pose in enumerate(WHALE_POSES):
        body += "\n  " + at(i * 186, 0, whale(pose, i))
    for i in (1, 2):
        body += "\n  " + at((i - 1) * 126, 160, postcard(i))
    return svg(1120, 222, "Posty the postal whale: frames 180x150 every 186 px (" + ", ".join(WHALE_POSES) +
               "); the postcard mail 120x60 at y 160, x 0 and 126", body)


# --- the float library ----------------------------------------------------------------------
def ringed(frame):
    ring = "#fce26b" if frame != 2 else "#fdefa1"
    rings = (f'<ellipse cx="48" cy="32" rx="44" ry="11" fill="none" stroke="{INK}" stroke-width="8"/>'
             f'<ellipse cx="48" cy="32" rx="44" ry="11" fill="none" stroke="{ring}" stroke-width="4"/>')
    g = f'<g transform="rotate(-12 48 32)">{rings}</g>'
    g += ('<clipPath id="rp%d"><circle cx="48" cy="32" r="22"/></clipPath>' % frame +
          f'<circle cx="48" cy="32" r="22" fill="#7a41bc"/>'
          f'<rect x="20" y="20" width="60" height="6" fill="#a87cdd" clip-path="url(#rp{frame})"/>'
          f'<rect x="20" y="40" width="60" height="4" fill="#5a2f8e" clip-path="url(#rp{frame})"/>'
          f'<circle cx="48" cy="32" r="22" class="ol"/>')
    # the near half of the ring passes in front of the planet
    g += (f'<g transform="rotate(-12 48 32)"><clipPath id="rf{frame}"><rect x="0" y="32" width="96" height="20"/></clipPath>'
          f'<g clip-path="url(#rf{frame})">{rings}</g></g>')
    if frame == 3:
        g += eyes(41, 27, 0.01, 4.5) + f'<path d="M51,27 Q55,24 59,27" class="ol" stroke-width="2"/>'
    else:
        g += eyes(48, 27, 7, 4.5)
    g += f'<path d="M43,33 Q48,36 53,33" class="ol" stroke-width="2"/>'
    return g


def comet(frame):
    tail = 96 if frame >= 3 else 48
    wobble = 3 if frame % 2 else -3
    g = ""
    for w, c in ((22, "#78d0d4"), (14, "#b1ecec"), (6, "#ffffff")):
        g += (f'<path d="M96,{24 - w / 2} Q{96 - tail * 0.5},{24 - w / 2 + wobble} {96 - tail},{24 + wobble} '
              f'Q{96 - tail * 0.5},{24 + w / 2 + wobble} 96,{24 + w / 2} Z" fill="{c}"/>')
    # comets fly left to right: the head leads
    g += (f'<circle cx="102" cy="24" r="14" fill="#fce26b" stroke="{INK}" stroke-width="2.5"/>'
          f'<circle cx="97" cy="19" r="4" fill="#fffcd7"/>'
          f'<path d="M101,29 Q105,32 109,29" class="ol" stroke-width="1.8"/>'
          f'<circle cx="100" cy="22" r="2" fill="{INK}"/><circle cx="108" cy="22" r="2" fill="{INK}"/>')
    return g


def satellite(frame):
    light = "#e15c5d" if frame == 1 else "#fad535"
    g = ""
    for x in (2, 44):
        g += f'<rect x="{x}" y="16" width="18" height="16" fill="#2655bf" stroke="{INK}" stroke-width="2"/>'
        g += f'<path d="M{x + 6},16 L{x + 6},32 M{x + 12},16 L{x + 12},32 M{x},24 L{x + 18},24" stroke="#759ce2" stroke-width="1"/>'
    g += (f'<path d="M20,24 L44,24" stroke="{INK}" stroke-width="3"/>'
          f'<rect x="24" y="14" width="16" height="22" rx="3" fill="#bac4d0" stroke="{INK}" stroke-width="2.2"/>'
          f'<path d="M32,14 L32,6" stroke="{INK}" stroke-width="2"/>'
          f'<circle cx="32" cy="5" r="3" fill="{light}" stroke="{INK}" stroke-width="1.5"/>'
          f'<path d="M26,40 Q32,36 38,40 L32,46 Z" fill="#dbe3ec" stroke="{INK}" stroke-width="1.8" stroke-linejoin="round"/>')
    if frame == 3:
        g += f'<path d="M22,44 Q32,50 42,44" fill="none" stroke="#fad535" stroke-width="2"/>'
    g += f'<circle cx="29" cy="22" r="1.6" fill="{INK}"/><circle cx="35" cy="22" r="1.6" fill="{INK}"/>'
    g += f'<path d="M29,28 Q32,30 35,28" class="ol" stroke-width="1.5"/>'
    return g


def moon(frame):
    awake = frame >= 3
    g = ('<clipPath id="mc%d"><circle cx="28" cy="28" r="24"/></clipPath>' % frame +
         f'<circle cx="28" cy="28" r="24" fill="#d5ccbd"/>'
         f'<circle cx="24" cy="24" r="22" fill="#f2eada" clip-path="url(#mc{frame})"/>'
         f'<circle cx="16" cy="40" r="4" fill="#b8af9f"/><circle cx="40" cy="14" r="3" fill="#b8af9f"/>'
         f'<circle cx="28" cy="28" r="24" class="ol"/>')
    if awake:
        g += eyes(28, 25, 7, 4.5, closed=frame == 4)
        g += f'<path d="M21,33 Q28,40 35,33" class="ol" stroke-width="2"/>'
        g += '<ellipse cx="14" cy="32" rx="3" ry="2" fill="#f6acd9"/><ellipse cx="42" cy="32" rx="3" ry="2" fill="#f6acd9"/>'
    else:
        g += eyes(28, 26, 7, 4.5, closed=True)
        g += f'<ellipse cx="28" cy="35" rx="2.5" ry="2" fill="#7e7467"/>'
        if frame == 2:
            g += f'<text x="40" y="12" font-family="Comic Neue" font-weight="bold" font-size="11" fill="#cde8ff" stroke="{INK}" stroke-width="0.6">z</text>'
    return g


def floats_sheet():
    body = ""
    for i in range(3):
        body += "\n  " + at(i * 100, 0, ringed(i + 1))
    for i in range(4):
        body += "\n  " + at(i * 125, 70, comet(i + 1))
    for i in range(3):
        body += "\n  " + at(i * 70, 125, satellite(i + 1))
    for i in range(4):
        body += "\n  " + at(i * 60, 180, moon(i + 1))
    return svg(500, 240, "Float library: ringed planet 96x64 (x3, y 0), comet 120x48 (x4, y 70; short tail, "
               "then long), satellite 64x48 (x3, y 125), moon 56x56 (x4, y 180; asleep, then awake)", body)


# --- Voyage: the moving scene's scenery --------------------------------------------------------
def voyage_sheet():
    body = f"""<defs><clipPath id="gg"><circle cx="120" cy="120" r="110"/></clipPath></defs>
  <g>
    <circle cx="120" cy="120" r="110" fill="#b25a0c"/>
    <g clip-path="url(#gg)">
      <circle cx="106" cy="104" r="104" fill="#e87a12"/>
      <path d="M0,60 Q120,40 240,70 L240,90 Q120,62 0,82 Z" fill="#fab76d"/>
      <path d="M0,120 Q120,100 240,128 L240,146 Q120,118 0,140 Z" fill="#cd6a0f"/>
      <path d="M0,170 Q120,150 240,178 L240,194 Q120,170 0,188 Z" fill="#f9a853"/>
      <ellipse cx="150" cy="140" rx="26" ry="14" fill="#c72126" stroke="{INK}" stroke-width="2"/>
      <ellipse cx="146" cy="138" rx="12" ry="6" fill="#e15c5d"/>
    </g>
    <circle cx="120" cy="120" r="110" class="ol" stroke-width="3"/>
  </g>
  <g transform="translate(250,0)">
    <path d="M6,22 Q2,6 20,4 Q40,-2 50,14 Q58,30 44,40 Q24,46 10,38 Q2,32 6,22 Z" fill="#7e7467" stroke="{INK}" stroke-width="2.5"/>
    <circle cx="20" cy="18" r="5" fill="#61594f"/><circle cx="38" cy="28" r="4" fill="#61594f"/>
    <path d="M14,10 Q22,6 30,8" fill="none" stroke="#b8af9f" stroke-width="2.5" stroke-linecap="round"/>
  </g>
  <g transform="translate(310,0)">
    <path d="M4,16 Q4,4 16,3 Q32,0 36,14 Q38,28 24,31 Q8,32 4,16 Z" fill="#9b9182" stroke="{INK}" stroke-width="2.5"/>
    <circle cx="14" cy="14" r="3.5" fill="#7e7467"/><circle cx="26" cy="22" r="3" fill="#7e7467"/>
  </g>
  <g transform="translate(250,60)">
    <rect x="17" y="20" width="6" height="50" fill="#768598" stroke="{INK}" stroke-width="2"/>
    <path d="M2,6 L30,6 L38,16 L30,26 L2,26 Z" fill="#fad535" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>
    <path d="M8,16 L26,16 M20,11 L26,16 L20,21" fill="none" stroke="{INK}" stroke-width="2.5" stroke-linecap="round" stroke-linejoin="round"/>
    <circle cx="20" cy="3" r="3" fill="#e15c5d" stroke="{INK}" stroke-width="1.5"/>
  </g>
"""
    sparkles = [(20, 20, 5), (60, 50, 3), (110, 15, 4), (150, 70, 6), (185, 30, 3), (40, 95, 4), (90, 100, 3),
                (130, 110, 4), (170, 100, 3), (75, 75, 2.5), (10, 60, 2.5), (195, 75, 2.5)]
    g = ""
    for x, y, r in sparkles:
        g += (f'<path d="M{x},{y - r * 2} L{x + r * 0.4},{y - r * 0.4} L{x + r * 2},{y} L{x + r * 0.4},{y + r * 0.4} '
              f'L{x},{y + r * 2} L{x - r * 0.4},{y + r * 0.4} L{x - r * 2},{y} L{x - r * 0.4},{y - r * 0.4} Z" '
              f'fill="{"#fce26b" if r > 3.5 else "#cde8ff"}"/>')
    body += at(300, 60, g)
    return svg(520, 240, "Voyage scenery: gas giant 240x240 at 0,0; rocks 56x44 at 250,0 and 40x34 at 310,0; "
               "signpost 40x72 at 250,60; star cluster 210x130 at 300,60", body)


# --- Buzz: the fly in the cabin ---------------------------------------------------------------
def fly(frame):
    up = frame != 2
    g = ""
    for sx in (-1, 1):
        wy = -8 if up else -2
        g += (f'<ellipse cx="{16 + sx * 7}" cy="{10 + wy / 2}" rx="7" ry="{10 if up else 5}" fill="#cde8ff" '
              f'stroke="{INK}" stroke-width="1.5" opacity="0.95" transform="rotate({sx * 25} {16 + sx * 7} {10 + wy / 2})"/>')
    g += (f'<ellipse cx="16" cy="19" rx="9" ry="7" fill="#3ca645" stroke="{INK}" stroke-width="2"/>'
          f'<path d="M10,18 L22,18 M11,22 L21,22" stroke="#19581f" stroke-width="1.5"/>'
          f'<circle cx="25" cy="16" r="5" fill="#2f9839" stroke="{INK}" stroke-width="2"/>')
    if frame == 3:  # dizzy
        g += f'<path d="M23,14 L27,18 M27,14 L23,18" stroke="#ffffff" stroke-width="1.5"/>'
        g += f'<path d="M6,2 Q10,-1 14,2" fill="none" stroke="#fad535" stroke-width="1.5"/>'
    else:
        g += f'<circle cx="27" cy="15" r="2.4" fill="#e15c5d"/><circle cx="27.6" cy="14.4" r="0.8" fill="#ffffff"/>'
    g += f'<path d="M12,25 L10,29 M16,26 L16,30 M20,25 L22,29" stroke="{INK}" stroke-width="1.5" stroke-linecap="round"/>'
    return at(1, 4.8, g, " scale(1.15)")


def buzz_sheet():
    body = "".join("\n  " + at(i * 44, 0, fly(i + 1)) for i in range(3))
    return svg(132, 42, "Buzz, the cabin fly: frames 40x40 every 44 px (wings up, wings down, dizzy)", body)


# --- Fizz: the soda planet -------------------------------------------------------------------
VOLCANO_POSES = ["idle", "talk", "blink", "puff", "boom", "happy"]


def volcano(pose, uid):
    cone = "M8,136 Q30,110 44,56 Q50,36 66,34 L94,34 Q110,36 116,56 Q130,110 152,136 Q80,142 8,136 Z"
    g = f'<clipPath id="vc{uid}"><path d="{cone}"/></clipPath>'
    # what comes out of the top
    if pose in ("puff", "boom"):
        big = pose == "boom"
        for i, (x, y, r, c) in enumerate(((80, 22, 14, "#fac3e5"), (62, 12 if big else 20, 10, "#cde8ff"),
                                           (98, 10 if big else 20, 11, "#fef6bc"), (80, 2, 9, "#b1ecec"))):
            if i == 3 and not big:
                continue
            g += f'<circle cx="{x}" cy="{y}" r="{r}" fill="{c}" stroke="{INK}" stroke-width="2"/>'
    g += f'<path d="{cone}" fill="#cd6a0f"/>'
    g += f'<path d="M20,150 Q60,60 120,40 L160,40 L160,150 Z" fill="#974909" clip-path="url(#vc{uid})"/>'
    # pink soda frosting running down from the crater
    g += (f'<path d="M46,52 Q50,36 66,34 L94,34 Q110,36 114,52 Q108,66 102,56 Q96,72 88,58 Q80,74 72,58 '
          f'Q64,72 58,56 Q52,66 46,52 Z" fill="#ed7fc0" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>')
    g += '<ellipse cx="80" cy="36" rx="14" ry="3.5" fill="#83235d"/>'
    g += f'<path d="{cone}" class="ol" stroke-width="3"/>'
    if pose == "blink":
        g += eyes(80, 84, 14, 8, closed=True)
    elif pose in ("happy", "boom"):
        g += eyes(80, 84, 14, 8, happy=True)
    else:
        g += eyes(80, 84, 14, 8, look=-2)
    g += '<ellipse cx="54" cy="102" rx="7" ry="4" fill="#f196cc"/><ellipse cx="106" cy="102" rx="7" ry="4" fill="#f196cc"/>'
    if pose in ("talk", "boom"):
        g += (f'<path d="M66,102 Q80,104 94,102 Q92,122 80,122 Q68,122 66,102 Z" fill="#6f1115" stroke="{INK}" stroke-width="2.2"/>'
              f'<ellipse cx="80" cy="116" rx="7" ry="3" fill="#e868b3"/>')
    elif pose == "puff":
        g += f'<ellipse cx="80" cy="108" rx="6" ry="7" fill="#6f1115" stroke="{INK}" stroke-width="2"/>'
    else:
        g += f'<path d="M68,104 Q80,114 92,104" class="ol"/>'
    return g


def bubble(frame):
    if frame == 3:
        g = ""
        for i in range(8):
            g += f'<path d="M20,20 L20,4" stroke="#fce26b" stroke-width="3" stroke-linecap="round" transform="rotate({i * 45} 20 20)"/>'
        return g + f'<circle cx="20" cy="20" r="5" fill="#fffcd7" stroke="{INK}" stroke-width="1.5"/>'
    fill, light = ("#f6acd9", "#ffdaf2") if frame == 1 else ("#a1c2f0", "#cde8ff")
    return (f'<circle cx="20" cy="20" r="16" fill="{fill}" stroke="{INK}" stroke-width="2.5"/>'
            f'<ellipse cx="14" cy="13" rx="5" ry="3" fill="{light}" transform="rotate(-35 14 13)"/>'
            f'<circle cx="26" cy="26" r="2" fill="#ffffff"/>')


def fizz_sheet():
    body = ""
    for i, pose in enumerate(VOLCANO_POSES):
        body += "\n  " + at(i * 166, 0, volcano(pose, i))
    for i in range(3):
        body += "\n  " + at(i * 46, 150, bubble(i + 1))
    return svg(992, 194, "Planet Fizz's folk: Fizzuvius the volcano 160x140 every 166 px at y 0 (" +
               ", ".join(VOLCANO_POSES) + "), soda bubbles 40x40 every 46 px at y 150 (pink, blue, pop); "
               "the sky, strip, sky items and props are in sheets/fizz.py", body)


# --- Nib: the stowaway mouse (inside meeting) ---------------------------------------------------
MOUSE_POSES = ["fly1", "fly2", "talk", "blink", "dance1", "dance2"]


def mouse(pose):
    g = ""
    if pose in ("fly1", "fly2"):
        h = 12 if pose == "fly1" else 7
        g += (f'<path d="M8,38 Q2,{40 + h / 2} 6,{42 + h} Q10,{40 + h / 2} 14,40 Z" fill="#f68a21" stroke="{INK}" stroke-width="1.5"/>')
    g += f'<rect x="6" y="28" width="10" height="14" rx="3" fill="#768598" stroke="{INK}" stroke-width="2"/>'
    # body, arms, tail
    g += f'<path d="M40,46 Q52,50 50,40" fill="none" stroke="{INK}" stroke-width="3" stroke-linecap="round"/>'
    g += f'<path d="M40,46 Q52,50 50,40" fill="none" stroke="#f6acd9" stroke-width="1.2" stroke-linecap="round"/>'
    g += f'<ellipse cx="28" cy="42" rx="12" ry="10" fill="#ecf3fa" stroke="{INK}" stroke-width="2.2"/>'
    arms = {"dance1": "M18,38 Q12,30 14,24 M38,38 Q44,42 46,46", "dance2": "M18,38 Q12,42 10,46 M38,38 Q44,30 42,24"}
    a = arms.get(pose, "M18,38 Q12,42 12,46 M38,38 Q44,42 44,46")
    g += f'<path d="{a}" fill="none" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>'
    g += f'<path d="{a}" fill="none" stroke="#ecf3fa" stroke-width="2" stroke-linecap="round"/>'
    # head with big ears inside a glass helmet
    g += f'<circle cx="16" cy="12" r="8" fill="#a9b4c2" stroke="{INK}" stroke-width="2"/><circle cx="16" cy="12" r="4" fill="#f6acd9"/>'
    g += f'<circle cx="40" cy="12" r="8" fill="#a9b4c2" stroke="{INK}" stroke-width="2"/><circle cx="40" cy="12" r="4" fill="#f6acd9"/>'
    g += f'<ellipse cx="28" cy="22" rx="12" ry="11" fill="#bac4d0" stroke="{INK}" stroke-width="2"/>'
    if pose == "blink":
        g += f'<path d="M20,21 Q23,23 26,21 M30,21 Q33,23 36,21" class="ol" stroke-width="1.8"/>'
    else:
        g += f'<circle cx="23" cy="21" r="2.6" fill="{INK}"/><circle cx="33" cy="21" r="2.6" fill="{INK}"/>'
        g += '<circle cx="24" cy="20" r="0.9" fill="#ffffff"/><circle cx="34" cy="20" r="0.9" fill="#ffffff"/>'
    g += f'<circle cx="28" cy="26" r="2" fill="#e351a6" stroke="{INK}" stroke-width="1"/>'
    if pose == "talk":
        g += f'<ellipse cx="28" cy="30" rx="3" ry="2.5" fill="#6f1115" stroke="{INK}" stroke-width="1"/>'
    else:
        g += f'<path d="M25,29 Q28,31 31,29" class="ol" stroke-width="1.4"/>'
    g += f'<path d="M22,26 L14,25 M22,28 L14,30 M34,26 L42,25 M34,28 L42,30" stroke="{INK}" stroke-width="0.9"/>'
    g += f'<circle cx="28" cy="20" r="17" fill="#cde8ff" fill-opacity="0.25" stroke="{INK}" stroke-width="2"/>'
    g += '<path d="M17,10 Q21,6 26,5" fill="none" stroke="#ffffff" stroke-width="2.2" stroke-linecap="round"/>'
    return g


def cheese(frame):
    g = (f'<path d="M6,44 L100,44 L100,22 Q60,4 6,30 Z" fill="#fce26b" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>'
         f'<path d="M6,30 Q60,4 100,22 L100,28 Q60,12 6,36 Z" fill="#fef6bc"/>'
         f'<path d="M6,44 L100,44 L100,22 Q60,4 6,30 Z" class="ol"/>')
    for x, y, r in ((30, 36, 4), (56, 30, 5), (80, 36, 3.5), (88, 26, 2.5), (44, 40, 2.5)):
        g += f'<circle cx="{x}" cy="{y}" r="{r}" fill="#ceac1f" stroke="#947912" stroke-width="1"/>'
    g += (f'<path d="M56,12 Q46,2 44,12 Q46,20 56,14 Q66,20 68,12 Q66,2 56,12 Z" fill="#e15c5d" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>'
          f'<circle cx="56" cy="13" r="3" fill="#c72126" stroke="{INK}" stroke-width="1.5"/>')
    if frame == 2:
        for x, y in ((100, 8), (12, 16), (104, 40)):
            g += (f'<path d="M{x},{y - 6} L{x + 1.5},{y - 1.5} L{x + 6},{y} L{x + 1.5},{y + 1.5} L{x},{y + 6} '
                  f'L{x - 1.5},{y + 1.5} L{x - 6},{y} L{x - 1.5},{y - 1.5} Z" fill="#ffffff" stroke="{INK}" stroke-width="1"/>')
    return g


def mote_sheet():
    body = "".join("\n  " + at(i * 62, 0, mouse(pose)) for i, pose in enumerate(MOUSE_POSES))
    body += "".join("\n  " + at((i - 1) * 116, 62, cheese(i)) for i in (1, 2))
    return svg(372, 112, "Nib the stowaway mouse: frames 56x56 every 62 px (" + ", ".join(MOUSE_POSES) +
               "); the moon-cheese mail 110x50 at y 62, x 0 and 116", body)


def write(name, text):
    path = os.path.join(HERE, "src", name + ".svg")
    with open(path, "w") as f:
        f.write(text)


SHEETS = {"bloop": bloop_sheet, "posty": posty_sheet, "floats": floats_sheet, "voyage": voyage_sheet,
          "buzz": buzz_sheet, "fizz": fizz_sheet, "mote": mote_sheet}


def main():
    for name, make in SHEETS.items():
        write(name, make())
    import sheets  # the second batch draws and lays out its own sheets
    for sheet in sheets.built():
        sheet.write()


if __name__ == "__main__":
    main()
