"""Scenery of the moving scenes: the asteroid slalom (rocks, gate flags, a finish banner), the dive
to planet Glub (the planet's rim, clouds, a welcome sign) and the loop round the moon Lulu."""
from palette import C
from sheet_layout import INK, Sheet
from toon import at, cloud, eyes, mouth, outlined, shaded_blob, sparkle, uid


def rock(w, h, colour, shade, light, dents, face=None):
    d = (f"M{w * 0.1},{h * 0.5} Q{w * 0.05},{h * 0.12} {w * 0.42},{h * 0.06} Q{w * 0.85},{h * 0.02} {w * 0.94},{h * 0.42} "
         f"Q{w * 0.98},{h * 0.86} {w * 0.58},{h * 0.94} Q{w * 0.16},{h * 0.98} {w * 0.1},{h * 0.5} Z")
    g = shaded_blob(d, C(colour), C(shade), C(light), (w * 0.66, h * 0.86, w * 0.5, h * 0.3),
                    (w * 0.34, h * 0.24, w * 0.1, h * 0.05, -20))
    for x, y, r in dents:
        g += f'<circle cx="{x * w}" cy="{y * h}" r="{r * w}" fill="{C(shade)}" stroke="{INK}" stroke-width="1.5"/>'
    if face:
        g += eyes(w * 0.5, h * 0.42, w * 0.12, w * 0.08, state=face) + mouth("o" if face == "wide" else "smile",
                                                                           w * 0.5, h * 0.62, w * 0.12)
    return g


def gate(colour):
    g = at(0, 52, rock(72, 40, "beige04", "beige03", "beige05", [(0.3, 0.5, 0.06)]))
    g += f'<path d="M34,58 L34,6" stroke="{INK}" stroke-width="4"/>'
    g += outlined("M34,6 L66,16 L34,28 Z", C(colour))
    return g + f'<circle cx="34" cy="5" r="3.5" fill="{C("yellow09")}" stroke="{INK}" stroke-width="1.5"/>'


def finish():
    g = f'<path d="M8,70 L8,4 M192,70 L192,4" stroke="{INK}" stroke-width="5"/>'
    g += outlined("M8,6 L192,6 L192,36 L8,36 Z", C("white"))
    for i in range(23):
        for j in range(3):
            if (i + j) % 2:
                g += f'<rect x="{10 + i * 8}" y="{8 + j * 9}" width="8" height="9" fill="{INK}"/>'
    g += outlined("M8,6 L192,6 L192,36 L8,36 Z", "none")
    return g + sparkle(200 - 10, 54, 4, C("yellow09")) + sparkle(16, 56, 3, C("yellow09"))


def planet_rim():
    """Planet Glub, so big that only its top shows above the stage's bottom edge."""
    cid = uid("rim")
    g = (f'<clipPath id="{cid}"><circle cx="280" cy="300" r="280"/></clipPath>'
         f'<circle cx="280" cy="300" r="280" fill="{C("blue07")}"/>'
         f'<g clip-path="url(#{cid})">'
         f'<circle cx="260" cy="320" r="270" fill="{C("blue08")}"/>'
         f'<path d="M90,110 Q150,70 230,100 Q270,130 210,150 Q140,160 90,110 Z" fill="{C("yellow10")}" stroke="{INK}" stroke-width="2"/>'
         f'<path d="M360,80 Q430,60 460,100 Q440,130 390,120 Z" fill="{C("green09")}" stroke="{INK}" stroke-width="2"/>'
         f'<path d="M120,240 Q180,210 250,236 Q230,270 170,266 Z" fill="{C("green09")}" stroke="{INK}" stroke-width="2"/>'
         f'<path d="M40,190 Q170,170 280,190 M320,180 Q420,160 530,180 M60,330 Q200,310 330,330" fill="none" '
         f'stroke="{C("white")}" stroke-width="6" stroke-linecap="round"/></g>'
         f'<circle cx="280" cy="300" r="280" fill="none" stroke="{C("teal11")}" stroke-width="6"/>'
         f'<circle cx="280" cy="300" r="280" class="ol" stroke-width="3"/>')
    return g


