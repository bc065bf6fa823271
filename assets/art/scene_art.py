"""The scene files' art for make-manifest.py: where each image is cut from the sheets that
scene_sheets.py draws, and the sprites made of them. Names are unique in the manifest; the
scene sources (assets/scenes/make-scenes.py) give them the names their scene kinds look up.
"""

import sheets
from scene_sheets import BLOB_POSES, MOUSE_POSES, VOLCANO_POSES, WHALE_POSES
from sheet_layout import mail, seq, sprite

GREEN = "green"
DIR = "art/bmp/Scenes"


def image(name, file, source, rect, key=GREEN, hot=None):
    entry = {"name": name, "file": f"{DIR}/{file}", "source": source, "rect": list(rect), "key": key}
    if hot is not None:
        entry["hotSpot"] = list(hot)
    return entry


def strip(names, folder, source, at, step, size, hot, prefix=""):
    """Frames cut from one row of a sheet: the first at `at`, then every `step` pixels."""
    (x, y), (w, h) = at, size
    return [image(prefix + n, f"{folder}/{n}.bmp", source, (x + i * step, y, w, h), hot=hot)
            for i, n in enumerate(names)]


SOURCES = [
    ("bloop", "art/src/bloop.svg", 420, 204),
    ("posty", "art/src/posty.svg", 1120, 222),
    ("floats", "art/src/floats.svg", 500, 240),
    ("voyage", "art/src/voyage.svg", 520, 240),
    ("buzz", "art/src/buzz.svg", 132, 42),
    ("fizz", "art/src/fizz.svg", 992, 194),
    ("mote", "art/src/mote.svg", 372, 112),
]

PICTURES = [
    image("Voyage-Giant", "Voyage/Giant.bmp", "voyage", (0, 0, 240, 240)),
    image("Voyage-Rock1", "Voyage/Rock1.bmp", "voyage", (250, 0, 56, 44)),
    image("Voyage-Rock2", "Voyage/Rock2.bmp", "voyage", (310, 0, 40, 34)),
    image("Voyage-Sign", "Voyage/Sign.bmp", "voyage", (250, 60, 40, 72)),
    image("Voyage-Cluster", "Voyage/Cluster.bmp", "voyage", (300, 60, 210, 130)),
]


def blob_sprite(colour, row):
    frames = strip(BLOB_POSES, f"Bloop/Blob{colour}", "bloop", (0, row * 70), 70, (64, 64), (32, 62), "blob_")
    return sprite(f"Bloop-Blob{colour}", frames,
                  seq("BOB", ("blob_idle", 400), ("blob_squash", 200), ("blob_idle", 400), ("blob_blink", 150)))


POSTY = sprite("Posty", strip(WHALE_POSES, "Posty", "posty", (0, 0), 186, (180, 150), (90, 150)),
               seq("SWIM", ("swim1", 250), ("swim2", 250)))
POSTY_MAIL = mail("Posty-Mail", strip(["card1", "card2"], "Posty", "posty", (0, 160), 126, (120, 60), (60, 0)), 500)


def floater(name, tags, frames, *sequences):
    return dict(sprite(name, frames, *sequences), tags=tags)


def frames_of(stem, count, y, step, size):
    return strip([f"{stem}{i}" for i in range(1, count + 1)], "Floats", "floats", (0, y), step, size, None)


FLOATERS = [
    floater("Float-Ringo", {"Frequency": "3", "Speed": "15-30", "StartX": "-150", "EndX": "-20",
                            "Pre": "SHINE", "During": "WINK", "Post": "SHINE"},
            frames_of("ringo", 3, 0, 100, (96, 64)),
            seq("SHINE", ("ringo1", 700), ("ringo2", 300)), seq("WINK", ("ringo1", 400), ("ringo3", 500))),
    floater("Float-Comet", {"Frequency": "4", "Speed": "120-180", "StartX": "-250", "EndX": "150",
                            "Pre": "SHORT", "During": "LONG", "Post": "SHORT"},
            frames_of("comet", 4, 70, 125, (120, 48)),
            seq("SHORT", ("comet1", 120), ("comet2", 120)), seq("LONG", ("comet3", 120), ("comet4", 120))),
    floater("Float-Satellite", {"Frequency": "3", "Speed": "40-70", "StartX": "-100", "EndX": "200",
                                "Pre": "BLINK", "During": "BEAM", "Post": "BLINK"},
            frames_of("sat", 3, 125, 70, (64, 48)),
            seq("BLINK", ("sat1", 500), ("sat2", 500)), seq("BEAM", ("sat3", 250), ("sat2", 250))),
    floater("Float-Moon", {"Frequency": "3", "Speed": "20-35", "StartX": "-120", "EndX": "60",
                           "Pre": "SNOOZE", "During": "AWAKE", "Post": "SNOOZE"},
            frames_of("moon", 4, 180, 60, (56, 56)),
            seq("SNOOZE", ("moon1", 900), ("moon2", 900)), seq("AWAKE", ("moon3", 1500), ("moon4", 150))),
]

BUZZ = sprite("Buzz", strip(["buzz1", "buzz2", "buzz3"], "Buzz", "buzz", (0, 0), 44, (40, 40), (20, 20)),
              seq("FLAP", ("buzz1", 60), ("buzz2", 60)))
FIZZUVIUS = sprite("Fizzuvius", strip(VOLCANO_POSES, "Fizz/Fizzuvius", "fizz", (0, 0), 166, (160, 140), (80, 138), "volcano_"),
                   seq("RUMBLE", ("volcano_idle", 500), ("volcano_puff", 300)))
BUBBLE = sprite("Fizz-Bubble", strip(["pink", "blue", "pop"], "Fizz/Bubble", "fizz", (0, 150), 46, (40, 40), (20, 20), "bubble_"),
                seq("POP", ("bubble_pink", 600), ("bubble_pop", 150)))
NIB = sprite("Nib", strip(MOUSE_POSES, "Nib", "mote", (0, 0), 62, (56, 56), (28, 56)), seq("DANCE", ("dance1", 250), ("dance2", 250)))
NIB_MAIL = mail("Nib-Mail", strip(["cheese1", "cheese2"], "Nib", "mote", (0, 62), 116, (110, 50), (55, 0)), 500)

SPRITES = [blob_sprite(c, r) for r, c in enumerate("ABC")] + [POSTY, POSTY_MAIL] + FLOATERS + [BUZZ] + \
    [FIZZUVIUS, BUBBLE, NIB, NIB_MAIL]

# The second batch: sheets that lay out and cut themselves.
for _sheet in sheets.built():
    SOURCES.append(_sheet.source())
    PICTURES += _sheet.pictures
    SPRITES += _sheet.sprites
