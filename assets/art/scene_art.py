"""The scene files' art for make-manifest.py: where each image is cut from the sheets that
scene_sheets.py draws, and the sprites made of them. Names are unique in the manifest; the
scene sources (assets/scenes/make-scenes.py) give them the names their scene kinds look up.
"""

GREEN = "green"
DIR = "art/bmp/Scenes"


def image(name, file, source, rect, key=GREEN, hot=None):
    entry = {"name": name, "file": f"{DIR}/{file}", "source": source, "rect": list(rect), "key": key}
    if hot is not None:
        entry["hotSpot"] = list(hot)
    return entry


def seq(name, *steps):
    return {"name": name, "steps": [list(s) for s in steps]}


SOURCES = [
    ("bloop", "art/src/bloop.svg", 820, 980),
    ("posty", "art/src/posty.svg", 1120, 222),
    ("floats", "art/src/floats.svg", 500, 240),
    ("voyage", "art/src/voyage.svg", 520, 240),
    ("buzz", "art/src/buzz.svg", 108, 34),
    ("fizz", "art/src/fizz.svg", 1000, 964),
    ("mote", "art/src/mote.svg", 372, 112),
]

PICTURES = [
    image("Bloop-Sky", "Bloop/Sky.bmp", "bloop", (0, 0, 800, 600), key=None),
    image("Bloop-Planet", "Bloop/Planet.bmp", "bloop", (0, 610, 800, 150), key=None),
    image("Fizz-Sky", "Fizz/Sky.bmp", "fizz", (0, 0, 800, 600), key=None),
    image("Fizz-Planet", "Fizz/Planet.bmp", "fizz", (0, 610, 800, 150), key=None),
    image("Voyage-Giant", "Voyage/Giant.bmp", "voyage", (0, 0, 240, 240)),
    image("Voyage-Rock1", "Voyage/Rock1.bmp", "voyage", (250, 0, 56, 44)),
    image("Voyage-Rock2", "Voyage/Rock2.bmp", "voyage", (310, 0, 40, 34)),
    image("Voyage-Sign", "Voyage/Sign.bmp", "voyage", (250, 60, 40, 72)),
    image("Voyage-Cluster", "Voyage/Cluster.bmp", "voyage", (300, 60, 210, 130)),
]

BLOB_POSES = ["idle", "squash", "jump", "talk", "clap", "blink"]


def blob_sprite(colour, row):
    frames = [image(f"blob_{pose}", f"Bloop/Blob{colour}/{pose}.bmp", "bloop", (col * 70, 770 + row * 70, 64, 64),
                    hot=(32, 62)) for col, pose in enumerate(BLOB_POSES)]
    return {"name": f"Bloop-Blob{colour}", "curFrameName": "blob_idle", "frames": frames,
            "sequences": [seq("BOB", ("blob_idle", 400), ("blob_squash", 200), ("blob_idle", 400), ("blob_blink", 150))]}


WHALE_POSES = ["swim1", "swim2", "talk", "blink", "blow1", "blow2"]

POSTY = {
    "name": "Posty", "curFrameName": "swim1",
    "frames": [image(pose, f"Posty/{pose}.bmp", "posty", (i * 186, 0, 180, 150), hot=(90, 150))
               for i, pose in enumerate(WHALE_POSES)],
    "sequences": [seq("SWIM", ("swim1", 250), ("swim2", 250))],
}

# The mail rises in the ship's window for 12.4 seconds; its "DEFAULT" plays a little longer so
# the ship, not the sequence, ends the display.
POSTY_MAIL = {
    "name": "Posty-Mail", "curFrameName": "card1",
    "frames": [image(f"card{i}", f"Posty/card{i}.bmp", "posty", ((i - 1) * 126, 160, 120, 60), hot=(60, 0))
               for i in (1, 2)],
    "sequences": [seq("DEFAULT", *[s for _ in range(13) for s in (("card1", 600), ("card2", 400))])],
}


def floater(name, tags, frames, sequences):
    return {"name": name, "curFrameName": frames[0]["name"], "tags": tags, "frames": frames, "sequences": sequences}


