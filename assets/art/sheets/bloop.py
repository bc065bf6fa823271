"""Planet Bloop's backdrop: a dusk sky of bands, green jelly hills, and what used to be painted
into them (the pink moon, the ringed planet, the stars, the mushrooms) as sky items and props."""
from palette import C
from sheet_layout import INK, Sheet
from toon import strata, band_sky, ground_strip, sparkle, uid


def sky():
    bands = [(0, C("dusk01")), (60, C("dusk02")), (120, C("dusk03")), (180, C("dusk04")), (240, C("dusk05")),
             (300, C("dusk06")), (350, C("dusk07")), (395, C("dusk08")), (430, C("violet11"))]
    streaks = [(30, 90, 40, C("dusk04")), (130, 210, 50, C("dusk06")), (60, 330, 60, C("dusk08")),
               (140, 380, 40, C("violet10"))]
    return band_sky(200, 600, bands, streaks, edge_amp=2, edge_period=100)


def planet():
    hills = (f'<path d="M0,60 Q100,30 200,56 Q300,30 400,58 Q500,30 600,56 Q700,30 800,60 L800,150 L0,150 Z" fill="{C("green08")}"/>'
             f'<path d="M0,60 Q100,30 200,56 Q300,30 400,58 Q500,30 600,56 Q700,30 800,60" class="ol"/>')
    g = ground_strip(800, 150, C("violet11"), [(82, C("lime05")), (102, C("lime04")), (126, C("lime03"))],
                     behind=hills, amp=4)
    g += strata(((92, C("lime07")), (114, C("lime05")), (138, C("lime04"))))
    return g


def moon():
    cid = uid("moon")
    return (f'<clipPath id="{cid}"><circle cx="76" cy="76" r="72"/></clipPath>'
            f'<circle cx="76" cy="76" r="72" fill="{C("pink10")}"/>'
            f'<circle cx="56" cy="56" r="66" fill="{C("pink11")}" clip-path="url(#{cid})"/>'
            f'<circle cx="51" cy="46" r="12" fill="{C("pink09")}"/><circle cx="106" cy="106" r="16" fill="{C("pink09")}"/>'
            f'<circle cx="96" cy="36" r="7" fill="{C("pink09")}"/><circle cx="76" cy="76" r="72" class="ol" stroke-width="3"/>')


def ringed():
    ring = f'<ellipse cx="64" cy="36" rx="58" ry="12" fill="none" stroke="{{}}" stroke-width="{{}}" transform="rotate(-15 64 36)"/>'
    cid = uid("ring")
    front = ring.format(C("yellow09"), 5) + ring.format(INK, 1.5)
    return (ring.format(INK, 8) + ring.format(C("yellow09"), 5) +
            f'<circle cx="64" cy="36" r="34" fill="{C("teal09")}" stroke="{INK}" stroke-width="2.5"/>'
            f'<ellipse cx="54" cy="24" rx="10" ry="5" fill="{C("teal11")}" transform="rotate(-30 54 24)"/>'
            f'<clipPath id="{cid}"><rect x="0" y="36" width="128" height="40"/></clipPath>'
            f'<g clip-path="url(#{cid})">{ring.format(INK, 8)}{front}</g>')


def stars():
    g = ""
    for i, (x, y) in enumerate(((12, 14), (60, 40), (110, 10), (150, 52), (190, 24), (36, 70), (96, 80), (170, 86))):
        if i % 3 == 0:
            g += sparkle(x, y, 3, C("yellow12"), stroke=False)
        else:
            g += f'<circle cx="{x}" cy="{y}" r="{1.4 + (i % 2) * 0.6}" fill="{C("yellow12")}"/>'
    return g


def mushroom(scale):
    h = 26 * scale
    return (f'<g transform="translate(32,{70 - 70 * scale}) scale({scale})">'
            f'<rect x="-6" y="24" width="12" height="44" rx="4" fill="{C("yellow11")}" stroke="{INK}" stroke-width="2.5"/>'
            f'<path d="M-26,28 Q-24,2 0,0 Q24,2 26,28 Z" fill="{C("pink07")}" stroke="{INK}" stroke-width="2.5" stroke-linejoin="round"/>'
            f'<circle cx="-12" cy="16" r="4" fill="{C("pink13")}"/><circle cx="6" cy="8" r="3.5" fill="{C("pink13")}"/>'
            f'<circle cx="14" cy="20" r="3" fill="{C("pink13")}"/></g>') if h else ""


def build():
    s = Sheet("bloop-sky", "Bloop", "Planet Bloop's backdrop: sky bands, ground strip, sky items and mushrooms.")
    s.picture("Bloop-Sky", 200, 600, sky(), key=None, file="Sky")
    s.picture("Bloop-Planet", 800, 150, planet(), key=None, file="Planet")
    s.picture("Bloop-Moon", 152, 152, moon(), file="Moon")
    s.picture("Bloop-Ringed", 128, 76, ringed(), file="Ringed")
    s.picture("Bloop-Stars", 200, 96, stars(), file="Stars")
    s.picture("Bloop-Mushroom", 64, 72, mushroom(1.0), file="Mushroom")
    s.picture("Bloop-Mushroom2", 64, 72, mushroom(0.7), file="Mushroom2")
    return s
