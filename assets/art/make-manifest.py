#!/usr/bin/env python3
"""Writes manifest.json: where every image of the show is cut from its SVG sheet, how it is
keyed, and the sprites' sequences and the getout/getin directors built from them.

The director key frames follow from the ship's geometry. Director coordinates put the
"Ship-Inside" item at (0, 0, 0); the show then moves the director so that this item covers the
ship's inside layer at (anchor x - 110, anchor y - 159), ship Z + 40. So the body's top-left is
at (-10, -78) and the anchor at (110, 159). Items with Z above -40 are behind the body (seen
through the window), items below -40 in front of it.
"""
import json
import re

import scene_art

GREEN = "green"

def image(name, file, source, rect, key=GREEN, hot=None, blue=False):
    entry = {"name": name, "file": file, "source": source, "rect": list(rect), "key": key}
    if blue:
        entry["blueMarker"] = True
    if hot is not None:
        entry["hotSpot"] = list(hot)
    return entry

SOURCES = [
    ("sky", "art/src/sky.svg", 800, 600),
    ("ship", "art/src/ship.svg", 860, 486),
    ("skins", "art/src/skins.svg", 740, 237),
    ("engine", "art/src/engine.svg", 760, 190),
    ("zibolt", "art/src/zibolt.svg", 800, 452),
    ("stars", "art/src/stars.svg", 80, 182),
    ("sidekick", "art/src/sidekick.svg", 184, 48),
    ("screens", "art/src/screens.svg", 312, 112),
]

PICTURES = [
    image("Background", "art/bmp/Background.bmp", "sky", (0, 0, 800, 600), key=None),
    image("Ship-Outline", "art/bmp/Ship-Outline.bmp", "ship", (0, 0, 240, 237), blue=True),
    image("Ship-Skin", "art/bmp/Ship-Skin.bmp", "ship", (250, 0, 240, 237), key=None),
    image("Ship-Inside", "art/bmp/Ship-Inside.bmp", "ship", (500, 0, 220, 159)),
    image("Ship-Land", "art/bmp/Ship-Land.bmp", "ship", (500, 170, 220, 48)),
    image("deur1", "art/bmp/deur1.bmp", "ship", (730, 0, 48, 64)),
    dict(image("deur2", "art/bmp/deur2.bmp", "ship", (790, 0, 48, 64)),
         matches={"image": "Ship-Outline", "at": [140, 160]}),
    image("Screen1", "art/bmp/Screen1.bmp", "screens", (0, 0, 152, 112), key=None),
    image("Screen2", "art/bmp/Screen2.bmp", "screens", (160, 0, 152, 112), key=None),
]

SKINS = [
    image(name, f"art/bmp/Skins/{name}.bmp", "skins", (x, 0, 240, 237), key=None)
    for name, x in (("Red", 0), ("Chrome", 250), ("Dots", 500))
]

# --- Zibolt -----------------------------------------------------------------------------
STANDING = [
    ["stand1", "stand2", "talk1", "talk2", "talk3", "mic1", "mic2", "mic3"],
    ["sing1", "sing2", "wave1", "wave2", "duck1", "climb1", "climb2", "hop1"],
    ["walk1", "walk2", "walk3", "walk4", "walkr1", "walkr2", "walkr3", "walkr4"],
]
SEATED = ["s_l90", "s_l135", "sit_talk1", "sit_talk2", "sit_listen1", "sit_listen2"]
STAND_W, STAND_H, SEAT_W, SEAT_H = 96, 112, 84, 100

def hero_frames():
    frames = []
    for row, names in enumerate(STANDING):
        for col, name in enumerate(names):
            frames.append(image(name, f"art/bmp/Zibolt/{name}.bmp", "zibolt",
                                (col * 100, row * 116, STAND_W, STAND_H), hot=(48, 110)))
    for i, name in enumerate(SEATED):
        frames.append(image(name, f"art/bmp/Zibolt/{name}.bmp", "zibolt",
                            (i * 88, 350, SEAT_W, SEAT_H), hot=(42, 0)))
    return frames

def seq(name, *steps):
    return {"name": name, "steps": [list(s) for s in steps]}

