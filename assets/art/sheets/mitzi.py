"""Mitzi, an astronaut cat who teleports: she arrives as a streak of sparks, pops up inside the
cabin looking for a certain mouse, and does her vanishing trick."""
from palette import C
from sheet_layout import INK, Sheet, seq
from toon import blush, eyes, mouth, outlined, shaded_blob, sparkle

POSES = ["idle", "blink", "talk", "tada", "poof1", "poof2", "spark1", "spark2"]


def cat(pose):
    g = ""
    # spacesuit body with a little jetpack and boots
    g += outlined("M14,50 L22,44 L22,62 L14,62 Z", C("metal08"), width=2)
    g += shaded_blob("M20,70 Q16,46 34,44 Q52,46 48,70 Q34,74 20,70 Z", C("white"), C("metal13"), C("white"),
                     (44, 70, 16, 10), (26, 52, 4, 2, -20))
    g += f'<rect x="28" y="52" width="12" height="8" rx="2" fill="{C("orange07")}" stroke="{INK}" stroke-width="1.5"/>'
    arms = "M22,52 L10,40 M46,52 L58,40" if pose == "tada" else "M22,52 Q14,58 16,66 M46,52 Q54,58 52,66"
    g += f'<path d="{arms}" stroke="{INK}" stroke-width="7" stroke-linecap="round" fill="none"/>'
    g += f'<path d="{arms}" stroke="{C("white")}" stroke-width="3.5" stroke-linecap="round" fill="none"/>'
    g += f'<path d="M42,66 Q58,68 60,56" stroke="{INK}" stroke-width="5" fill="none" stroke-linecap="round"/>'
    g += f'<path d="M42,66 Q58,68 60,56" stroke="{C("orange08")}" stroke-width="2" fill="none" stroke-linecap="round"/>'
    # the cat's head: orange tabby, ears up, inside the helmet
    g += outlined("M18,24 L16,6 L28,14 Z", C("orange08"), width=2) + outlined("M50,24 L52,6 L40,14 Z", C("orange08"), width=2)
    g += shaded_blob("M14,28 Q14,10 34,10 Q54,10 54,28 Q54,44 34,44 Q14,44 14,28 Z", C("orange08"), C("orange06"),
                     C("orange11"), (44, 42, 14, 8), (24, 16, 4, 2, -20))
    g += f'<path d="M30,12 L32,18 M38,12 L36,18" stroke="{C("orange05")}" stroke-width="2"/>'
    g += eyes(34, 26, 7, 5, look=1, state={"blink": "closed", "tada": "happy"}.get(pose, "open"))
    g += blush(22, 46, 34, 3, 2)
    g += outlined("M32,31 L36,31 L34,33 Z", C("pink09"), width=1)
    g += mouth({"talk": "open", "tada": "grin"}.get(pose, "smile"), 34, 36, 7)
    g += f'<path d="M20,32 L8,30 M20,35 L8,37 M48,32 L60,30 M48,35 L60,37" stroke="{INK}" stroke-width="1"/>'
    g += f'<circle cx="34" cy="26" r="24" fill="{C("blue15")}" fill-opacity="0.2" stroke="{INK}" stroke-width="2.2"/>'
    g += f'<path d="M18,14 Q24,8 32,6" fill="none" stroke="#ffffff" stroke-width="2.5" stroke-linecap="round"/>'
    if pose == "tada":
        g += sparkle(6, 30, 3, C("yellow09")) + sparkle(62, 30, 3, C("yellow09"))
    return g


def poof(size):
    g = ""
    for x, y, r in ((34, 40, 18 * size), (20, 46, 12 * size), (48, 46, 12 * size), (26, 30, 10 * size), (44, 30, 11 * size)):
        g += f'<circle cx="{x}" cy="{y}" r="{r}" fill="{C("violet12")}" stroke="{INK}" stroke-width="2"/>'
    return g + sparkle(34, 40, 4 * size, C("yellow09")) + sparkle(12, 20, 2.5, C("white")) + sparkle(56, 22, 2.5, C("white"))


def streak(frame):
    tail = 20 if frame == 1 else 28
    g = f'<path d="M{34 - tail},40 L34,38 L34,42 Z" fill="{C("violet10")}"/>'
    g += f'<path d="M{34 - tail * 1.6},40 L{34 - tail},39 L{34 - tail},41 Z" fill="{C("violet12")}"/>'
    return g + sparkle(38, 40, 5 if frame == 1 else 6, C("yellow09")) + sparkle(18, 34, 2, C("white"))


def draw(pose):
    if pose.startswith("poof"):
        return cat("idle") + poof(0.8) if pose == "poof1" else poof(1.1)
    if pose.startswith("spark"):
        return streak(int(pose[-1]))
    return cat(pose)


def build():
    s = Sheet("mitzi", "Mitzi", "Mitzi the teleporting astronaut cat.")
    frames = s.frames(POSES, 68, 76, draw, (34, 74))
    s.add_sprite("Mitzi", frames, seq("ZAP", ("spark1", 80), ("spark2", 80)))
    return s
