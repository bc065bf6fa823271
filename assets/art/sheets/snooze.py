"""Planet Snooze: a planet where it is always bedtime. Its folk are woolly sheep who cannot
sleep, so the hero sings a lullaby and they jump the fence, one by one, until they nod off."""
from palette import C
from sheet_layout import INK, Sheet, seq
from toon import strata, at, band_sky, blush, cloud, eyes, ground_strip, mouth, outlined, sparkle, uid

SHEEP_POSES = ["idle", "blink", "talk", "jump", "sleep", "yawn"]
WOOL = {"A": ("white", "grey25", "grey30"), "B": ("beige07", "beige06", "white"), "C": ("grey22", "grey19", "grey26")}


def sky():
    bands = [(0, C("night02")), (80, C("night04")), (160, C("night06")), (230, C("night08")), (300, C("night10")),
             (360, C("night12")), (410, C("night14")), (445, C("night15"))]
    streaks = [(30, 60, 40, C("night05")), (120, 190, 50, C("night08")), (50, 330, 60, C("night12")),
               (140, 420, 40, C("night16"))]
    return band_sky(200, 600, bands, streaks, edge_amp=2, edge_period=100)


def planet():
    hills = (f'<path d="M0,80 L0,56 Q200,40 400,54 Q600,66 800,52 L800,80 Z" fill="{C("teal03")}"/>'
             f'<path d="M0,56 Q200,40 400,54 Q600,66 800,52" fill="none" stroke="{C("teal05")}" stroke-width="2"/>')
    g = ground_strip(800, 150, C("night15"), [(80, C("green05")), (100, C("green04")), (122, C("green03")),
                                               (140, C("green02"))], behind=hills, amp=2, period=400)
    g += strata(((90, C("green06")), (112, C("green05")), (132, C("green04"))))
    return g


def moon():
    mask, clip = uid("cres"), uid("disc")
    g = (f'<mask id="{mask}"><circle cx="56" cy="58" r="50" fill="#ffffff"/><circle cx="84" cy="44" r="42" fill="#000000"/></mask>'
         f'<clipPath id="{clip}"><circle cx="56" cy="58" r="50"/></clipPath>'
         f'<circle cx="56" cy="58" r="50" fill="{C("yellow11")}" stroke="{INK}" stroke-width="3" mask="url(#{mask})"/>'
         f'<circle cx="84" cy="44" r="42" fill="none" stroke="{INK}" stroke-width="3" clip-path="url(#{clip})"/>')
    g += f'<path d="M20,56 Q26,61 32,56" class="ol" stroke-width="2.5"/>'
    g += f'<path d="M26,76 Q32,80 38,75" class="ol" stroke-width="2"/>'
    g += f'<ellipse cx="18" cy="68" rx="5" ry="3" fill="{C("pink11")}"/>'
    # a nightcap with a bobble hanging over the tip
    g += outlined("M14,30 Q36,2 74,12 Q60,22 50,34 Q32,26 14,30 Z", C("blue08"))
    g += f'<path d="M16,28 Q34,24 48,32" fill="none" stroke="{C("white")}" stroke-width="4"/>'
    g += f'<circle cx="78" cy="12" r="6" fill="{C("white")}" stroke="{INK}" stroke-width="2"/>'
    return g


def stars():
    g = ""
    for i, (x, y) in enumerate(((12, 14), (60, 40), (110, 10), (150, 52), (190, 24), (36, 70), (96, 80), (170, 86))):
        g += sparkle(x, y, 3, C("yellow12"), stroke=False) if i % 3 == 0 else \
            f'<circle cx="{x}" cy="{y}" r="{1.4 + (i % 2) * 0.6}" fill="{C("yellow12")}"/>'
    return g


def fence():
    g = ""
    for x in (6, 36, 66):
        g += outlined(f"M{x},60 L{x},12 L{x + 6},6 L{x + 12},12 L{x + 12},60 Z", C("brown09"), width=2.2)
    g += outlined("M2,22 L82,22 L82,30 L2,30 Z", C("brown08"), width=2.2)
    return g + outlined("M2,42 L82,42 L82,50 L2,50 Z", C("brown08"), width=2.2)


def bush():
    return outlined("M6,50 Q0,30 16,26 Q20,8 38,14 Q54,6 62,24 Q78,26 74,50 Z", C("teal04")) + \
        f'<path d="M20,30 Q26,24 34,28" fill="none" stroke="{C("teal06")}" stroke-width="2.5" stroke-linecap="round"/>'


def lamp():
    g = outlined("M14,100 L14,30 L20,30 L20,100 Z", C("metal05"))
    g += outlined("M6,30 L28,30 L24,12 L10,12 Z", C("yellow10"))
    g += f'<path d="M10,12 L24,12 L17,4 Z" fill="{C("metal05")}" stroke="{INK}" stroke-width="2" stroke-linejoin="round"/>'
    return g + outlined("M8,100 L26,100 L24,94 L10,94 Z", C("metal06"), width=2)


