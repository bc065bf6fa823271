"""Rolo, a travelling salesman robot who rolls through space on a ball and sells things nobody
needs (mittens to a space pilot); his catalogue is the mail he leaves."""
from palette import C
from sheet_layout import INK, Sheet, mail, seq
from toon import at, eyes, mouth, outlined, shaded_blob, sparkle, uid

POSES = ["roll1", "roll2", "roll3", "talk", "blink", "show1", "show2"]


def ball(turn):
    cid = uid("ball")
    g = (f'<clipPath id="{cid}"><circle cx="50" cy="104" r="24"/></clipPath>'
         f'<circle cx="50" cy="104" r="24" fill="{C("yellow08")}"/>')
    for i in range(3):
        a = turn * 40 + i * 120
        g += (f'<rect x="26" y="98" width="48" height="12" fill="{C("red08")}" clip-path="url(#{cid})" '
              f'transform="rotate({a} 50 104)"/>')
    g += f'<ellipse cx="42" cy="94" rx="7" ry="4" fill="{C("yellow12")}" transform="rotate(-30 42 94)"/>'
    return g + f'<circle cx="50" cy="104" r="24" class="ol" stroke-width="3"/>'


def mitten(x, y):
    return outlined(f"M{x},{y} Q{x - 2},{y - 18} {x + 8},{y - 20} Q{x + 18},{y - 18} {x + 16},{y} Z", C("red08"), width=2.2) + \
        outlined(f"M{x},{y - 10} Q{x - 8},{y - 14} {x - 6},{y - 6} Q{x - 4},{y - 2} {x},{y - 4}", C("red08"), width=2.2) + \
        f'<rect x="{x - 1}" y="{y - 3}" width="18" height="5" fill="{C("white")}" stroke="{INK}" stroke-width="1.5"/>'


def umbrella(x, y, open_):
    if not open_:
        return outlined(f"M{x - 4},{y} L{x},{y - 36} L{x + 4},{y} Z", C("teal08"), width=2)
    return (f'<path d="M{x},{y} L{x},{y - 30}" stroke="{INK}" stroke-width="2.5"/>' +
            outlined(f"M{x - 26},{y - 30} Q{x},{y - 58} {x + 26},{y - 30} Q{x + 13},{y - 36} {x},{y - 30} "
                     f"Q{x - 13},{y - 36} {x - 26},{y - 30} Z", C("teal08")))


def rolo(pose):
    turn = {"roll2": 1, "roll3": 2}.get(pose, 0)
    g = ball(turn)
    # body: a round tin with a bow tie, sitting on the ball
    g += shaded_blob("M22,80 Q18,44 50,40 Q82,44 78,80 Q50,88 22,80 Z", C("metal11"), C("metal08"), C("metal14"),
                     (66, 80, 26, 14), (36, 52, 8, 4, -30))
    g += outlined("M42,62 L50,66 L58,62 L58,72 L50,68 L42,72 Z", C("red08"), width=2)
    # head: a dome with one big antenna and a salesman's hat
    g += shaded_blob("M28,40 Q28,14 50,14 Q72,14 72,40 Z", C("metal12"), C("metal09"), C("metal15"), (64, 42, 20, 12),
                     (40, 22, 6, 3, -20))
    g += outlined("M30,16 L70,16 L66,12 L62,0 L38,0 L34,12 Z", C("violet05"), width=2.2)
    g += f'<rect x="36" y="8" width="28" height="4" fill="{C("yellow08")}"/>'
    g += eyes(50, 28, 8, 5, look=1.5, state="closed" if pose == "blink" else "happy" if pose == "show2" else "open")
    g += mouth({"talk": "open", "show1": "grin", "show2": "open"}.get(pose, "smile"), 50, 35, 10)
    # arms: a wave, or holding up today's bargain
    if pose == "show1":
        arm = "M76,60 Q90,50 90,34"
        extra = mitten(84, 36)
    elif pose == "show2":
        arm = "M76,60 Q86,52 86,42"
        extra = umbrella(86, 44, True)
    else:
        swing = {"roll1": 0, "roll2": 4, "roll3": -4}.get(pose, 0)
        arm = f"M76,60 Q86,66 {88 + swing},76"
        extra = ""
    for a in (arm, "M24,60 Q14,66 12,76"):
        g += f'<path d="{a}" stroke="{INK}" stroke-width="6" fill="none" stroke-linecap="round"/>'
        g += f'<path d="{a}" stroke="{C("metal10")}" stroke-width="2.5" fill="none" stroke-linecap="round"/>'
    if pose in ("roll1", "roll2", "roll3"):
        for y, w in ((96, 10), (108, 14), (118, 8)):
            g += f'<path d="M{8 - w},{y + turn} L8,{y + turn}" stroke="{C("metal12")}" stroke-width="3" stroke-linecap="round"/>'
    if pose == "show2":
        g += sparkle(16, 30, 3, C("yellow09"))
    return at(4, 2, g + extra)


def catalogue(frame):
    frame = int(frame)
    g = outlined("M6,6 L114,6 L114,54 L6,54 Z", C("violet10"))
    g += outlined("M10,10 L60,10 L60,50 L10,50 Z", C("white"), width=1.5)
    g += f'<text x="14" y="26" font-family="Comic Neue" font-weight="bold" font-size="11" fill="{C("violet04")}">ROLO\'S</text>'
    g += f'<text x="14" y="40" font-family="Comic Neue" font-weight="bold" font-size="9" fill="{C("violet04")}">DEALS!</text>'
    g += mitten(70, 44) + umbrella(94, 52, frame == 2)
    if frame == 2:
        g += sparkle(110, 12, 3, C("yellow09"))
    return g


def build():
    s = Sheet("rolo", "Rolo", "Rolo the rolling salesman robot and his catalogue.")
    frames = s.frames(POSES, 108, 134, rolo, (54, 130))
    s.add_sprite("Rolo", frames, seq("ROLL", ("roll1", 120), ("roll2", 120), ("roll3", 120)))
    s.sprites.append(mail("Rolo-Mail", s.frames(["cat1", "cat2"], 120, 60, lambda n: catalogue(n[-1]), (60, 0)), 500))
    return s