FLOATERS = [
    floater("Float-Ringo",
            {"Frequency": "3", "Speed": "15-30", "StartX": "-150", "EndX": "-20",
             "Pre": "SHINE", "During": "WINK", "Post": "SHINE"},
            [image(f"ringo{i}", f"Floats/ringo{i}.bmp", "floats", ((i - 1) * 100, 0, 96, 64)) for i in (1, 2, 3)],
            [seq("SHINE", ("ringo1", 700), ("ringo2", 300)), seq("WINK", ("ringo1", 400), ("ringo3", 500))]),
    floater("Float-Comet",
            {"Frequency": "4", "Speed": "120-180", "StartX": "-250", "EndX": "150",
             "Pre": "SHORT", "During": "LONG", "Post": "SHORT"},
            [image(f"comet{i}", f"Floats/comet{i}.bmp", "floats", ((i - 1) * 125, 70, 120, 48)) for i in (1, 2, 3, 4)],
            [seq("SHORT", ("comet1", 120), ("comet2", 120)), seq("LONG", ("comet3", 120), ("comet4", 120))]),
    floater("Float-Satellite",
            {"Frequency": "3", "Speed": "40-70", "StartX": "-100", "EndX": "200",
             "Pre": "BLINK", "During": "BEAM", "Post": "BLINK"},
            [image(f"sat{i}", f"Floats/sat{i}.bmp", "floats", ((i - 1) * 70, 125, 64, 48)) for i in (1, 2, 3)],
            [seq("BLINK", ("sat1", 500), ("sat2", 500)), seq("BEAM", ("sat3", 250), ("sat2", 250))]),
    floater("Float-Moon",
            {"Frequency": "3", "Speed": "20-35", "StartX": "-120", "EndX": "60",
             "Pre": "SNOOZE", "During": "AWAKE", "Post": "SNOOZE"},
            [image(f"moon{i}", f"Floats/moon{i}.bmp", "floats", ((i - 1) * 60, 180, 56, 56)) for i in (1, 2, 3, 4)],
            [seq("SNOOZE", ("moon1", 900), ("moon2", 900)), seq("AWAKE", ("moon3", 1500), ("moon4", 150))]),
]

BUZZ = {
    "name": "Buzz", "curFrameName": "buzz1",
    "frames": [image(f"buzz{i}", f"Buzz/buzz{i}.bmp", "buzz", ((i - 1) * 36, 0, 32, 32), hot=(16, 16))
               for i in (1, 2, 3)],
    "sequences": [seq("FLAP", ("buzz1", 60), ("buzz2", 60))],
}

VOLCANO_POSES = ["idle", "talk", "blink", "puff", "boom", "happy"]

FIZZUVIUS = {
    "name": "Fizzuvius", "curFrameName": "volcano_idle",
    "frames": [image(f"volcano_{pose}", f"Fizz/Fizzuvius/{pose}.bmp", "fizz", (i * 166, 770, 160, 140), hot=(80, 138))
               for i, pose in enumerate(VOLCANO_POSES)],
    "sequences": [seq("RUMBLE", ("volcano_idle", 500), ("volcano_puff", 300))],
}

BUBBLE = {
    "name": "Fizz-Bubble", "curFrameName": "bubble_pink",
    "frames": [image(f"bubble_{kind}", f"Fizz/Bubble/{kind}.bmp", "fizz", (i * 46, 920, 40, 40), hot=(20, 20))
               for i, kind in enumerate(("pink", "blue", "pop"))],
    "sequences": [seq("POP", ("bubble_pink", 600), ("bubble_pop", 150))],
}

MOUSE_POSES = ["fly1", "fly2", "talk", "blink", "dance1", "dance2"]

NIB = {
    "name": "Nib", "curFrameName": "fly1",
    "frames": [image(pose, f"Nib/{pose}.bmp", "mote", (i * 62, 0, 56, 56), hot=(28, 56))
               for i, pose in enumerate(MOUSE_POSES)],
    "sequences": [seq("DANCE", ("dance1", 250), ("dance2", 250))],
}

NIB_MAIL = {
    "name": "Nib-Mail", "curFrameName": "cheese1",
    "frames": [image(f"cheese{i}", f"Nib/cheese{i}.bmp", "mote", ((i - 1) * 116, 62, 110, 50), hot=(55, 0))
               for i in (1, 2)],
    "sequences": [seq("DEFAULT", *[s for _ in range(13) for s in (("cheese1", 500), ("cheese2", 500))])],
}

SPRITES = [blob_sprite(c, r) for r, c in enumerate("ABC")] + [POSTY, POSTY_MAIL] + FLOATERS + [BUZZ] + \
    [FIZZUVIUS, BUBBLE, NIB, NIB_MAIL]
