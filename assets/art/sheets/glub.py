"""Planet Glub: an ocean planet with one sandy beach. Its folk are crabs who dance sideways and
clack their claws; a fish leaps out of the surf during the song."""
from palette import C
from sheet_layout import INK, Sheet, seq
from toon import strata, at, band_sky, cloud, eyes, ground_strip, mouth, outlined, shaded_blob, wave_path

CRAB_POSES = ["idle", "blink", "talk", "clack", "step1", "step2"]
SHELLS = {"A": ("red08", "red11", "red05"), "B": ("orange07", "orange10", "orange04"), "C": ("violet07", "violet10", "violet04")}


def sky():
    # Sky above, sea below: the sea is bands too, with foam streaks that tile.
    bands = [(0, C("teal09")), (70, C("teal10")), (140, C("teal11")), (210, C("teal12")), (270, C("orange12")),
             (320, C("orange13")), (360, C("blue09")), (400, C("blue08")), (450, C("blue07")), (510, C("blue06"))]
    g = band_sky(200, 600, bands, edge_amp=0)
    g += f'<rect x="0" y="358" width="200" height="3" fill="{C("blue12")}"/>'
    for x, y, length in ((20, 380, 40), (120, 392, 50), (60, 430, 60), (150, 470, 40), (10, 500, 50), (90, 540, 70),
                         (160, 570, 30)):
        g += f'<rect x="{x}" y="{y}" width="{length}" height="3" rx="1.5" fill="{C("blue12")}"/>'
    return g


def planet():
    surf = (f'<path d="{wave_path(800, 64, 4, 100)} L800,80 L0,80 Z" fill="{C("blue13")}"/>'
            f'<path d="{wave_path(800, 64, 4, 100)}" fill="none" stroke="{C("white")}" stroke-width="3"/>')
    g = ground_strip(800, 150, C("blue06"), [(80, C("yellow11")), (100, C("yellow10")), (124, C("orange11")),
                                              (142, C("orange10"))], behind=surf, amp=2, period=200)
    g += f'<path d="M0,86 Q200,84 400,86 Q600,88 800,86" fill="none" stroke="{C("orange12")}" stroke-width="3"/>'
    g += strata(((110, C("yellow12")), (132, C("orange12"))))
    return g


def sun():
    g = f'<circle cx="45" cy="45" r="40" fill="{C("yellow09")}" stroke="{INK}" stroke-width="3"/>'
    g += f'<circle cx="38" cy="38" r="24" fill="{C("yellow11")}"/>'
    return g + eyes(45, 46, 12, 6, state="happy") + mouth("smile", 45, 60, 14)


def moons():
    return (f'<circle cx="18" cy="18" r="14" fill="{C("beige06")}" stroke="{INK}" stroke-width="2.5"/>'
            f'<circle cx="14" cy="14" r="4" fill="{C("beige05")}"/>'
            f'<circle cx="48" cy="30" r="9" fill="{C("pink12")}" stroke="{INK}" stroke-width="2.5"/>')


def palm():
    g = outlined("M34,120 Q30,80 40,40 L46,42 Q38,80 44,120 Z", C("brown07"))
    for y in (56, 72, 88, 104):
        g += f'<path d="M{36 + (120 - y) * 0.05},{y} L{44 + (120 - y) * 0.05},{y - 2}" stroke="{C("brown05")}" stroke-width="2"/>'
    for d in ("M42,40 Q20,20 2,34 Q20,28 42,44 Z", "M42,40 Q60,16 82,30 Q60,28 44,44 Z", "M42,40 Q30,6 14,8 Q34,16 40,42 Z",
              "M42,40 Q58,4 74,8 Q56,18 44,42 Z", "M42,40 Q44,18 42,2 Q48,20 46,40 Z"):
        g += outlined(d, C("green07"), width=2.2)
    g += f'<circle cx="38" cy="44" r="5" fill="{C("brown05")}" stroke="{INK}" stroke-width="2"/>'
    g += f'<circle cx="47" cy="45" r="5" fill="{C("brown06")}" stroke="{INK}" stroke-width="2"/>'
    return g


def shell():
    g = outlined("M6,40 Q4,14 28,6 Q52,14 50,40 Q28,46 6,40 Z", C("pink12"))
    for x in (14, 21, 28, 35, 42):
        g += f'<path d="M28,40 L{x},12" stroke="{C("pink09")}" stroke-width="2"/>'
    return g + outlined("M20,40 L36,40 L32,46 L24,46 Z", C("pink10"), width=2)


def castle():
    g = outlined("M8,60 L8,30 L16,30 L16,24 L24,24 L24,30 L40,30 L40,24 L48,24 L48,30 L56,30 L56,60 Z", C("yellow10"))
    g += outlined("M22,30 L22,10 L28,10 L28,4 L34,4 L34,10 L40,10 L40,30", C("yellow09"))
    g += outlined("M27,60 L27,48 Q32,40 37,48 L37,60 Z", C("orange06"), width=2)
    g += f'<path d="M31,4 L31,-10" stroke="{INK}" stroke-width="2"/>'
    return at(0, 12, g + outlined("M31,-10 L44,-6 L31,-2 Z", C("red08"), width=1.5))