HERO_SEQUENCES = [
    seq("TALK", ("talk1", 150), ("talk2", 120), ("talk3", 150), ("talk2", 120), ("talk1", 150), ("stand1", 100)),
    seq("STAND", ("stand1", 1800), ("stand2", 150), ("stand1", 1200), ("stand2", 150)),
    seq("getmic", ("mic1", 200), ("mic2", 200), ("mic3", 300)),
    seq("awaymic", ("mic3", 150), ("mic2", 200), ("mic1", 200), ("stand1", 200)),
    seq("SING", ("sing1", 300), ("sing2", 300)),
    seq("WAVE", ("wave1", 200), ("wave2", 200)),
    seq("TALKSIT", ("sit_talk1", 150), ("sit_talk2", 120), ("sit_talk1", 150), ("s_l90", 120)),
    seq("LISTENSIT", ("sit_listen1", 1500), ("sit_listen2", 150), ("sit_listen1", 800), ("s_l90", 1000)),
    seq("walkrl", *[(f"walk{i}", 110, -6, 0, 0) for i in range(1, 5)]),
    seq("walklr", *[(f"walkr{i}", 110, 6, 0, 0) for i in range(1, 5)]),
    seq("CLIMB", ("climb1", 200), ("climb2", 200)),
    seq("HOP", ("duck1", 150), ("hop1", 300), ("duck1", 150), ("stand1", 200)),
]

# --- engine, stars, sidekick --------------------------------------------------------------
ENGINE = [  # name, x, y, w, h
    ("on1a", 0, 0, 70, 120), ("on1b", 80, 0, 70, 120), ("on1c", 160, 0, 70, 120),
    ("off1a", 0, 130, 70, 36), ("off1b", 80, 130, 70, 36),
    ("on2a", 250, 0, 56, 130), ("on2b", 316, 0, 56, 130), ("on2c", 382, 0, 56, 130),
    ("off2a", 250, 140, 56, 34), ("off2b", 316, 140, 56, 34),
    ("on3a", 450, 0, 80, 110), ("on3b", 540, 0, 80, 110), ("on3c", 630, 0, 80, 110),
    ("off3a", 450, 130, 60, 30), ("off3b", 540, 130, 60, 30),
]
ENGINE_SEQUENCES = [
    seq("ON_1", ("on1a", 70), ("on1b", 70), ("on1c", 70)),
    seq("OFF_1", ("off1a", 90), ("off1b", 90)),
    seq("ON_2", ("on2a", 50), ("on2b", 50), ("on2c", 50)),
    seq("OFF_2", ("off2a", 80), ("off2b", 80)),
    seq("ON_3", ("on3a", 110), ("on3b", 110), ("on3c", 110)),
    seq("OFF_3", ("off3a", 160), ("off3b", 200)),
]

STAR_SIZES = [16, 12, 6, 24, 14, 20, 10]
STAR_TIMES = [(400, 200, 250), (300, 150, 300), (500, 250, 350), (900, 150, 400),
              (350, 200, 300), (450, 180, 220), (380, 260, 320)]

def star_sprite(n):
    size = STAR_SIZES[n - 1]
    y = (n - 1) * 26
    frames = [image(f"star{n}{c}", f"art/bmp/Star{n}/star{n}{c}.bmp", "stars", (x, y, size, size),
                    hot=(size / 2, size / 2)) for c, x in (("a", 0), ("b", 26), ("c", 52))]
    ta, tb, tc = STAR_TIMES[n - 1]
    return {
        "name": f"Star{n}", "curFrameName": f"star{n}a",
        "tags": {"Sterretje": "True", "Frequency": "30" if n == 4 else "50", "Speed": "20-50", "Pre": "TWINKLE"},
        "frames": frames,
        "sequences": [seq("TWINKLE", (f"star{n}a", ta), (f"star{n}b", tb), (f"star{n}c", tc), (f"star{n}b", tb))],
    }

SIDEKICK = {
    "name": "Sidekick", "curFrameName": "kick1",
    "frames": [image(f"kick{i + 1}", f"art/bmp/Sidekick/kick{i + 1}.bmp", "sidekick", (i * 46, 0, 44, 48), hot=(22, 44))
               for i in range(4)],
    "sequences": [seq("FLOAT", ("kick1", 200), ("kick2", 200), ("kick1", 200), ("kick2", 200), ("kick3", 120)),
                  seq("WAVE", ("kick4", 300), ("kick1", 200))],
}

# --- directors ------------------------------------------------------------------------------
Z_BEHIND, Z_FRONT = -20, -50          # the hero behind the body / in front of it
Z_KICK_BEHIND, Z_KICK_FRONT = -25, -48
Z_DOORWAY, Z_LEAF = -44, -46
SEATED_XY = (110 - SEAT_W / 2, 159 - 190)   # where the ship draws the seated hero
HATCH = (130, 82)                    # the hatch at body (140, 160)
HATCH_OPEN = (84, 82)                # the leaf slid left along the hull
UP_IN_WINDOW = (62, -38)             # standing up behind the seat
IN_DOORWAY = (106, 36)               # crouched, feet on the hatch sill (body y 224): inside
                                     # behind the hull, or outside in the doorway
ON_GROUND_Y = 79                     # feet on the ground, anchor + 30 (gear height 48 - 18)
STAGE_SPOT = (226, 79)               # where he performs, right of the ship
KICK_DOORWAY = (132, 88)
KICK_HOVER = (300, 30)