def sheep(colour, pose):
    wool, shade, light = (C(c) for c in WOOL[colour])
    lift = 14 if pose == "jump" else 0
    g = ""
    legs = "M22,50 L18,62 M30,52 L30,64 M48,52 L48,64 M56,50 L60,62" if pose != "jump" else \
        "M22,50 L12,56 M30,52 L24,60 M48,52 L56,58 M56,50 L66,54"
    g += f'<path d="{legs}" stroke="{INK}" stroke-width="6" stroke-linecap="round"/>'
    g += f'<path d="{legs}" stroke="{C("metal04")}" stroke-width="2.5" stroke-linecap="round"/>'
    puffs = [(20, 40, 12), (32, 32, 13), (46, 32, 13), (58, 40, 12), (40, 46, 14), (26, 48, 10), (54, 48, 10)]
    cid = uid("wool")
    blobs = "".join(f'<circle cx="{x}" cy="{y}" r="{r}"/>' for x, y, r in puffs)
    g += "".join(f'<circle cx="{x}" cy="{y}" r="{r + 1.5}" fill="{INK}"/>' for x, y, r in puffs)
    g += f'<clipPath id="{cid}">{blobs}</clipPath><g fill="{wool}">{blobs}</g>'
    g += f'<rect x="0" y="48" width="80" height="20" fill="{shade}" clip-path="url(#{cid})"/>'
    g += f'<ellipse cx="34" cy="28" rx="6" ry="3" fill="{light}"/>'
    # the face, at the front (right)
    g += outlined("M58,20 Q56,8 66,8 Q76,8 76,22 Q76,34 66,34 Q58,32 58,20 Z", C("metal05"))
    g += outlined("M58,14 Q50,12 52,18 Q56,20 60,18 Z", C("metal04"), width=1.8)
    g += "".join(f'<circle cx="{x}" cy="{y}" r="5" fill="{wool}" stroke="{INK}" stroke-width="1.5"/>'
                 for x, y in ((62, 6), (70, 5)))
    state = {"blink": "closed", "sleep": "closed", "yawn": "closed", "jump": "happy", "idle": "sleepy",
             "talk": "sleepy"}.get(pose, "open")
    g += eyes(67, 19, 4.5, 3.4, look=0.6, state=state)
    g += blush(61, 74, 27, 2.5, 1.6)
    if pose == "yawn":
        g += f'<ellipse cx="68" cy="29" rx="3.5" ry="4.5" fill="{C("red03")}" stroke="{INK}" stroke-width="1.5"/>'
    else:
        g += mouth({"talk": "o", "jump": "smile"}.get(pose, "smile"), 68, 28, 6)
    if pose == "sleep":
        g += f'<text x="2" y="18" font-family="Comic Neue" font-weight="bold" font-size="14" fill="{C("blue13")}" ' \
             f'stroke="{INK}" stroke-width="0.8">z</text>'
    return at(0, 16 - lift, g)


def zzz(frame):
    frame = int(frame)
    g = ""
    for i, (x, y, s) in enumerate(((4, 30, 12), (16, 20, 16), (30, 8, 20))[:frame + 1]):
        g += f'<text x="{x}" y="{y + 8}" font-family="Comic Neue" font-weight="bold" font-size="{s}" ' \
             f'fill="{C("blue13")}" stroke="{INK}" stroke-width="1">z</text>'
    return g


def build():
    s = Sheet("snooze", "Snooze", "Planet Snooze: night bands, meadow strip, sky items, props, the sheep, z's.")
    s.picture("Snooze-Sky", 200, 600, sky(), key=None, file="Sky")
    s.picture("Snooze-Planet", 800, 150, planet(), key=None, file="Planet")
    s.picture("Snooze-Moon", 120, 110, moon(), file="Moon")
    s.picture("Snooze-Stars", 200, 96, stars(), file="Stars")
    s.picture("Snooze-Cloud", 120, 44, cloud(120, 44, C("night16"), C("night13")), file="Cloud")
    s.picture("Snooze-Fence", 84, 62, fence(), file="Fence")
    s.picture("Snooze-Bush", 80, 52, bush(), file="Bush")
    s.picture("Snooze-Lamp", 34, 102, lamp(), file="Lamp")
    for colour in "ABC":
        frames = s.frames(SHEEP_POSES, 80, 82, lambda p: sheep(colour, p), (40, 80), prefix="sheep_",
                          folder=f"Sheep{colour}/")
        s.add_sprite(f"Snooze-Sheep{colour}", frames, seq("DOZE", ("sheep_idle", 700), ("sheep_blink", 300)))
    s.add_sprite("Snooze-Zzz", s.frames(["1", "2"], 56, 44, zzz, (28, 22), prefix="zzz"),
                 seq("SNORE", ("zzz1", 600), ("zzz2", 600)))
    return s