def sign():
    g = f'<path d="M60,96 L60,40" stroke="{INK}" stroke-width="5"/><path d="M60,96 L60,40" stroke="{C("metal10")}" stroke-width="2"/>'
    g += outlined("M6,8 L114,8 L114,44 L6,44 Z", C("teal09"))
    g += f'<text x="60" y="24" text-anchor="middle" font-family="Comic Neue" font-weight="bold" font-size="12" fill="{INK}">WELCOME TO</text>'
    g += f'<text x="60" y="39" text-anchor="middle" font-family="Comic Neue" font-weight="bold" font-size="14" fill="{INK}">GLUB</text>'
    return g + outlined("M50,96 L70,96 L66,88 L54,88 Z", C("metal08"), width=2)


def lulu():
    """Lulu, the moon the ship loops round: she watches it go by, amazed."""
    cid = uid("lulu")
    look = 0
    g = (f'<clipPath id="{cid}"><circle cx="80" cy="80" r="74"/></clipPath>'
         f'<circle cx="80" cy="80" r="74" fill="{C("violet10")}"/>'
         f'<circle cx="70" cy="70" r="66" fill="{C("violet12")}" clip-path="url(#{cid})"/>')
    for x, y, r in ((40, 110, 12), (118, 50, 9), (120, 112, 14), (56, 36, 7)):
        g += f'<circle cx="{x}" cy="{y}" r="{r}" fill="{C("violet09")}" stroke="{INK}" stroke-width="1.5"/>'
    g += eyes(80 + look, 72, 18, 11, look=look * 0.6, state="open")
    g += mouth("o", 80 + look, 100, 18)
    return g + f'<circle cx="80" cy="80" r="74" class="ol" stroke-width="3"/>'


def star_patch():
    g = ""
    for i, (x, y) in enumerate(((12, 14), (60, 40), (110, 10), (150, 52), (190, 24), (36, 70), (96, 80), (170, 86))):
        colour = C("yellow12") if i % 2 else C("blue14")
        g += sparkle(x, y, 3, colour, stroke=False) if i % 3 == 0 else f'<circle cx="{x}" cy="{y}" r="1.8" fill="{colour}"/>'
    return g


def build():
    s = Sheet("space", "Space", "Moving scenes' scenery: slalom rocks, gates and banner; Glub's rim, clouds and sign; "
              "Lulu the moon.", width=1100)
    s.picture("Space-RockBig", 150, 110, rock(150, 110, "beige04", "beige03", "beige05",
                                              [(0.3, 0.4, 0.06), (0.62, 0.3, 0.04), (0.7, 0.66, 0.07)]), file="RockBig")
    s.picture("Space-RockFace", 110, 84, rock(110, 84, "brown08", "brown06", "brown10", [(0.2, 0.7, 0.05)], face="wide"),
              file="RockFace")
    s.picture("Space-RockSmall", 60, 44, rock(60, 44, "beige03", "beige02", "beige05", [(0.4, 0.5, 0.08)]), file="RockSmall")
    s.picture("Space-GateRed", 72, 94, gate("red08"), file="GateRed")
    s.picture("Space-GateBlue", 72, 94, gate("blue08"), file="GateBlue")
    s.picture("Space-Finish", 204, 72, finish(), file="Finish")
    s.picture("Space-Stars", 200, 96, star_patch(), file="Stars")
    s.picture("Space-Rim", 560, 400, planet_rim(), file="Rim")
    s.picture("Space-Cloud1", 160, 58, cloud(160, 58, C("white"), C("blue13"), C("white")), file="Cloud1")
    s.picture("Space-Cloud2", 110, 42, cloud(110, 42, C("white"), C("blue13")), file="Cloud2")
    s.picture("Space-Sign", 120, 98, sign(), file="Sign")
    s.picture("Space-Lulu", 160, 160, lulu(), file="Lulu")
    return s
