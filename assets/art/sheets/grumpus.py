"""Grumpus, the grumpy comet: the fastest comet around and proud of it, who grumbles, shows off
a tail of fireworks and leaves a complaint form."""
from palette import C
from sheet_layout import INK, Sheet, mail, seq
from toon import eyes, outlined, shaded_blob, sparkle, star5

POSES = ["fly1", "fly2", "talk", "blink", "show1", "show2", "smirk"]


def tail(length, wobble, fireworks):
    g = ""
    for w, c in ((44, "teal09"), (30, "teal11"), (14, "white")):
        g += (f'<path d="M150,{50 - w / 2} Q{150 - length * 0.5},{50 - w / 2 + wobble} {150 - length},{50 + wobble} '
              f'Q{150 - length * 0.5},{50 + w / 2 + wobble} 150,{50 + w / 2} Z" fill="{C(c)}"/>')
    if fireworks:
        for x, y, c in ((40, 30 + wobble, "yellow08"), (70, 64, "pink08"), (100, 26, "lime06"), (24, 56, "orange08")):
            g += star5(x, y, 8, C(c))
    return g


def comet(pose):
    fly = pose in ("fly1", "fly2")
    g = tail(150 if pose in ("show1", "show2") else 120, (4 if pose in ("fly1", "show1") else -4), pose in ("show1", "show2"))
    g += shaded_blob("M150,20 Q184,18 188,50 Q184,82 150,80 Q120,80 118,50 Q120,20 150,20 Z", C("yellow07"),
                     C("orange08"), C("yellow12"), (160, 76, 34, 14), (138, 32, 8, 4, -30))
    # bushy grumpy eyebrows
    g += f'<path d="M134,36 L150,42 M170,36 L156,42" stroke="{INK}" stroke-width="4" stroke-linecap="round"/>'
    state = {"blink": "closed", "show2": "happy"}.get(pose, "open")
    g += eyes(153, 48, 9, 6, look=2, state=state)
    if pose == "talk":
        g += outlined("M142,64 Q154,58 166,64 Q160,74 154,74 Q146,72 142,64 Z", C("red03"), width=2)
    elif pose == "smirk":
        g += f'<path d="M144,66 Q156,70 166,62" class="ol" stroke-width="2.5"/>'
    elif pose == "show2":
        g += outlined("M142,62 Q154,76 166,62 Z", "#ffffff", width=2)
    else:
        g += f'<path d="M144,68 Q154,62 164,68" class="ol" stroke-width="2.5"/>'
    if fly:
        g += sparkle(116, 24, 3, C("white")) + sparkle(108, 78, 2.5, C("white"))
    return g


def form(frame):
    frame = int(frame)
    g = outlined("M8,4 L112,4 L112,56 L8,56 Z", C("white"))
    g += f'<text x="14" y="18" font-family="Comic Neue" font-weight="bold" font-size="10" fill="{C("red06")}">COMPLAINT</text>'
    for y in (26, 34, 42, 50):
        g += f'<path d="M14,{y} L76,{y}" stroke="{C("grey22")}" stroke-width="1.5"/>'
    g += f'<path d="M16,30 Q30,24 44,30 Q56,36 70,28" fill="none" stroke="{C("blue07")}" stroke-width="1.5"/>'
    g += f'<circle cx="96" cy="36" r="14" fill="none" stroke="{C("red08")}" stroke-width="2.5"/>'
    g += f'<text x="96" y="40" text-anchor="middle" font-family="Comic Neue" font-weight="bold" font-size="10" ' \
         f'fill="{C("red08")}">{"GRR" if frame == 1 else "HMF"}</text>'
    return g


def build():
    s = Sheet("grumpus", "Grumpus", "Grumpus the grumpy comet and his complaint form.")
    frames = s.frames(POSES, 192, 100, comet, (160, 50))
    s.add_sprite("Grumpus", frames, seq("FLY", ("fly1", 100), ("fly2", 100)))
    s.sprites.append(mail("Grumpus-Mail", s.frames(["form1", "form2"], 120, 60, lambda n: form(n[-1]), (60, 0)), 600))
    return s
