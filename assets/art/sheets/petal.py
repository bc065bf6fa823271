"""Planet Petal: a garden planet under a rainbow. Its folk are flowers, a daisy, a tulip and a
sunflower, who sway to the song and throw their petals."""
from palette import C
from sheet_layout import INK, Sheet, seq
from toon import at, band_sky, blush, cloud, eyes, ground_strip, mouth, outlined

FLOWER_POSES = ["idle", "blink", "talk", "sway1", "sway2", "happy"]


def sky():
    bands = [(0, C("blue09")), (80, C("blue10")), (160, C("blue11")), (230, C("blue12")), (300, C("blue13")),
             (360, C("blue14")), (410, C("teal12")), (445, C("teal13"))]
    streaks = [(30, 60, 40, C("blue10")), (120, 200, 50, C("blue12")), (40, 330, 60, C("blue14")),
               (140, 420, 40, C("teal13"))]
    return band_sky(200, 600, bands, streaks, edge_amp=0)


def planet():
    hedges = (f'<path d="M0,80 L0,58 Q50,50 100,58 Q150,50 200,58 Q250,50 300,58 Q350,50 400,58 Q450,50 500,58 '
              f'Q550,50 600,58 Q650,50 700,58 Q750,50 800,58 L800,80 Z" fill="{C("green07")}"/>')
    g = ground_strip(800, 150, C("teal13"), [(80, C("green10")), (98, C("green09")), (120, C("brown07")),
                                              (138, C("brown06"))], behind=hedges, amp=2, period=200)
    g += f'<path d="M0,90 Q200,87 400,90 Q600,93 800,90" fill="none" stroke="{C("green12")}" stroke-width="2"/>'
    g += f'<path d="M0,128 Q200,125 400,128 Q600,131 800,128" fill="none" stroke="{C("brown08")}" stroke-width="2"/>'
    return g


def sun():
    g = ""
    for i in range(12):
        g += outlined("M50,2 L55,18 L45,18 Z", C("orange08"), width=1.8).replace("/>", f' transform="rotate({i * 30} 50 50)"/>')
    g += f'<circle cx="50" cy="50" r="32" fill="{C("yellow08")}" stroke="{INK}" stroke-width="3"/>'
    g += f'<circle cx="44" cy="44" r="20" fill="{C("yellow10")}"/>'
    return g + eyes(50, 47, 11, 6, state="happy") + blush(34, 66, 58) + mouth("smile", 50, 60, 16)


def rainbow():
    g = ""
    for i, c in enumerate(("red08", "orange07", "yellow07", "green08", "blue08", "violet07")):
        r = 112 - i * 9
        g += f'<path d="M{120 - r},118 A{r},{r} 0 0 1 {120 + r},118" fill="none" stroke="{C(c)}" stroke-width="9"/>'
    g += f'<path d="M8,118 A112,112 0 0 1 232,118" fill="none" stroke="{INK}" stroke-width="2"/>'
    return g + f'<path d="M70,118 A50,50 0 0 1 170,118" fill="none" stroke="{INK}" stroke-width="2"/>'


def tuft():
    g = ""
    for x, h, c in ((10, 40, "green06"), (22, 56, "green08"), (34, 46, "green07"), (46, 34, "green09")):
        g += outlined(f"M{x - 6},60 Q{x - 2},{60 - h * 0.6} {x + 4},{60 - h} Q{x + 2},{60 - h * 0.5} {x + 6},60 Z", C(c), width=2)
    return g


def snail():
    g = outlined("M4,44 Q20,30 54,40 Q60,44 56,46 L6,46 Z", C("lime07"))
    g += f'<path d="M46,38 L50,24 M52,40 L58,26" stroke="{INK}" stroke-width="2"/>'
    g += f'<circle cx="50" cy="23" r="3" fill="{C("lime07")}" stroke="{INK}" stroke-width="1.5"/>'
    g += f'<circle cx="58" cy="25" r="3" fill="{C("lime07")}" stroke="{INK}" stroke-width="1.5"/>'
    g += f'<circle cx="26" cy="28" r="17" fill="{C("orange08")}" stroke="{INK}" stroke-width="2.5"/>'
    g += f'<path d="M26,28 m-10,0 a10,10 0 1,1 10,10 a6,6 0 1,1 -6,-6 a3,3 0 1,1 3,3" fill="none" stroke="{C("orange04")}" stroke-width="2.2"/>'
    return g + mouth("smile", 55, 42, 5)


