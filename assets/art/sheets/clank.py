"""Planet Clank: a junkyard world under a smoggy green sky, where small robots with screen faces
do the robot dance and blow their fuses for joy."""
from palette import C
from sheet_layout import INK, Sheet, seq
from toon import at, band_sky, cloud, ground_strip, outlined, sparkle

BOT_POSES = ["idle", "blink", "talk", "dance1", "dance2", "zap"]
PAINT = {"A": ("red08", "red11", "red05"), "B": ("blue08", "blue11", "blue05"), "C": ("yellow07", "yellow10", "yellow04")}


def sky():
    bands = [(0, C("green03")), (60, C("green04")), (130, C("teal05")), (200, C("teal07")), (260, C("lime05")),
             (320, C("lime06")), (370, C("lime07")), (410, C("lime08")), (445, C("yellow11"))]
    streaks = [(20, 90, 50, C("green05")), (110, 170, 40, C("teal06")), (40, 300, 60, C("lime06")),
               (130, 390, 40, C("lime08"))]
    return band_sky(200, 600, bands, streaks, edge_amp=0)


def planet():
    far = (f'<path d="M0,80 L0,60 L120,60 L120,52 L300,52 L300,62 L520,62 L520,50 L700,50 L700,58 L800,58 L800,80 Z" '
           f'fill="{C("metal09")}"/><path d="M0,60 L120,60 L120,52 L300,52 L300,62 L520,62 L520,50 L700,50 L700,58 L800,58" '
           f'fill="none" stroke="{C("metal06")}" stroke-width="2"/>')
    g = ground_strip(800, 150, C("yellow11"), [(80, C("metal07")), (98, C("metal06")), (118, C("brown05")),
                                                (138, C("brown04"))], behind=far, amp=1, period=800)
    for y, colour in ((90, C("metal09")), (108, C("metal05")), (128, C("brown06"))):
        g += f'<rect x="0" y="{y}" width="800" height="2" fill="{colour}"/>'
    return g


def gear_moon():
    g = ""
    for i in range(10):
        g += f'<rect x="40" y="0" width="14" height="16" rx="2" fill="{C("gold06")}" stroke="{INK}" stroke-width="2" transform="rotate({i * 36} 47 47)"/>'
    g += f'<circle cx="47" cy="47" r="36" fill="{C("gold06")}" stroke="{INK}" stroke-width="3"/>'
    g += f'<circle cx="42" cy="42" r="24" fill="{C("gold07")}"/>'
    return g + f'<circle cx="47" cy="47" r="11" fill="{C("lime07")}" stroke="{INK}" stroke-width="2.5"/>'


def dish():
    g = outlined("M30,64 L36,34 L42,64 Z", C("metal09"))
    g += outlined("M8,14 Q36,56 66,26 Z", C("metal12"))
    g += f'<path d="M36,34 L50,10" stroke="{INK}" stroke-width="2.5"/>'
    return g + f'<circle cx="51" cy="8" r="4" fill="{C("red08")}" stroke="{INK}" stroke-width="2"/>'


def junk():
    g = outlined("M4,70 Q20,30 60,34 Q100,30 116,70 Z", C("brown06"))
    g += f'<circle cx="34" cy="48" r="14" fill="{C("metal03")}" stroke="{INK}" stroke-width="3"/>'
    g += f'<circle cx="34" cy="48" r="6" fill="{C("metal08")}" stroke="{INK}" stroke-width="2"/>'
    g += outlined("M58,36 L96,20 L100,28 L62,44 Z", C("metal10"))
    g += outlined("M70,58 L92,46 L100,56 L78,68 Z", C("teal07"))
    g += outlined("M48,26 L60,10 L66,14 L54,30 Z", C("red07"))
    return g


def crane():
    g = outlined("M20,110 L20,20 L30,20 L30,110 Z", C("yellow07"))
    for y in range(26, 106, 14):
        g += f'<path d="M20,{y} L30,{y + 12} M30,{y} L20,{y + 12}" stroke="{INK}" stroke-width="1.5"/>'
    g += outlined("M10,20 L90,12 L90,20 L10,28 Z", C("yellow07"))
    g += f'<path d="M84,18 L84,52" stroke="{INK}" stroke-width="2"/>'
    g += outlined("M76,52 L92,52 L88,62 L80,62 Z", C("metal08"), width=2)
    return g + outlined("M12,110 L38,110 L38,100 L12,100 Z", C("metal06"), width=2)


def tv():
    g = outlined("M6,16 L58,16 L58,58 L6,58 Z", C("brown07"))
    g += outlined("M12,22 L44,22 L44,52 L12,52 Z", C("teal03"), width=2)
    g += f'<path d="M16,30 L40,30 M16,38 L34,38 M16,46 L38,46" stroke="{C("teal09")}" stroke-width="2"/>'
    g += f'<circle cx="51" cy="28" r="3" fill="{C("metal10")}" stroke="{INK}" stroke-width="1.5"/>'
    g += f'<path d="M24,16 L16,2 M40,16 L48,2" stroke="{INK}" stroke-width="2"/>'
    return g + f'<path d="M12,58 L10,64 M52,58 L54,64" stroke="{INK}" stroke-width="3"/>'