def key(frame, item, xy, z, visible, cur=None):
    k = {"frame": frame, "item": item, "XPos": xy[0], "YPos": xy[1], "ZPos": z, "Visible": visible}
    if cur is not None:
        k["CurFrameName"] = cur
    return k

def getout():
    keys = [key(1, "Ship-Inside", (0, 0), 0, True)]
    # the doors: the doorway and the leaf appear closed over the hull's own hatch, the leaf
    # slides open, later closes again, and both vanish into the identical hull.
    keys += [key(1, "deur1", HATCH, Z_DOORWAY, False), key(11, "deur1", HATCH, Z_DOORWAY, True),
             key(26, "deur1", HATCH, Z_DOORWAY, True), key(27, "deur1", HATCH, Z_DOORWAY, False)]
    keys += [key(1, "deur2", HATCH, Z_LEAF, False), key(11, "deur2", HATCH, Z_LEAF, True),
             key(15, "deur2", HATCH_OPEN, Z_LEAF, True), key(22, "deur2", HATCH_OPEN, Z_LEAF, True),
             key(26, "deur2", HATCH, Z_LEAF, True), key(27, "deur2", HATCH, Z_LEAF, False)]
    z = "Zibolt"
    keys += [key(1, z, SEATED_XY, Z_BEHIND, True, "s_l90"),
             key(3, z, UP_IN_WINDOW, Z_BEHIND, True, "stand1"),
             key(5, z, UP_IN_WINDOW, Z_BEHIND, True, "stand1"),
             key(6, z, (72, -16), Z_BEHIND, True, "walkr1"),
             key(7, z, (84, 4), Z_BEHIND, True, "walkr2"),
             key(8, z, (95, 24), Z_BEHIND, True, "walkr3"),
             key(9, z, IN_DOORWAY, Z_BEHIND, True, "duck1"),
             key(10, z, IN_DOORWAY, Z_BEHIND, False, "duck1"),
             key(13, z, IN_DOORWAY, Z_FRONT, True, "duck1"),
             key(15, z, IN_DOORWAY, Z_FRONT, True, "duck1")]
    for i, f in enumerate(range(16, 22)):   # down the ladder
        y = IN_DOORWAY[1] + (ON_GROUND_Y - IN_DOORWAY[1]) * (i + 1) / 6
        keys.append(key(f, z, (106, round(y)), Z_FRONT, True, "climb1" if i % 2 == 0 else "climb2"))
    for i, f in enumerate(range(22, 30)):   # walk to the performing spot
        keys.append(key(f, z, (120 + 14 * i, ON_GROUND_Y), Z_FRONT, True, f"walkr{i % 4 + 1}"))
    keys += [key(30, z, STAGE_SPOT, Z_FRONT, True, "stand1"), key(33, z, STAGE_SPOT, Z_FRONT, True, "stand1")]
    k = "Sidekick"
    keys += [key(1, k, KICK_DOORWAY, Z_KICK_FRONT, False, "kick1"),
             key(14, k, KICK_DOORWAY, Z_KICK_FRONT, False, "kick1"),
             key(16, k, KICK_DOORWAY, Z_KICK_FRONT, True, "kick1"),
             key(19, k, (150, 60), Z_KICK_FRONT, True, "kick2"),
             key(23, k, (190, 40), Z_KICK_FRONT, True, "kick1"),
             key(27, k, (250, 22), Z_KICK_FRONT, True, "kick2"),
             key(30, k, KICK_HOVER, Z_KICK_FRONT, True, "kick4"),
             key(33, k, KICK_HOVER, Z_KICK_FRONT, True, "kick1")]
    return {"name": "getout", "frameLength": 110, "lastFrame": 33,
            "items": ["deur1", "deur2", "Ship-Inside", "Zibolt", "Sidekick"], "keyFrames": keys}

