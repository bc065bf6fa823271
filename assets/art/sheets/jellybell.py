"""Jellybell, a space jellyfish who swims by pulsing her bell, glows in every colour and brings
a party card from planet Crumb."""
from palette import C
from sheet_layout import INK, Sheet, mail, seq
from toon import at, blush, eyes, mouth, outlined, shaded_blob, sparkle, star5, uid

POSES = ["swim1", "swim2", "talk", "blink", "glow1", "glow2"]
GLOW = {"glow1": ("teal09", "teal07", "teal12"), "glow2": ("yellow09", "yellow07", "yellow12")}


def jelly(pose):
    fill, shade, light = (C(c) for c in GLOW.get(pose, ("violet09", "violet07", "violet12")))
    wide = pose in ("swim2", "glow2")
    w = 48 if wide else 40
    g = ""
    # tentacles, wavy, longer when the bell is squeezed
    for i, x in enumerate((34, 46, 58, 70, 82)):
        sway = (6 if i % 2 else -6) * (1 if wide else -1)
        length = 66 if wide else 80
        d = f"M{x},78 Q{x + sway},{78 + length * 0.35} {x},{78 + length * 0.6} Q{x - sway},{78 + length * 0.8} {x},{78 + length}"
        g += f'<path d="{d}" stroke="{INK}" stroke-width="6" fill="none" stroke-linecap="round"/>'
        g += f'<path d="{d}" stroke="{light}" stroke-width="2.5" fill="none" stroke-linecap="round"/>'
    bell = f"M{58 - w},78 Q{58 - w},12 58,10 Q{58 + w},12 {58 + w},78 Q{58 + w * 0.5},70 58,80 Q{58 - w * 0.5},70 {58 - w},78 Z"
    g += shaded_blob(bell, fill, shade, light, (80, 80, 40, 16), (38, 30, 9, 5, -30))
    # a little bell on a ribbon: she rings when she talks
    g += f'<path d="M58,10 L58,2" stroke="{INK}" stroke-width="2"/>'
    g += outlined("M52,2 Q58,-8 64,2 Z", C("yellow08"), width=1.8)
    g += eyes(58, 44, 11, 7, look=1, state={"blink": "closed", "glow1": "happy", "glow2": "happy"}.get(pose, "open"))
    g += blush(40, 76, 56, 4, 2.5)
    g += mouth({"talk": "open", "glow2": "grin"}.get(pose, "smile"), 58, 58, 10)
    if pose.startswith("glow"):
        g += sparkle(8, 30, 3, C("white")) + sparkle(108, 40, 3, C("white")) + sparkle(100, 10, 2, C(("yellow09")))
    return at(0, 10, g)


def party_card(frame):
    frame = int(frame)
    g = outlined("M6,6 L114,6 L114,54 L6,54 Z", C("pink12"))
    g += f'<text x="48" y="24" font-family="Comic Neue" font-weight="bold" font-size="12" fill="{C("pink03")}">PARTY!</text>'
    g += f'<text x="48" y="40" font-family="Comic Neue" font-weight="bold" font-size="9" fill="{C("pink03")}">on Crumb</text>'
    # a cupcake with its candle
    g += outlined("M16,50 L12,34 L40,34 L36,50 Z", C("teal08"), width=2)
    g += outlined("M10,36 Q10,22 26,22 Q42,22 42,36 Z", C("pink10"), width=2)
    g += f'<rect x="24" y="12" width="4" height="10" fill="{C("blue12")}" stroke="{INK}" stroke-width="1.2"/>'
    g += outlined("M26,4 Q30,8 26,11 Q22,8 26,4 Z", C("orange08"), width=1.2)
    for x, y, c in ((52, 48, "yellow08"), (70, 48, "teal09"), (88, 48, "violet08")):
        g += star5(x + (2 if frame == 2 else 0), y, 4, C(c), width=1.2)
    return g


def build():
    s = Sheet("jellybell", "Jellybell", "Jellybell the space jellyfish and her party card.")
    frames = s.frames(POSES, 116, 170, jelly, (58, 80))
    s.add_sprite("Jellybell", frames, seq("SWIM", ("swim1", 300), ("swim2", 300)))
    s.sprites.append(mail("Jellybell-Mail", s.frames(["card1", "card2"], 120, 60, lambda n: party_card(n[-1]),
                                                      (60, 0)), 500))
    return s