def bot(colour, pose):
    paint, light, dark = (C(c) for c in PAINT[colour])
    g = ""
    arms = {"dance1": ("M12,50 L4,50 L4,38", "M52,50 L60,50 L60,62"),
            "dance2": ("M12,50 L4,50 L4,62", "M52,50 L60,50 L60,38"),
            "zap": ("M12,48 L2,36", "M52,48 L62,36")}.get(pose, ("M12,50 L6,62", "M52,50 L58,62"))
    for a in arms:
        g += f'<path d="{a}" stroke="{INK}" stroke-width="6" stroke-linejoin="round" stroke-linecap="round" fill="none"/>'
        g += f'<path d="{a}" stroke="{C("metal10")}" stroke-width="2.5" stroke-linejoin="round" stroke-linecap="round" fill="none"/>'
    # legs with little wheels
    g += f'<path d="M24,66 L24,74 M40,66 L40,74" stroke="{INK}" stroke-width="5"/>'
    g += f'<circle cx="24" cy="76" r="5" fill="{C("metal04")}" stroke="{INK}" stroke-width="2"/>'
    g += f'<circle cx="40" cy="76" r="5" fill="{C("metal04")}" stroke="{INK}" stroke-width="2"/>'
    g += outlined("M12,42 L52,42 L52,68 L12,68 Z", paint)
    g += f'<rect x="14" y="60" width="36" height="6" fill="{dark}"/>'
    g += f'<circle cx="24" cy="52" r="3" fill="{C("yellow09")}" stroke="{INK}" stroke-width="1.5"/>'
    g += f'<circle cx="34" cy="52" r="3" fill="{C("lime06")}" stroke="{INK}" stroke-width="1.5"/>'
    g += outlined("M12,42 L52,42 L52,68 L12,68 Z", "none")
    # the head: a screen whose face is drawn in light
    g += outlined("M8,12 L56,12 L56,42 L8,42 Z", light)
    g += outlined("M13,17 L51,17 L51,37 L13,37 Z", C("teal02"), width=2)
    face = C("teal12")
    if pose == "blink":
        g += f'<path d="M20,26 L28,26 M36,26 L44,26" stroke="{face}" stroke-width="2.5" stroke-linecap="round"/>'
    elif pose in ("dance1", "dance2", "zap"):
        g += f'<path d="M20,28 L24,23 L28,28 M36,28 L40,23 L44,28" stroke="{face}" stroke-width="2.5" fill="none" stroke-linecap="round"/>'
    else:
        g += f'<rect x="20" y="22" width="7" height="7" fill="{face}"/><rect x="37" y="22" width="7" height="7" fill="{face}"/>'
    if pose == "talk":
        g += f'<rect x="27" y="31" width="10" height="4" fill="{face}"/>'
    elif pose == "zap":
        g += f'<path d="M24,32 L28,34 L32,32 L36,34 L40,32" stroke="{face}" stroke-width="2" fill="none"/>'
    else:
        g += f'<path d="M26,32 Q32,35 38,32" stroke="{face}" stroke-width="2" fill="none" stroke-linecap="round"/>'
    # antenna with a light that flashes when dancing
    lamp = C("red09") if pose in ("dance1", "zap") else C("lime07") if pose == "dance2" else C("yellow09")
    g += f'<path d="M32,12 L32,4" stroke="{INK}" stroke-width="2.5"/>'
    g += f'<circle cx="32" cy="4" r="4" fill="{lamp}" stroke="{INK}" stroke-width="2"/>'
    if pose == "zap":
        g += sparkle(10, 8, 3, C("yellow09")) + sparkle(56, 6, 3, C("yellow09"))
    return at(0, 4, g)


def spark(frame):
    frame = int(frame)
    r = 4 if frame == 1 else 6
    return (sparkle(20, 20, r, C("yellow09")) + sparkle(8, 30, r * 0.5, C("white")) +
            sparkle(32, 8 + frame * 2, r * 0.6, C("lime07")))


def build():
    s = Sheet("clank", "Clank", "Planet Clank: smog bands, scrap-metal strip, sky items, junk props, the robots, sparks.")
    s.picture("Clank-Sky", 200, 600, sky(), key=None, file="Sky")
    s.picture("Clank-Planet", 800, 150, planet(), key=None, file="Planet")
    s.picture("Clank-Moon", 94, 94, gear_moon(), file="Moon")
    s.picture("Clank-Cloud1", 150, 54, cloud(150, 54, C("grey22"), C("grey17"), C("grey26")), file="Cloud1")
    s.picture("Clank-Cloud2", 100, 40, cloud(100, 40, C("grey22"), C("grey17")), file="Cloud2")
    s.picture("Clank-Dish", 72, 66, dish(), file="Dish")
    s.picture("Clank-Junk", 120, 72, junk(), file="Junk")
    s.picture("Clank-Crane", 96, 112, crane(), file="Crane")
    s.picture("Clank-TV", 64, 66, tv(), file="TV")
    for colour in "ABC":
        frames = s.frames(BOT_POSES, 64, 86, lambda p: bot(colour, p), (32, 84), prefix="bot_", folder=f"Bot{colour}/")
        s.add_sprite(f"Clank-Bot{colour}", frames, seq("DANCE", ("bot_dance1", 250), ("bot_dance2", 250)))
    s.add_sprite("Clank-Spark", s.frames(["1", "2"], 40, 40, spark, (20, 20), prefix="spark"),
                 seq("FIZZLE", ("spark1", 100), ("spark2", 100)))
    return s
