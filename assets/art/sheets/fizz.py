"""Planet Fizz's backdrop: a sunset of bands over a soda desert; its two suns, candy-floss
clouds and lollipops as sky items and props."""
from palette import C
from sheet_layout import INK, Sheet
from toon import band_sky, ground_strip


def sky():
    bands = [(0, C("violet03")), (50, C("violet04")), (100, C("pink04")), (160, C("pink05")), (215, C("pink06")),
             (270, C("red10")), (320, C("orange08")), (365, C("orange09")), (400, C("orange11")), (430, C("orange12"))]
    streaks = [(20, 130, 50, C("pink06")), (120, 240, 40, C("pink08")), (40, 345, 60, C("orange10")),
               (130, 415, 40, C("orange12"))]
    return band_sky(200, 600, bands, streaks, edge_amp=2, edge_period=200)


def planet():
    dunes = (f'<path d="M0,64 Q200,50 400,62 Q600,72 800,60 L800,150 L0,150 Z" fill="{C("orange11")}"/>')
    g = ground_strip(800, 150, C("orange12"), [(84, C("orange08")), (104, C("orange10")), (122, C("orange07")),
                                                (140, C("orange06"))], behind=dunes)
    return g


def sun(r, fill, light):
    c = r + 3
    return (f'<circle cx="{c}" cy="{c}" r="{r}" fill="{fill}" stroke="{INK}" stroke-width="3"/>'
            f'<circle cx="{c - r * 0.2}" cy="{c - r * 0.2}" r="{r * 0.65}" fill="{light}"/>')


def floss(w):
    return (f'<rect x="2" y="12" width="{w - 4}" height="16" rx="8" fill="{C("pink12")}" stroke="{INK}" stroke-width="2"/>'
            f'<rect x="22" y="2" width="{w * 0.5}" height="14" rx="7" fill="{C("pink13")}" stroke="{INK}" stroke-width="2"/>')


def lollipop(colour, h):
    return (f'<rect x="14" y="26" width="4" height="{h}" fill="#ffffff" stroke="{INK}" stroke-width="1.5"/>'
            f'<circle cx="16" cy="16" r="14" fill="{C(colour)}" stroke="{INK}" stroke-width="2.5"/>'
            f'<path d="M8,16 Q16,6 24,16 Q16,24 12,14" fill="none" stroke="#ffffff" stroke-width="2.5" stroke-linecap="round"/>')


def build():
    s = Sheet("fizz-sky", "Fizz", "Planet Fizz's backdrop: sky bands, ground strip, suns, candy floss, lollipops.")
    s.picture("Fizz-Sky", 200, 600, sky(), key=None, file="Sky")
    s.picture("Fizz-Planet", 800, 150, planet(), key=None, file="Planet")
    s.picture("Fizz-Sun", 98, 98, sun(46, C("yellow09"), C("yellow12")), file="Sun")
    s.picture("Fizz-Sun2", 50, 50, sun(22, C("orange09"), C("orange11")), file="Sun2")
    s.picture("Fizz-Floss1", 160, 30, floss(160), file="Floss1")
    s.picture("Fizz-Floss2", 120, 30, floss(120), file="Floss2")
    for name, colour, h in (("Lolly1", "pink07", 46), ("Lolly2", "teal09", 34), ("Lolly3", "lime06", 52),
                            ("Lolly4", "yellow09", 30)):
        s.picture(f"Fizz-{name}", 32, 28 + h, lollipop(colour, h), file=name)
    return s
