"""The second float library: things that drift through the sky between scenes and do something
as they pass the middle: a lost astronaut who waves, a space whale far away who spouts, a
rubber duck who quacks, and a lost sock that just spins."""
from palette import C
from sheet_layout import INK, Sheet, seq
from toon import at, eyes, mouth, outlined, shaded_blob, sparkle


def astronaut(pose):
    wave = {"wave1": "M40,34 L52,20", "wave2": "M40,34 L54,30"}.get(pose, "M40,36 Q48,42 48,48")
    g = ""
    g += outlined("M8,30 L16,24 L16,44 L8,44 Z", C("metal08"), width=2)        # backpack
    for a in (wave, "M16,36 Q8,42 8,50"):
        g += f'<path d="{a}" stroke="{INK}" stroke-width="8" stroke-linecap="round" fill="none"/>'
        g += f'<path d="{a}" stroke="{C("white")}" stroke-width="4.5" stroke-linecap="round" fill="none"/>'
    g += f'<path d="M22,54 L18,64 M34,54 L38,64" stroke="{INK}" stroke-width="8" stroke-linecap="round"/>'
    g += f'<path d="M22,54 L18,64 M34,54 L38,64" stroke="{C("white")}" stroke-width="4.5" stroke-linecap="round"/>'
    g += shaded_blob("M14,56 Q12,30 28,28 Q44,30 42,56 Q28,60 14,56 Z", C("white"), C("metal13"), C("white"),
                     (38, 56, 14, 8), (20, 36, 3, 2, -20))
    g += f'<rect x="22" y="38" width="12" height="8" rx="2" fill="{C("red08")}" stroke="{INK}" stroke-width="1.5"/>'
    g += f'<circle cx="28" cy="18" r="15" fill="{C("white")}" stroke="{INK}" stroke-width="2.5"/>'
    g += f'<ellipse cx="29" cy="19" rx="10" ry="8" fill="{C("skin09")}" stroke="{INK}" stroke-width="2"/>'
    g += eyes(29, 18, 4, 2.8, state="happy" if pose == "wave2" else "open")
    g += mouth("open" if pose.startswith("wave") else "o", 29, 23, 5)
    g += f'<path d="M20,10 Q24,6 30,6" fill="none" stroke="#ffffff" stroke-width="2" stroke-linecap="round"/>'
    return at(2, 2, g)


def whale(pose):
    g = outlined("M8,22 L0,12 L4,22 L0,32 Z", C("blue06"), width=1.8)
    g += shaded_blob("M6,22 Q8,8 40,8 Q70,8 72,24 Q70,34 40,34 Q12,34 6,22 Z", C("blue08"), C("blue06"), C("blue11"),
                     (42, 34, 30, 8), (30, 13, 8, 2, 0))
    g += f'<circle cx="60" cy="19" r="2" fill="{INK}"/>'
    g += f'<path d="M56,26 Q63,29 70,24" class="ol" stroke-width="1.5"/>'
    if pose == "spout":
        g += (f'<path d="M44,8 Q42,-2 36,-4 M44,8 Q46,-2 52,-4" fill="none" stroke="{C("blue14")}" stroke-width="3" '
              f'stroke-linecap="round"/>' + sparkle(36, -5, 1.6, C("yellow10"), False) + sparkle(52, -5, 1.6, C("yellow10"), False))
    return at(2, 10, g)


def duck(pose):
    g = shaded_blob("M4,26 Q2,14 14,16 Q20,8 30,16 Q40,18 38,28 Q30,36 16,36 Q6,34 4,26 Z", C("yellow08"),
                    C("yellow06"), C("yellow11"), (28, 36, 16, 6), (14, 20, 3, 2, -20))
    g += shaded_blob("M16,16 Q14,2 26,2 Q36,2 34,14 Q30,20 22,18 Q16,18 16,16 Z", C("yellow08"), C("yellow06"),
                     C("yellow11"), (30, 16, 8, 4), (22, 6, 3, 1.5, -20))
    beak = "M33,9 L42,8 L34,14 Z" if pose == "float" else "M33,8 L43,4 L36,11 L43,14 L34,14 Z"
    g += outlined(beak, C("orange07"), width=1.8)
    g += f'<circle cx="28" cy="8" r="2.2" fill="{INK}"/>'
    if pose == "quack":
        g += f'<text x="30" y="-2" font-family="Comic Neue" font-weight="bold" font-size="9" fill="{C("white")}" stroke="{INK}" ' \
             f'stroke-width="0.5">!</text>'
    return at(0, 6, g)


def sock(frame):
    angle = {"1": 0, "2": 90, "3": 180, "4": 270}[frame]
    g = outlined("M14,4 L28,4 L28,26 Q28,36 18,38 L8,38 Q2,38 2,32 Q2,26 10,26 L14,26 Z", C("red09"), width=2)
    g += f'<rect x="14" y="4" width="14" height="6" fill="{C("white")}" stroke="{INK}" stroke-width="1.5"/>'
    g += f'<path d="M14,16 L28,16 M14,22 L28,22" stroke="{C("red11")}" stroke-width="2"/>'
    g += f'<circle cx="8" cy="32" r="3" fill="{C("skin10")}" stroke="{INK}" stroke-width="1"/>'
    return f'<g transform="rotate({angle} 20 22) translate(5,0)">{g}</g>'


def build():
    s = Sheet("drifters", "Drifters", "The second float library: astronaut, far whale, rubber duck, lost sock.")
    s.add_sprite("Drift-Astronaut", s.frames(["float", "wave1", "wave2"], 60, 70, astronaut, (30, 35), prefix="naut_"),
                 seq("DRIFT", ("naut_float", 1000)), seq("WAVE", ("naut_wave1", 300), ("naut_wave2", 300)),
                 tags={"Frequency": "2", "Speed": "12-22", "StartX": "-200", "EndX": "120", "Pre": "DRIFT",
                       "During": "WAVE", "Post": "DRIFT"})
    s.add_sprite("Drift-Whale", s.frames(["swim", "spout"], 80, 46, whale, (40, 23), prefix="whale_"),
                 seq("SWIM", ("whale_swim", 1000)), seq("SPOUT", ("whale_spout", 600), ("whale_swim", 900)),
                 tags={"Frequency": "2", "Speed": "6-10", "StartX": "-120", "EndX": "160", "Pre": "SWIM",
                       "During": "SPOUT", "Post": "SWIM"})
    s.add_sprite("Drift-Duck", s.frames(["float", "quack"], 46, 44, duck, (23, 22), prefix="duck_"),
                 seq("BOB", ("duck_float", 800)), seq("QUACK", ("duck_quack", 200), ("duck_float", 500)),
                 tags={"Frequency": "2", "Speed": "25-40", "StartX": "-60", "EndX": "40", "Pre": "BOB",
                       "During": "QUACK", "Post": "BOB"})
    s.add_sprite("Drift-Sock", s.frames(["1", "2", "3", "4"], 44, 44, sock, (22, 22), prefix="sock"),
                 seq("SPIN", ("sock1", 300), ("sock2", 300), ("sock3", 300), ("sock4", 300)),
                 seq("SLOW", ("sock1", 600), ("sock2", 600), ("sock3", 600), ("sock4", 600)),
                 tags={"Frequency": "1", "Speed": "30-60", "StartX": "-150", "EndX": "150", "Pre": "SPIN",
                       "During": "SLOW", "Post": "SPIN"})
    return s