def getin():
    keys = [key(1, "Ship-Inside", (0, 0), 0, True)]
    keys += [key(1, "deur1", HATCH, Z_DOORWAY, False), key(6, "deur1", HATCH, Z_DOORWAY, True),
             key(20, "deur1", HATCH, Z_DOORWAY, True), key(21, "deur1", HATCH, Z_DOORWAY, False)]
    keys += [key(1, "deur2", HATCH, Z_LEAF, False), key(6, "deur2", HATCH, Z_LEAF, True),
             key(9, "deur2", HATCH_OPEN, Z_LEAF, True), key(17, "deur2", HATCH_OPEN, Z_LEAF, True),
             key(20, "deur2", HATCH, Z_LEAF, True), key(21, "deur2", HATCH, Z_LEAF, False)]
    z = "Zibolt"
    keys.append(key(1, z, STAGE_SPOT, Z_FRONT, True, "stand1"))
    for i, f in enumerate(range(2, 9)):     # walk back to the ladder
        x = STAGE_SPOT[0] - (STAGE_SPOT[0] - 106) * (i + 1) / 7
        keys.append(key(f, z, (round(x), ON_GROUND_Y), Z_FRONT, True, f"walk{i % 4 + 1}"))
    for i, f in enumerate(range(9, 15)):    # up the ladder
        y = ON_GROUND_Y - (ON_GROUND_Y - IN_DOORWAY[1]) * i / 6
        keys.append(key(f, z, (106, round(y)), Z_FRONT, True, "climb1" if i % 2 == 0 else "climb2"))
    keys += [key(15, z, IN_DOORWAY, Z_FRONT, True, "duck1"),
             key(16, z, IN_DOORWAY, Z_FRONT, False, "duck1"),
             key(17, z, IN_DOORWAY, Z_BEHIND, False, "duck1"),
             key(19, z, IN_DOORWAY, Z_BEHIND, True, "duck1"),
             key(20, z, (95, 24), Z_BEHIND, True, "walk3"),
             key(21, z, (84, 4), Z_BEHIND, True, "walk2"),
             key(22, z, (72, -16), Z_BEHIND, True, "walk1"),
             key(23, z, UP_IN_WINDOW, Z_BEHIND, True, "stand1"),
             key(25, z, UP_IN_WINDOW, Z_BEHIND, True, "stand2"),
             key(26, z, SEATED_XY, Z_BEHIND, True, "s_l90"),
             key(28, z, SEATED_XY, Z_BEHIND, True, "s_l90")]
    k = "Sidekick"
    keys += [key(1, k, KICK_HOVER, Z_KICK_FRONT, True, "kick1"),
             key(5, k, (250, 30), Z_KICK_FRONT, True, "kick2"),
             key(10, k, (190, 50), Z_KICK_FRONT, True, "kick1"),
             key(13, k, KICK_DOORWAY, Z_KICK_FRONT, True, "kick2"),
             key(14, k, KICK_DOORWAY, Z_KICK_FRONT, False, "kick1"),
             key(28, k, KICK_DOORWAY, Z_KICK_FRONT, False, "kick1")]
    return {"name": "getin", "frameLength": 120, "lastFrame": 28,
            "items": ["deur1", "deur2", "Ship-Inside", "Zibolt", "Sidekick"], "keyFrames": keys}

SOUNDS = [{"name": f"zibo{i}", "file": f"sounds/zibo{i}.wav"} for i in range(1, 11)] + \
         [{"name": f"motor{i}", "file": f"sounds/motor{i}.wav"} for i in range(1, 4)] + \
         [{"name": n, "file": f"sounds/{n}.wav"} for n in ("chime", "party", "splash", "beeps", "bloom", "yawn",
                                                          "ding", "twinkle", "whoosh", "poof", "hic", "snore", "click",
                                                          "fizz", "boing", "spout", "buzz", "squeak")]

def main():
    manifest = {
        "palette": "palette/master.txt",
        "keyIndices": {"black": 0, "white": 31, "green": 32, "blue": 33, "greyRamp": [0, 31]},
        "sources": [{"id": i, "svg": s, "width": w, "height": h} for i, s, w, h in SOURCES + scene_art.SOURCES],
        "pictures": PICTURES + scene_art.PICTURES,
        "skins": SKINS,
        "sprites": [
            {"name": "Zibolt", "curFrameName": "s_l90", "frames": hero_frames(), "sequences": HERO_SEQUENCES},
            {"name": "Ship-Engine", "curFrameName": "on1a",
             "frames": [image(n, f"art/bmp/Ship-Engine/{n}.bmp", "engine", (x, y, w, h), hot=(w / 2, 0))
                        for n, x, y, w, h in ENGINE],
             "sequences": ENGINE_SEQUENCES},
            SIDEKICK,
        ] + [star_sprite(n) for n in range(1, 8)] + scene_art.SPRITES,
        "directors": [getout(), getin()],
        "sounds": SOUNDS,
    }
    text = json.dumps(manifest, indent=2)
    # Short lists of numbers and strings on one line: rects, hot spots, steps.
    text = re.sub(r"\[\s+([^\[\]{}]*?)\s+\]", lambda m: "[" + re.sub(r"\s*\n\s*", " ", m.group(1)) + "]", text)
    # One key frame per line.
    text = re.sub(r"\{\s+(\"frame\"[^{}]*?)\s+\}", lambda m: "{" + re.sub(r"\s*\n\s*", " ", m.group(1)) + "}", text)
    with open("manifest.json", "w") as f:
        f.write(text + "\n")

if __name__ == "__main__":
    main()