def crab(colour, pose):
    shell_c, light, dark = (C(c) for c in SHELLS[colour])
    step = {"step1": -3, "step2": 3}.get(pose, 0)
    g = ""
    # legs, three a side, shuffling when stepping
    for i, x in enumerate((16, 22, 28)):
        lx = x - 10 + (step if i % 2 else -step)
        g += f'<path d="M{x},50 L{lx},60" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>'
        g += f'<path d="M{x},50 L{lx},60" stroke="{dark}" stroke-width="2" stroke-linecap="round"/>'
        rx = 80 - x
        g += f'<path d="M{rx},50 L{rx + 10 + (-step if i % 2 else step)},60" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>'
        g += f'<path d="M{rx},50 L{rx + 10 + (-step if i % 2 else step)},60" stroke="{dark}" stroke-width="2" stroke-linecap="round"/>'
    # claws: up for clacking, out otherwise
    up = pose == "clack"
    for sx in (-1, 1):
        cx = 40 + sx * 30
        cy = 14 if up else 30
        arm = f"M{40 + sx * 14},40 Q{40 + sx * 28},{cy + 14} {cx},{cy + 6}"
        g += f'<path d="{arm}" stroke="{INK}" stroke-width="6" stroke-linecap="round" fill="none"/>'
        g += f'<path d="{arm}" stroke="{shell_c}" stroke-width="2.5" stroke-linecap="round" fill="none"/>'
        g += outlined(f"M{cx - 8},{cy + 6} Q{cx - 10},{cy - 8} {cx},{cy - 10} Q{cx + 10},{cy - 8} {cx + 8},{cy + 2} "
                      f"L{cx + 1},{cy - 1} L{cx},{cy + 8} Z", shell_c, width=2.2)
    body = "M14,46 Q10,26 40,24 Q70,26 66,46 Q40,56 14,46 Z"
    g += shaded_blob(body, shell_c, dark, light, (52, 52, 28, 10), (28, 32, 8, 3, -10))
    # eyes on stalks
    for sx in (-1, 1):
        g += f'<path d="M{40 + sx * 8},28 L{40 + sx * 9},16" stroke="{INK}" stroke-width="5" stroke-linecap="round"/>'
        g += f'<path d="M{40 + sx * 8},28 L{40 + sx * 9},16" stroke="{shell_c}" stroke-width="2" stroke-linecap="round"/>'
    g += eyes(40, 13, 9, 5.5, look=1, state={"blink": "closed", "clack": "happy"}.get(pose, "open"))
    g += mouth({"talk": "open", "clack": "grin"}.get(pose, "smile"), 40, 40, 10)
    return at(0, 4, g)


def fish(frame):
    frame = int(frame)
    tail = 6 if frame == 1 else -6
    g = outlined(f"M10,20 L0,{10 + tail} L2,{30 + tail} Z", C("teal07"), width=2)
    g += shaded_blob("M8,20 Q14,4 34,6 Q52,10 54,20 Q52,30 34,34 Q14,36 8,20 Z", C("teal09"), C("teal07"), C("teal11"),
                     (30, 34, 24, 8), (32, 12, 8, 3, 0))
    g += outlined("M26,8 Q30,0 38,4 L36,8 Z", C("teal07"), width=2)
    g += eyes(42, 17, 0.01, 5, look=1)
    return g + mouth("o", 51, 20, 6)


def splash(frame):
    frame = int(frame)
    h = 10 if frame == 1 else 20
    g = ""
    for dx in (-14, 0, 14):
        g += outlined(f"M{24 + dx - 4},30 Q{24 + dx},{30 - h - abs(dx) * 0.3} {24 + dx + 4},30 Z", C("blue14"), width=2)
    return g + f'<path d="M4,30 Q24,24 44,30" fill="none" stroke="{C("white")}" stroke-width="3"/>'


def build():
    s = Sheet("glub", "Glub", "Planet Glub: sky and sea bands, beach strip, sky items, props, the crabs, the fish.")
    s.picture("Glub-Sky", 200, 600, sky(), key=None, file="Sky")
    s.picture("Glub-Planet", 800, 150, planet(), key=None, file="Planet")
    s.picture("Glub-Sun", 90, 90, sun(), file="Sun")
    s.picture("Glub-Moons", 60, 42, moons(), file="Moons")
    s.picture("Glub-Cloud1", 140, 52, cloud(140, 52, C("white"), C("teal12")), file="Cloud1")
    s.picture("Glub-Cloud2", 96, 38, cloud(96, 38, C("white"), C("teal12")), file="Cloud2")
    s.picture("Glub-Palm", 84, 122, palm(), file="Palm")
    s.picture("Glub-Shell", 56, 48, shell(), file="Shell")
    s.picture("Glub-Castle", 64, 72, castle(), file="Castle")
    for colour in "ABC":
        frames = s.frames(CRAB_POSES, 80, 68, lambda p: crab(colour, p), (40, 66), prefix="crab_", folder=f"Crab{colour}/")
        s.add_sprite(f"Glub-Crab{colour}", frames, seq("SCUTTLE", ("crab_step1", 150), ("crab_step2", 150)))
    s.add_sprite("Glub-Fish", s.frames(["1", "2"], 56, 40, fish, (28, 20), prefix="fish"),
                 seq("WIGGLE", ("fish1", 150), ("fish2", 150)))
    s.add_sprite("Glub-Splash", s.frames(["1", "2"], 48, 32, splash, (24, 30), prefix="splash"),
                 seq("SPLASH", ("splash1", 120), ("splash2", 120)))
    return s
