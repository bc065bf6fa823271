"""Planet Crumb: a party planet made of cake, and its folk, cupcakes with a candle on top who
bounce to the hero's song while sprinkles fly."""
from palette import C
from sheet_layout import INK, Sheet, seq
from toon import band_sky, blush, cloud, eyes, ground_strip, mouth, outlined, sparkle, uid

CAKE_POSES = ["idle", "blink", "talk", "jump", "clap", "happy"]
FROSTING = {"A": ("pink10", "pink08", "pink12"), "B": ("green12", "green10", "green14"),
            "C": ("yellow10", "yellow08", "yellow12")}
WRAPPER = {"A": ("teal08", "teal10"), "B": ("violet07", "violet09"), "C": ("red09", "red11")}


def sky():
    bands = [(0, C("pink05")), (60, C("pink06")), (130, C("pink07")), (200, C("pink08")), (260, C("red12")),
             (320, C("orange10")), (370, C("orange11")), (410, C("orange12")), (445, C("orange13"))]
    streaks = [(30, 100, 40, C("pink07")), (120, 230, 50, C("pink09")), (50, 350, 50, C("orange11")),
               (140, 430, 30, C("orange13"))]
    return band_sky(200, 600, bands, streaks, edge_amp=3, edge_period=50)


def planet():
    # A cake cut open: frosting on top, then sponge, cream, sponge and chocolate.
    far = (f'<path d="M0,80 L0,58 Q200,46 400,58 Q600,68 800,56 L800,80 Z" fill="{C("orange12")}"/>'
           f'<path d="M0,58 Q200,46 400,58 Q600,68 800,56" fill="none" stroke="{C("orange10")}" stroke-width="2"/>')
    g = ground_strip(800, 150, C("orange13"), [(80, C("pink11")), (96, C("yellow10")), (112, C("yellow12")),
                                                (120, C("yellow09")), (136, C("brown05"))], behind=far, amp=2, period=200)
    g += f'<path d="M0,96 Q100,92 200,96 Q300,100 400,96 Q500,92 600,96 Q700,100 800,96" fill="none" stroke="{C("pink09")}" stroke-width="2"/>'
    for x in range(0, 800, 40):  # sprinkles lying flat, so stretching only lengthens them
        colour = ("red09", "teal09", "yellow07", "violet08")[(x // 40) % 4]
        g += f'<rect x="{x + 8}" y="{86 + (x // 40) % 3 * 3}" width="10" height="2" rx="1" fill="{C(colour)}"/>'
    return g


def donut_moon():
    cid = uid("dn")
    g = (f'<clipPath id="{cid}"><circle cx="50" cy="50" r="38"/></clipPath>'
         f'<circle cx="50" cy="50" r="46" fill="{C("brown10")}" stroke="{INK}" stroke-width="3"/>'
         f'<path d="M50,10 Q72,8 84,26 Q96,40 88,56 Q92,72 80,82 Q66,94 50,90 Q30,94 20,80 Q6,66 12,50 Q6,30 22,18 Q34,8 50,10 Z" '
         f'fill="{C("pink10")}"/>'
         f'<circle cx="50" cy="50" r="15" fill="{C("orange12")}" stroke="{INK}" stroke-width="2.5"/>')
    for x, y, a, c in ((30, 26, 30, "teal09"), (66, 22, -20, "yellow07"), (78, 50, 60, "violet08"), (64, 76, 10, "teal09"),
                       (32, 72, -40, "yellow07"), (20, 48, 80, "red09"), (48, 28, 0, "red09")):
        g += f'<rect x="{x - 5}" y="{y - 1.5}" width="10" height="3" rx="1.5" fill="{C(c)}" transform="rotate({a} {x} {y})"/>'
    return g + f'<circle cx="50" cy="50" r="46" class="ol" stroke-width="3"/>'


def lemon_sun():
    g = ""
    for i in range(12):
        g += f'<path d="M50,4 L54,16 L46,16 Z" fill="{C("yellow08")}" stroke="{INK}" stroke-width="1.5" transform="rotate({i * 30} 50 50)"/>'
    g += f'<circle cx="50" cy="50" r="32" fill="{C("yellow09")}" stroke="{INK}" stroke-width="3"/>'
    for i in range(8):
        g += f'<path d="M50,50 L50,24" stroke="{C("yellow12")}" stroke-width="3" transform="rotate({i * 45 + 22} 50 50)"/>'
    g += f'<circle cx="50" cy="50" r="24" fill="none" stroke="{C("yellow11")}" stroke-width="2"/>'
    return g + f'<circle cx="50" cy="50" r="5" fill="{C("yellow12")}"/>'


def candy_cane():
    d = "M24,104 L24,26 Q24,8 38,8 Q52,8 52,24"
    g = f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="15" stroke-linecap="round"/>'
    g += f'<path d="{d}" fill="none" stroke="#ffffff" stroke-width="10" stroke-linecap="round"/>'
    g += f'<path d="{d}" fill="none" stroke="{C("red08")}" stroke-width="10" stroke-dasharray="7 7"/>'
    return g


def cookie():
    g = f'<ellipse cx="32" cy="32" rx="28" ry="28" fill="{C("brown09")}" stroke="{INK}" stroke-width="3"/>'
    g += f'<ellipse cx="28" cy="28" rx="20" ry="20" fill="{C("brown10")}"/>'
    for x, y in ((20, 22), (38, 18), (42, 38), (24, 42), (32, 30)):
        g += f'<ellipse cx="{x}" cy="{y}" rx="4" ry="3" fill="{C("brown03")}"/>'
    return g


def cake():
    g = outlined("M8,96 L8,60 L112,60 L112,96 Z", C("yellow10"))
    g += outlined("M24,60 L24,30 L96,30 L96,60 Z", C("pink10"))
    g += outlined("M8,60 Q20,70 32,60 Q44,72 56,60 Q68,70 80,60 Q92,72 112,60 L112,58 L8,58 Z", C("white"), width=2)
    g += outlined("M24,30 Q36,40 48,30 Q60,42 72,30 Q84,40 96,30 L96,28 L24,28 Z", C("white"), width=2)
    for x in (40, 60, 80):
        g += f'<rect x="{x - 3}" y="10" width="6" height="18" fill="{C("teal10")}" stroke="{INK}" stroke-width="1.5"/>'
        g += outlined(f"M{x},2 Q{x + 5},8 {x},11 Q{x - 5},8 {x},2 Z", C("orange08"), width=1.5)
    g += f'<path d="M10,80 L110,80" stroke="{C("red09")}" stroke-width="3"/>'
    return g


def cupcake(colour, pose):
    top, shade, light = (C(c) for c in FROSTING[colour])
    wrap, wrap_light = (C(c) for c in WRAPPER[colour])
    lift = {"jump": 8, "happy": 2}.get(pose, 0)
    g = ""
    arms = {"jump": "M12,50 L2,36 M48,50 L58,36", "clap": "M12,50 Q20,36 28,34 M48,50 Q40,36 32,34",
            "happy": "M12,50 L4,40 M48,50 L56,40"}.get(pose, "M12,52 L4,60 M48,52 L56,60")
    g += f'<path d="{arms}" stroke="{INK}" stroke-width="6" stroke-linecap="round" fill="none"/>'
    g += f'<path d="{arms}" stroke="{wrap_light}" stroke-width="2.5" stroke-linecap="round" fill="none"/>'
    wrapper = "M10,44 L50,44 L45,70 L15,70 Z"
    g += outlined(wrapper, wrap)
    for x in (20, 30, 40):
        g += f'<path d="M{x},46 L{x + (x - 30) * 0.1},68" stroke="{wrap_light}" stroke-width="3"/>'
    g += outlined(wrapper, "none")
    frosting = "M6,46 Q2,36 12,32 Q10,20 22,20 Q26,10 34,14 Q46,14 46,26 Q58,30 54,44 Q30,50 6,46 Z"
    cid = uid("fr")
    g += (f'<clipPath id="{cid}"><path d="{frosting}"/></clipPath><path d="{frosting}" fill="{top}"/>'
          f'<ellipse cx="44" cy="46" rx="24" ry="8" fill="{shade}" clip-path="url(#{cid})"/>'
          f'<ellipse cx="20" cy="26" rx="5" ry="3" fill="{light}" transform="rotate(-30 20 26)"/>'
          f'<path d="{frosting}" class="ol"/>')
    # the candle: its flame leans when jumping
    g += f'<rect x="27" y="2" width="6" height="14" fill="{C("blue12")}" stroke="{INK}" stroke-width="1.5"/>'
    flame = "M30,-8 Q36,-2 30,3 Q24,-2 30,-8 Z" if pose != "jump" else "M28,-6 Q36,0 30,3 Q24,-1 28,-6 Z"
    g += outlined(flame, C("orange08"), width=1.5)
    state = {"blink": "closed", "happy": "happy", "jump": "happy", "clap": "happy"}.get(pose, "open")
    g += eyes(30, 31, 7, 5, look=1, state=state)
    g += blush(18, 42, 39, 3.5, 2)
    g += mouth({"talk": "open", "jump": "grin", "clap": "open"}.get(pose, "smile"), 30, 40, 8)
    return f'<g transform="translate(0,{14 - lift})">{g}</g>'


def confetti(frame):
    frame = int(frame)
    g = ""
    spread = (0.5, 1.0, 1.4)[frame - 1]
    for i, (dx, dy, c) in enumerate(((-20, -14, "red09"), (18, -20, "teal09"), (-6, -26, "yellow07"),
                                     (24, 4, "violet08"), (-24, 8, "green09"), (6, 16, "pink08"), (0, -4, "orange08"))):
        x, y = 32 + dx * spread, 32 + dy * spread
        if i % 3 == 0:
            g += sparkle(x, y, 2.5, C(c))
        else:
            g += f'<rect x="{x - 5}" y="{y - 1.5}" width="10" height="3" rx="1.5" fill="{C(c)}" transform="rotate({i * 40 + frame * 25} {x} {y})"/>'
    return g


def build():
    s = Sheet("crumb", "Crumb", "Planet Crumb: sky bands, cake strip, sky items, props, the cupcakes, confetti.")
    s.picture("Crumb-Sky", 200, 600, sky(), key=None, file="Sky")
    s.picture("Crumb-Planet", 800, 150, planet(), key=None, file="Planet")
    s.picture("Crumb-Moon", 100, 100, donut_moon(), file="Moon")
    s.picture("Crumb-Sun", 100, 100, lemon_sun(), file="Sun")
    s.picture("Crumb-Cloud1", 150, 56, cloud(150, 56, C("white"), C("pink12"), C("white")), file="Cloud1")
    s.picture("Crumb-Cloud2", 100, 40, cloud(100, 40, C("white"), C("pink12")), file="Cloud2")
    s.picture("Crumb-Cane", 64, 112, candy_cane(), file="Cane")
    s.picture("Crumb-Cookie", 64, 64, cookie(), file="Cookie")
    s.picture("Crumb-Cake", 120, 100, cake(), file="Cake")
    for colour in "ABC":
        frames = s.frames(CAKE_POSES, 60, 86, lambda p: cupcake(colour, p), (30, 84), prefix="cake_",
                          folder=f"Cake{colour}/")
        s.add_sprite(f"Crumb-Cake{colour}", frames, seq("BOB", ("cake_idle", 500), ("cake_blink", 150)))
    bits = s.frames(["1", "2", "3"], 64, 64, confetti, (32, 32), prefix="confetti")
    s.add_sprite("Crumb-Confetti", bits, seq("BURST", ("confetti1", 120), ("confetti2", 120), ("confetti3", 160)))
    return s
