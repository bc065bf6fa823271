"""Planet Frost: an ice world under an aurora, and the Snowpuffs, round snow folk in knitted
hats who slide and spin on the ice."""
from palette import C
from sheet_layout import INK, Sheet, seq
from toon import strata, at, band_sky, blush, cloud, eyes, ground_strip, mouth, outlined, shaded_blob, sparkle, uid

PUFF_POSES = ["idle", "blink", "talk", "jump", "slide", "happy"]
HATS = {"A": ("red07", "red10", "red03"), "B": ("teal07", "teal10", "teal03"), "C": ("yellow07", "yellow10", "orange04")}


def sky():
    bands = [(0, C("night12")), (70, C("night15")), (150, C("blue07")), (230, C("blue09")), (300, C("blue11")),
             (360, C("blue12")), (420, C("blue13")), (470, C("blue14"))]
    g = band_sky(200, 600, bands, edge_amp=3, edge_period=100)
    # the aurora: two ribbons that wave and meet themselves at the tile's edges
    for y, colour, w in ((110, C("green12"), 10), (126, C("teal11"), 6), (190, C("violet11"), 5)):
        g += (f'<path d="M0,{y} Q50,{y - 16} 100,{y} Q150,{y + 16} 200,{y}" fill="none" stroke="{colour}" '
              f'stroke-width="{w}" stroke-linecap="butt"/>')
    streaks = [(20, 40, 30, C("night16")), (130, 85, 40, C("night17")), (60, 260, 50, C("blue10")),
               (150, 330, 36, C("blue12")), (10, 400, 44, C("blue14"))]
    return g + band_sky(200, 0, [], streaks)


def planet():
    # far ice ridges behind the surface: flat and long, they only grow longer when stretched
    ridges = (f'<path d="M0,80 L0,62 Q200,48 400,60 Q600,70 800,58 L800,80 Z" fill="{C("blue13")}"/>'
              f'<path d="M0,62 Q200,48 400,60 Q600,70 800,58" fill="none" stroke="{C("blue10")}" stroke-width="2"/>')
    g = ground_strip(800, 150, C("blue14"), [(80, C("metal15")), (100, C("blue14")), (122, C("blue12")),
                                             (140, C("blue11"))], behind=ridges)
    g += strata(((92, C("white")), (112, C("blue15")), (131, C("blue13"))))
    return g


def sun():
    g = f'<circle cx="50" cy="50" r="46" fill="none" stroke="{C("blue15")}" stroke-width="3" stroke-dasharray="6 7"/>'
    g += f'<circle cx="50" cy="50" r="32" fill="{C("yellow12")}" stroke="{INK}" stroke-width="3"/>'
    g += f'<circle cx="44" cy="44" r="20" fill="{C("yellow13")}"/>'
    return g


def ice_moon():
    g = f'<ellipse cx="36" cy="24" rx="34" ry="8" fill="none" stroke="{INK}" stroke-width="6" transform="rotate(-10 36 24)"/>'
    g += f'<ellipse cx="36" cy="24" rx="34" ry="8" fill="none" stroke="{C("teal12")}" stroke-width="3" transform="rotate(-10 36 24)"/>'
    g += f'<circle cx="36" cy="24" r="15" fill="{C("blue13")}" stroke="{INK}" stroke-width="2.5"/>'
    g += f'<circle cx="32" cy="20" r="5" fill="{C("blue15")}"/><circle cx="40" cy="29" r="3" fill="{C("blue11")}"/>'
    cid = uid("ring")
    g += (f'<clipPath id="{cid}"><rect x="0" y="24" width="72" height="24"/></clipPath><g clip-path="url(#{cid})">'
          f'<ellipse cx="36" cy="24" rx="34" ry="8" fill="none" stroke="{INK}" stroke-width="6" transform="rotate(-10 36 24)"/>'
          f'<ellipse cx="36" cy="24" rx="34" ry="8" fill="none" stroke="{C("teal12")}" stroke-width="3" transform="rotate(-10 36 24)"/></g>')
    return g


def pine():
    g = f'<rect x="27" y="84" width="10" height="16" fill="{C("brown05")}" stroke="{INK}" stroke-width="2.5"/>'
    for top, half, y in ((4, 16, 34), (20, 22, 58), (40, 28, 88)):
        g += outlined(f"M32,{top} L{32 + half},{y} L{32 - half},{y} Z", C("green05"))
        g += outlined(f"M32,{top} L{32 + half * 0.6},{top + (y - top) * 0.55} Q32,{top + (y - top) * 0.7} "
                      f"{32 - half * 0.6},{top + (y - top) * 0.55} Z", C("white"), width=2)
    return g


def crystals():
    g = ""
    for x, h, w, c in ((14, 40, 14, "teal11"), (30, 58, 18, "blue13"), (50, 34, 13, "teal12")):
        d = f"M{x - w / 2},64 L{x - w / 2},{64 - h + 8} L{x},{64 - h} L{x + w / 2},{64 - h + 8} L{x + w / 2},64 Z"
        g += outlined(d, C(c))
        g += f'<path d="M{x - w / 4},{64 - h + 10} L{x - w / 4},58" stroke="{C("white")}" stroke-width="2.5" stroke-linecap="round"/>'
    return g