def can():
    g = outlined("M14,30 L50,30 L48,66 L16,66 Z", C("teal08"))
    g += outlined("M50,38 L70,22 L74,26 L52,46 Z", C("teal08"), width=2)
    g += outlined("M66,18 L78,18 L78,30 L66,30 Z", C("teal06"), width=2)
    g += f'<path d="M20,30 Q32,12 44,30" fill="none" stroke="{INK}" stroke-width="5"/>'
    g += f'<path d="M20,30 Q32,12 44,30" fill="none" stroke="{C("teal08")}" stroke-width="2"/>'
    return g + f'<rect x="18" y="42" width="28" height="5" fill="{C("teal11")}"/>'


def head(kind, pose):
    """The flower's head, its face at (32, 30)."""
    g = ""
    if kind == "daisy":
        for i in range(12):
            g += outlined("M32,30 Q28,10 32,4 Q36,10 32,30 Z", C("white"), width=1.8).replace(
                "/>", f' transform="rotate({i * 30} 32 30)"/>')
        g += f'<circle cx="32" cy="30" r="14" fill="{C("yellow07")}" stroke="{INK}" stroke-width="2.5"/>'
    elif kind == "tulip":
        g += outlined("M14,14 L22,22 L32,8 L42,22 L50,14 L50,34 Q48,48 32,48 Q16,48 14,34 Z", C("red08"))
        g += f'<path d="M18,20 L22,36 M46,20 L42,36" stroke="{C("red10")}" stroke-width="3" stroke-linecap="round"/>'
    else:
        for i in range(14):
            g += outlined("M32,30 Q26,8 32,0 Q38,8 32,30 Z", C("yellow08"), width=1.8).replace(
                "/>", f' transform="rotate({i * 360 / 14} 32 30)"/>')
        g += f'<circle cx="32" cy="30" r="16" fill="{C("brown06")}" stroke="{INK}" stroke-width="2.5"/>'
    state = {"blink": "closed", "happy": "happy", "sway2": "happy"}.get(pose, "open")
    g += eyes(32, 28, 5.5, 4, look=0.8, state=state)
    return g + mouth({"talk": "open", "happy": "grin"}.get(pose, "smile"), 32, 36, 7)


def flower(kind, pose):
    lean = {"sway1": -10, "sway2": 10}.get(pose, 0)
    stem = f"M32,104 Q{32 + lean * 0.4},80 {32 + lean},48"
    g = f'<path d="{stem}" fill="none" stroke="{INK}" stroke-width="7" stroke-linecap="round"/>'
    g += f'<path d="{stem}" fill="none" stroke="{C("green07")}" stroke-width="3.5" stroke-linecap="round"/>'
    arms = "M32,84 Q14,70 6,76 Q16,80 32,88 M32,78 Q50,64 58,70 Q48,74 32,82"
    if pose == "happy":
        arms = "M32,84 Q14,64 8,54 Q16,72 32,88 M32,78 Q50,58 56,48 Q48,68 32,82"
    g += outlined(arms, C("green09"), width=2)
    g += at(lean, 16, head(kind, pose))
    return g


def petal(frame):
    frame = int(frame)
    colour = ("pink10", "yellow10", "white")[frame - 1]
    return outlined(f"M4,12 Q12,{-2 + frame * 2} 22,10 Q12,{22 - frame * 2} 4,12 Z", C(colour), width=1.8)


def build():
    s = Sheet("petal", "Petal", "Planet Petal: sky bands, garden strip, sky items, props, the flower folk, petals.")
    s.picture("Petal-Sky", 200, 600, sky(), key=None, file="Sky")
    s.picture("Petal-Planet", 800, 150, planet(), key=None, file="Planet")
    s.picture("Petal-Sun", 100, 100, sun(), file="Sun")
    s.picture("Petal-Rainbow", 240, 120, rainbow(), file="Rainbow")
    s.picture("Petal-Cloud1", 150, 56, cloud(150, 56, C("white"), C("blue14"), C("white")), file="Cloud1")
    s.picture("Petal-Cloud2", 100, 40, cloud(100, 40, C("white"), C("blue14")), file="Cloud2")
    s.picture("Petal-Tuft", 56, 62, tuft(), file="Tuft")
    s.picture("Petal-Snail", 64, 48, snail(), file="Snail")
    s.picture("Petal-Can", 80, 68, can(), file="Can")
    for kind in ("daisy", "tulip", "sunflower"):
        frames = s.frames(FLOWER_POSES, 64, 108, lambda p: flower(kind, p), (32, 106), prefix=f"{kind}_",
                          folder=f"{kind.capitalize()}/")
        s.add_sprite(f"Petal-{kind.capitalize()}", frames,
                     seq("SWAY", (f"{kind}_sway1", 400), (f"{kind}_idle", 300), (f"{kind}_sway2", 400)))
    s.add_sprite("Petal-Petal", s.frames(["1", "2", "3"], 26, 24, petal, (13, 12), prefix="petal"),
                 seq("FLUTTER", ("petal1", 150), ("petal2", 150)))
    return s