def snowman():
    g = shaded_blob("M10,72 Q4,52 26,46 Q48,52 42,72 Q26,78 10,72 Z", C("white"), C("blue14"), C("white"),
                    (34, 72, 20, 12), (20, 56, 4, 2, -20))
    g += shaded_blob("M14,44 Q12,24 26,22 Q40,24 38,44 Q26,48 14,44 Z", C("white"), C("blue14"), C("white"),
                     (32, 44, 12, 8), (20, 30, 3, 2, -20))
    g += outlined("M14,22 L38,22 L38,18 L34,18 L33,4 L19,4 L18,18 L14,18 Z", C("grey05"), width=2)
    g += f'<rect x="19" y="12" width="14" height="4" fill="{C("red07")}"/>'
    g += eyes(26, 31, 5, 3, look=1)
    g += outlined("M26,36 L38,38 L26,39 Z", C("orange07"), width=1.5)
    g += f'<path d="M12,50 L2,42 M40,50 L50,40" stroke="{C("brown05")}" stroke-width="3" stroke-linecap="round"/>'
    return g


def puff(colour, pose):
    hat, hat_light, hat_dark = (C(c) for c in HATS[colour])
    sx, sy, lift, lean = {"jump": (0.92, 1.08, 8, 0), "slide": (1.05, 0.95, 0, -14), "happy": (1, 1, 2, 0)}.get(
        pose, (1, 1, 0, 0))
    body = "M10,56 Q2,36 16,26 Q28,18 40,26 Q54,36 46,56 Q28,62 10,56 Z"
    g = shaded_blob(body, C("white"), C("blue14"), C("white"), (40, 54, 20, 14), (18, 34, 5, 3, -30))
    g += blush(17, 39, 47, 4, 2.5)
    state = {"blink": "closed", "happy": "happy", "jump": "happy"}.get(pose, "open")
    g += eyes(28, 38, 7, 5.5, look=1.2, state=state)
    g += mouth({"talk": "open", "jump": "grin", "slide": "o"}.get(pose, "smile"), 28, 49, 9)
    # knitted hat with a bobble
    g += outlined("M12,30 Q14,10 28,10 Q42,10 44,30 Q28,24 12,30 Z", hat)
    g += f'<path d="M16,26 Q28,21 40,26" fill="none" stroke="{hat_light}" stroke-width="3"/>'
    g += f'<path d="M20,15 L21,22 M28,12 L28,20 M36,15 L35,22" stroke="{hat_dark}" stroke-width="1.6"/>'
    g += f'<circle cx="28" cy="8" r="5" fill="{hat_light}" stroke="{INK}" stroke-width="2"/>'
    # twig arms
    arms = {"slide": "M10,40 L0,32 M46,40 L56,32", "happy": "M9,40 L2,26 M47,40 L54,26",
            "jump": "M9,40 L2,26 M47,40 L54,26"}.get(pose, "M9,42 L2,48 M47,42 L54,48")
    g += f'<path d="{arms}" stroke="{C("brown04")}" stroke-width="3" stroke-linecap="round"/>'
    return (f'<g transform="translate(30,{68 - lift}) rotate({lean}) scale({sx},{sy}) translate(-28,-60)">{g}</g>')


def flake(frame):
    frame = int(frame)
    g = ""
    for i in range(3):
        g += (f'<path d="M12,2 L12,22" stroke="{INK}" stroke-width="4" stroke-linecap="round" transform="rotate({i * 60 + frame * 15} 12 12)"/>'
              f'<path d="M12,2 L12,22" stroke="{C("white")}" stroke-width="2" stroke-linecap="round" transform="rotate({i * 60 + frame * 15} 12 12)"/>')
    return g + f'<circle cx="12" cy="12" r="3" fill="{C("blue14")}" stroke="{INK}" stroke-width="1.2"/>'


def build():
    s = Sheet("frost", "Frost", "Planet Frost: sky bands, ground strip, sky items, props, the Snowpuffs, snowflakes.")
    s.picture("Frost-Sky", 200, 600, sky(), key=None, file="Sky")
    s.picture("Frost-Planet", 800, 150, planet(), key=None, file="Planet")
    s.picture("Frost-Sun", 100, 100, sun(), file="Sun")
    s.picture("Frost-Moon", 72, 48, ice_moon(), file="Moon")
    s.picture("Frost-Cloud1", 150, 56, cloud(150, 56, C("blue15"), C("blue13"), C("white")), file="Cloud1")
    s.picture("Frost-Cloud2", 100, 40, cloud(100, 40, C("blue15"), C("blue13")), file="Cloud2")
    s.picture("Frost-Pine", 64, 100, pine(), file="Pine")
    s.picture("Frost-Crystals", 64, 64, crystals(), file="Crystals")
    s.picture("Frost-Snowman", 52, 78, snowman(), file="Snowman")
    for colour in "ABC":
        frames = s.frames(PUFF_POSES, 60, 70, lambda p: puff(colour, p), (30, 68), prefix="puff_",
                          folder=f"Puff{colour}/")
        s.add_sprite(f"Frost-Puff{colour}", frames, seq("BOB", ("puff_idle", 500), ("puff_blink", 150)))
    flakes = s.frames(["1", "2"], 24, 24, flake, (12, 12), prefix="flake")
    s.add_sprite("Frost-Flake", flakes, seq("SPIN", ("flake1", 200), ("flake2", 200)))
    return s
