#!/usr/bin/env python3
"""Writes the JSON sources of the scene files (one <Name>.json per scene) from the art manifest
and the timelines below. The build turns each into <Name>.vcs with `vcs build`; run this again
after changing the art manifest or a scene here. Usage:

    assets/scenes/make-scenes.py [MANIFEST] [OUTDIR]

Coordinates: a planet scene's directors carry a "Pijl" item at (0, 0, 0), which the show puts
at the bottom centre of the stage (W/2, H - 41) at depth -1; the hero, out of the ship,
stands with his top-left at (-84, -139) from there and his feet on y -29. A meeting's directors
are placed at the ship's anchor (plus the header's offset); a director with an "Inside" item
has it laid on the ship's cabin, whose top-left is (anchor x - 110, anchor y - 159).
"""
import importlib
import json
import os
import sys

import stories

from scenekit import (HERE, ASSETS, HERO_SEAT, Art, Timeline, cabin, cabin_listening, cabin_talking, conversation, ground_props, pilot_frames,
                      scene_file, seated, sky_items, speaker, text)

# --- Bloop: the jelly planet (planet scene) ----------------------------------------------------
BLOB_SPOTS = {"BlobA": (30, -92), "BlobB": (100, -92), "BlobC": (170, -92)}
TALKER = "BlobB"
# The talker's head, relative to the "Talking" director: where its balloons point.
BLOB_TIP = "(132,-80)"


def blob_before(art, records):
    t = Timeline("Before", 200, 52)
    t.mark("Pijl")
    records += ground_props(art, t, [("Bloop-Mushroom", "Mush1", -450), ("Bloop-Mushroom2", "Mush2", 300),
                                     ("Bloop-Mushroom", "Mush3", 470), ("Bloop-Mushroom2", "Mush4", -620),
                                     ("Bloop-Mushroom", "Mush5", -900), ("Bloop-Mushroom2", "Mush6", 760),
                                     ("Bloop-Mushroom", "Mush7", 1100), ("Bloop-Mushroom2", "Mush8", -1300),
                                     ("Bloop-Mushroom", "Mush9", 1500), ("Bloop-Mushroom", "Mush10", -1650)])
    # They hop in from the right while the ship comes down, and watch it land.
    for i, (name, (x, y)) in enumerate(BLOB_SPOTS.items()):
        start = 400 + i * 60
        hops = 8
        for h in range(hops + 1):
            f = 1 + h * 2 + i
            px = start + (x - start) * h / hops
            t.pose(f, name, "blob_squash" if h % 2 == 0 else "blob_jump", round(px), y if h % 2 == 0 else y - 6)
        f = 1 + hops * 2 + i + 2
        t.pose(f, name, "blob_idle", x, y)
        for g in range(f + 5 + i * 3, 50, 9):
            t.pose(g, name, "blob_blink", x, y)
            t.pose(g + 1, name, "blob_idle", x, y)
        t.pose(52, name, "blob_idle", x, y)
    # The landing: everyone jumps for joy.
    return t


def blob_talking():
    t = Timeline("Talking", 150, 16)
    t.mark("Pijl")
    x, y = BLOB_SPOTS[TALKER]
    for f in range(1, 16):
        t.pose(f, TALKER, "blob_talk" if f % 2 else ("blob_squash" if f % 4 == 0 else "blob_idle"), x, y)
    t.pose(16, TALKER, "blob_idle", x, y)
    return t


def blob_not_talking():
    t = Timeline("NotTalking", 200, 20)
    t.mark("Pijl")
    x, y = BLOB_SPOTS[TALKER]
    t.pose(1, TALKER, "blob_idle", x, y)
    t.pose(8, TALKER, "blob_blink", x, y)
    t.pose(9, TALKER, "blob_idle", x, y)
    t.pose(14, TALKER, "blob_squash", x, y)
    t.pose(16, TALKER, "blob_idle", x, y)
    t.pose(20, TALKER, "blob_idle", x, y)
    return t


def blob_playing():
    t = Timeline("Playing", 200, 40)
    t.mark("Pijl")
    # The hero sings; his position stays where he stands.
    for f in range(1, 40, 2):
        t.key(f, "Zibolt", CurFrameName="sing1" if (f // 2) % 2 == 0 else "sing2")
    t.key(40, "Zibolt", CurFrameName="mic3")
    # The audience bounces to the beat, each one a beat after the other, and claps at the end.
    for i, (name, (x, y)) in enumerate(BLOB_SPOTS.items()):
        for f in range(1, 33):
            phase = (f + i) % 3
            pose = ("blob_jump", "blob_squash", "blob_idle")[phase]
            t.pose(f, name, pose, x, y - 8 if pose == "blob_jump" else y)
        for f in range(33, 41):
            t.pose(f, name, "blob_clap" if f % 2 else "blob_idle", x, y)
    return t


def blob_after():
    t = Timeline("After", 200, 80)
    t.mark("Pijl")
    # The two listeners clap, calm down and wave the ship goodbye; the talker is left to the
    # talk directors.
    for name in ("BlobA", "BlobC"):
        x, y = BLOB_SPOTS[name]
        for f in range(1, 16):
            t.pose(f, name, "blob_clap" if f % 2 else "blob_squash", x, y)
        t.pose(16, name, "blob_idle", x, y)
        t.pose(30 if name == "BlobA" else 36, name, "blob_blink", x, y)
        t.pose(31 if name == "BlobA" else 37, name, "blob_idle", x, y)
        for f in range(56, 80):
            t.pose(f, name, "blob_jump" if f % 2 else "blob_clap", x, y - 8 if f % 2 else y)
        t.pose(80, name, "blob_idle", x, y)
    return t


def bloop_texts():
    blob = speaker(BLOB_TIP)
    return [
        text("Intro1", conversation("Hello, Bloop!", blob("Blub blub! A visitor!"),
                                    blob("Are you a singer?"), ["I sure am!", "Here's my wobbly song!"])),
        text("Exit1", conversation(blob("Again! Again!"), "Next time, I promise!", blob("Blub! Bye, Zibolt!"))),
        text("Intro2", conversation("Hi again, jelly friends!", blob("You're back! Blub!"),
                                    blob("Did you bring snacks?"), "No, but I brought a song!")),
        text("Exit2", conversation(blob("That song was jiggly!"), "You jiggled great too!")),
        text("Intro3", conversation("Knock knock!", blob("Who's there?"), "Zibolt!", blob("Zibolt who?"),
                                    "Zibolt who sings! Ready?")),
        text("Exit3", conversation(blob("Blub blub blub!"), "I'll take that as a yes!")),
    ]


def bloop(art):
    header = ["Type=VPlanetScene", "Frequency=40", "Intro=Intro1,Intro2,Intro3", "Exit=Exit1,Exit2,Exit3",
              "PlayingSound=boing"]
    records = [art.picture("Bloop-Sky", "Sky"), art.picture("Bloop-Planet", "Planet")]
    records += sky_items(art, [("Bloop-Moon", "Moon", 560, 60), ("Bloop-Ringed", "Ringed", 60, 90),
                               ("Bloop-Stars", "Stars1", 180, 20), ("Bloop-Stars", "Stars2", 380, 200),
                               ("Bloop-Stars", "Stars3", 10, 260), ("Bloop-Stars", "Stars4", 620, 280)])
    records += [art.sprite("Bloop-Blob" + c, "Blob" + c) for c in "ABC"]
    before = blob_before(art, records)
    records += [t.record() for t in (before, blob_talking(), blob_not_talking(), blob_playing(), blob_after())]
    records += bloop_texts()
    return scene_file(header, records)


# --- Fizz: the soda planet, whose volcano performs while the hero hides (planet scene) ---------
VOLCANO = (40, -170)
VOLCANO_TIP = "(120,-140)"
CRATER = (100, -150)    # where bubbles leave the volcano, for a 40 x 40 bubble


def volcano_idle(t, frames, blink_every=11, puff_every=None):
    x, y = VOLCANO
    t.pose(1, "Fizzuvius", "volcano_idle", x, y)
    for f in range(blink_every, frames, blink_every):
        t.pose(f, "Fizzuvius", "volcano_blink", x, y)
        t.pose(f + 1, "Fizzuvius", "volcano_idle", x, y)
    if puff_every:
        # Puffs on frames of their own, clear of the blinks.
        for f in range(puff_every, frames - 2, puff_every):
            if not any(k[0] in (f, f + 2) and k[1] == "Fizzuvius" for k in t.keys):
                t.pose(f, "Fizzuvius", "volcano_puff", x, y)
                t.pose(f + 2, "Fizzuvius", "volcano_idle", x, y)
    t.pose(frames, "Fizzuvius", "volcano_idle", x, y)
    t.keys.sort(key=lambda k: k[0])


def hidden_bubbles(t, frames):
    for i in (1, 2, 3):
        t.pose(1, f"Bubble{i}", "bubble_pink", *CRATER, visible=False)
        t.pose(frames, f"Bubble{i}", "bubble_pink", *CRATER, visible=False)


def fizz_before(art, records):
    t = Timeline("Before", 200, 52)
    t.mark("Pijl")
    records += ground_props(art, t, [("Fizz-Lolly1", "Lolly1", -440), ("Fizz-Lolly2", "Lolly2", 330),
                                     ("Fizz-Lolly3", "Lolly3", 520), ("Fizz-Lolly4", "Lolly4", -580),
                                     ("Fizz-Lolly2", "Lolly5", -820), ("Fizz-Lolly1", "Lolly6", 760),
                                     ("Fizz-Lolly3", "Lolly7", -1100), ("Fizz-Lolly4", "Lolly8", 1050),
                                     ("Fizz-Lolly1", "Lolly9", 1400), ("Fizz-Lolly2", "Lolly10", -1450)])
    volcano_idle(t, 52, blink_every=9, puff_every=16)
    hidden_bubbles(t, 52)
    return t


def fizz_talking():
    t = Timeline("Talking", 150, 16)
    t.mark("Pijl")
    x, y = VOLCANO
    for f in range(1, 16):
        t.pose(f, "Fizzuvius", "volcano_talk" if f % 2 else "volcano_idle", x, y)
    t.pose(16, "Fizzuvius", "volcano_idle", x, y)
    return t


def fizz_not_talking():
    t = Timeline("NotTalking", 200, 20)
    t.mark("Pijl")
    volcano_idle(t, 20, blink_every=8)
    return t


def fizz_playing():
    t = Timeline("Playing", 150, 50)
    t.mark("Pijl")
    x, y = VOLCANO
    for f in range(1, 45):
        t.pose(f, "Fizzuvius", ("volcano_puff", "volcano_boom", "volcano_boom", "volcano_puff")[(f - 1) % 4], x, y - (4 if f % 2 else 0))
    t.pose(45, "Fizzuvius", "volcano_happy", x, y)
    t.pose(50, "Fizzuvius", "volcano_happy", x, y)
    # Three bubbles, one after the other, rise from the crater, drift and pop; twice over.
    drifts = {1: (-150, -330), 2: (60, -380), 3: (170, -300)}
    for i, (dx, dy) in drifts.items():
        name = f"Bubble{i}"
        kind = "bubble_pink" if i % 2 else "bubble_blue"
        if i > 1:
            t.pose(1, name, kind, *CRATER, visible=False)
        for start in (1 + (i - 1) * 5, 22 + (i - 1) * 5):
            cx, cy = CRATER
            t.pose(start, name, kind, cx, cy, visible=True)
            t.pose(start + 12, name, kind, cx + dx, cy + dy, visible=True)
            t.pose(start + 13, name, "bubble_pop", cx + dx, cy + dy, visible=True)
            t.pose(start + 15, name, "bubble_pop", cx + dx, cy + dy, visible=False)
            t.pose(start + 16, name, kind, cx, cy, visible=False)
        t.pose(50, name, kind, *CRATER, visible=False)
    t.keys.sort(key=lambda k: k[0])
    return t


def fizz_after():
    t = Timeline("After", 200, 60)
    t.mark("Pijl")
    x, y = VOLCANO
    for f in range(1, 12, 2):
        t.pose(f, "Fizzuvius", "volcano_happy", x, y)
        t.pose(f + 1, "Fizzuvius", "volcano_idle", x, y - 3)
    t.pose(13, "Fizzuvius", "volcano_idle", x, y)
    t.pose(30, "Fizzuvius", "volcano_blink", x, y)
    t.pose(31, "Fizzuvius", "volcano_idle", x, y)
    t.pose(50, "Fizzuvius", "volcano_puff", x, y)
    t.pose(52, "Fizzuvius", "volcano_happy", x, y)
    t.pose(60, "Fizzuvius", "volcano_happy", x, y)
    hidden_bubbles(t, 60)
    return t


def fizz_texts():
    volcano = speaker(VOLCANO_TIP)
    return [
        text("Intro1", conversation(["Hello? Is this", "mountain awake?"], volcano(["I'm Fizzuvius!", "The fizziest volcano!"]),
                                    "Can you do a trick?", volcano(["Stand back...", "here comes a big one!"]))),
        text("Exit1", conversation(volcano("Ahh. Pardon me!"), "Wow! Bubbles everywhere!",
                                   volcano(["Come back when", "I'm fizzy again!"]))),
        text("Intro2", conversation("Hi, Fizzuvius!", volcano(["Zibolt! I just drank", "a whole soda sea!"]),
                                    "Uh oh. Should I hide?", volcano("Yes! Quickly!"))),
        text("Exit2", conversation("That was a BIG one!", volcano(["Sorry!", "Soda does that to me."]))),
        text("Intro3", conversation("Fizzuvius, you look pale.", volcano(["I swallowed", "a mint. Uh oh."]),
                                    "Everybody duck!")),
        text("Exit3", conversation(volcano("Minty fresh!"), ["Your breath smells", "like a toothpaste sea!"])),
    ]


def fizz(art):
    header = ["Type=VPlanetScene", "Frequency=30", "HideZibo=True", "PreferredNextScene=Voyage.vcs", "PlayingSound=fizz",
              "Intro=Intro1,Intro2,Intro3", "Exit=Exit1,Exit2,Exit3"]
    records = [art.picture("Fizz-Sky", "Sky"), art.picture("Fizz-Planet", "Planet"), art.sprite("Fizzuvius")]
    records += sky_items(art, [("Fizz-Sun", "Sun", 130, 70), ("Fizz-Sun2", "Sun2", 250, 40),
                               ("Fizz-Floss1", "Floss1", 440, 90), ("Fizz-Floss2", "Floss2", 620, 170),
                               ("Fizz-Floss1", "Floss3", 40, 230), ("Fizz-Floss2", "Floss4", 500, 280)])
    records += [art.sprite("Fizz-Bubble", f"Bubble{i}") for i in (1, 2, 3)]
    before = fizz_before(art, records)
    records += [t.record() for t in (before, fizz_talking(), fizz_not_talking(), fizz_playing(), fizz_after())]
    records += fizz_texts()
    return scene_file(header, records)


# --- Posty: the postal whale (meeting scene) ---------------------------------------------------
WHALE = (-300, -190)
WHALE_TIP = "(-165,-150)"


def posty_move_in():
    t = Timeline("MoveIn", 120, 40)
    x, y = WHALE
    for f in range(1, 41, 2):
        t.pose(f, "Posty", "swim1" if (f // 2) % 2 == 0 else "swim2", x, y + (4 if (f // 2) % 2 else 0))
    t.pose(40, "Posty", "swim1", x, y)
    return t


def posty_talking():
    t = Timeline("Talking", 150, 16)
    x, y = WHALE
    for f in range(1, 16):
        t.pose(f, "Posty", "talk" if f % 2 else "swim1", x, y)
    t.pose(16, "Posty", "swim1", x, y)
    return t


def posty_not_talking():
    t = Timeline("NotTalking", 250, 20)
    x, y = WHALE
    for f, pose in ((1, "swim1"), (5, "swim2"), (9, "swim1"), (12, "blink"), (13, "swim1"), (17, "swim2"), (20, "swim1")):
        t.pose(f, "Posty", pose, x, y)
    return t


def posty_playing():
    t = Timeline("Playing", 150, 32)
    x, y = WHALE
    # A fountain of stars, bobbing up and down with every puff.
    for f in range(1, 29):
        pose = ("blow1", "blow2", "blow2", "blow1")[(f - 1) % 4]
        t.pose(f, "Posty", pose, x, y - (14 if pose == "blow2" else 0))
    t.pose(29, "Posty", "blink", x, y)
    t.pose(32, "Posty", "swim1", x, y)
    return t


def posty_move_out():
    t = Timeline("MoveOut", 100, 20)
    x, y = WHALE
    # The director itself moves right; the whale catches up with it so that it is off the
    # stage by the time the director is.
    for f in range(1, 13):
        t.pose(f, "Posty", "swim1" if (f // 2) % 2 == 0 else "swim2", round(x + (40 - x) * (f - 1) / 11), y)
    t.pose(20, "Posty", "swim1", 40, y)
    return t


def posty_texts():
    whale = speaker(WHALE_TIP)
    return [
        text("Intro1", conversation(whale("Special delivery!"), "For me? Wow!",
                                    whale(["Sign here, please.", "With a fin."]), "I don't have fins!",
                                    whale("Then wiggle an antenna."))),
        text("Exit1", conversation(whale("Here you go!"), ["It's an invitation", "from Planet Bloop!"],
                                   whale("Splash you later!"))),
        text("Intro2", conversation(whale("Mail call! Mail call!"), "Hi Posty! Anything for me?",
                                    whale("A letter from Grandma!"))),
        text("Exit2", conversation(whale("She says: wear your scarf!"), "I always do!", whale("Bye-bye, Zibolt!"))),
    ]


def posty(art):
    header = ["Type=VMeetingScene", "Frequency=30", "PreferredNextScene=Bloop.vcs", "XPos=0", "YPos=0",
              "ZPos=60", "Speed=8", "MirrorZibo=True", "PlayingSound=spout", "Intro=Intro1,Intro2", "Exit=Exit1,Exit2"]
    records = [art.sprite("Posty"), art.sprite("Posty-Mail", "VMAIL")]
    records += [t.record() for t in (posty_move_in(), posty_talking(), posty_not_talking(), posty_playing(),
                                     posty_move_out())]
    records += posty_texts()
    return scene_file(header, records)


# --- Nib: a stowaway mouse, met inside the ship (meeting scene) --------------------------------
# Every position here is from the cabin's top-left: the "Playing" director's "Inside" item lies
# on the ship's cabin, and the others are moved to the same place. Depths are from the ship's:
# the cabin and everything in it behind the body, seen through the window.
NIB_SPOT = (140, -2)
NIB_TIP = "(168,-6)"


def nib_move_in():
    t = Timeline("MoveIn", 100, 40)
    # Flies in from the left, in front of the hull, and slips in through the dome.
    for f in range(1, 41):
        t.pose(f, "Nib", "fly1" if f % 2 else "fly2", NIB_SPOT[0], NIB_SPOT[1] + (3 if f % 4 < 2 else 0), -10)
    return t


def nib_playing():
    t = Timeline("Playing", 200, 32)
    t.key(1, "Inside", XPos=0, YPos=0, ZPos=40, Visible=True)
    t.key(32, "Inside", XPos=0, YPos=0, ZPos=40, Visible=True)
    seated(t, [(1, "s_l135"), (10, "sit_talk1"), (11, "sit_talk2"), (12, "sit_talk1"), (13, "s_l135"),
               (24, "sit_talk1"), (25, "sit_talk2"), (26, "sit_talk1"), (27, "s_l135"), (32, "s_l90")])
    # A space dance along the console and back.
    for f in range(1, 32):
        x = NIB_SPOT[0] - 50 * (1 - abs((f - 16) / 15))
        t.pose(f, "Nib", "dance1" if (f // 2) % 2 else "dance2", round(x), NIB_SPOT[1] - (6 if f % 2 else 0), 10)
    t.pose(32, "Nib", "fly2", *NIB_SPOT, 10)
    return t


def nib_texts():
    nib = speaker(NIB_TIP)
    return [
        text("Intro1", conversation(nib("Psst! Over here!"), "A mouse? In my ship?",
                                    nib(["I'm Nib! I came", "aboard at the moon."]), "Did you eat my snacks?",
                                    nib("Only the cheesy ones!"))),
        text("Exit1", conversation(nib(["Here's a present:", "moon cheese!"]), ["Thanks, Nib!", "Stay as long as you like!"])),
        text("Intro2", conversation(nib("Knock knock! It's Nib!"), "Hi Nib! How's the cabin?",
                                    nib(["Cosy! Watch my", "space dance!"]))),
        text("Exit2", conversation("Great dancing!", nib(["I'll leave you", "a snack!"]))),
    ]


def nib(art):
    header = ["Type=VMeetingScene", "Frequency=25", "Speed=10", "Intro=Intro1,Intro2", "Exit=Exit1,Exit2",
              "PreferredNextScene=Mitzi.vcs", "PlayingSound=squeak"]
    records = [art.picture("Ship-Inside", "Inside"),
               art.sprite("Zibolt", "Zibo", frames=pilot_frames(art), sequences=[]),
               art.sprite("Nib"), art.sprite("Nib-Mail", "VMAIL")]
    records += [t.record() for t in (nib_move_in(), cabin_talking("Nib", NIB_SPOT, "talk", "fly2"), cabin_listening("Nib", NIB_SPOT, "fly2", "blink"), nib_playing())]
    records += nib_texts()
    return scene_file(header, records)


# --- the float library -------------------------------------------------------------------------
def floats(art):
    header = ["Type=VFloatLib"]
    records = [art.sprite("Float-" + n, n, at=(0, 0, 400)) for n in ("Ringo", "Comet", "Satellite", "Moon")]
    return scene_file(header, records)


# --- Voyage: through the rocks past a giant (moving scene) -------------------------------------
# x, y (pixels from the stage centre at that depth), depth; 100 is natural size.
VOYAGE_PATH = [(-330, -160, 420), (-120, -70, 300), (150, 30, 170), (90, 110, 100), (-180, 70, 125),
               (-60, -110, 240), (260, -190, 460)]


def voyage(art):
    path = "|".join("%d,%d,%d" % p for p in VOYAGE_PATH)
    header = ["Type=VMovingScene", "Frequency=25", "Path=" + path, "Speed=32", "PlayingSound=whoosh"]
    sky = [("Voyage-Giant", "Giant", (540, 40, 900)), ("Voyage-Cluster", "Cluster1", (40, 30, 950)),
           ("Voyage-Cluster", "Cluster2", (430, 400, 950)), ("Voyage-Rock1", "Rock1", (170, 430, 160)),
           ("Voyage-Rock2", "Rock2", (660, 470, 220)), ("Voyage-Rock1", "Rock3", (330, 110, 350)),
           ("Voyage-Rock2", "Rock4", (90, 250, 130)), ("Voyage-Sign", "Signpost", (720, 300, 280)),
           ("Voyage-Cluster", "Cluster3", (590, 250, 950)), ("Voyage-Cluster", "Cluster4", (180, 500, 950)),
           ("Voyage-Rock1", "Rock5", (480, 200, 420)), ("Voyage-Rock2", "Rock6", (250, 330, 600))]
    records = [art.picture(a, n, at=at, sky=True) for a, n, at in sky]
    # Two old friends from the float library watch from afar.
    records.append(art.picture("Voyage-Rock1", "Moon", at=(70, 380, 700), sky=True, file="art/bmp/Scenes/Floats/moon3.bmp"))
    records.append(art.picture("Voyage-Rock1", "Ringo", at=(330, 40, 800), sky=True, file="art/bmp/Scenes/Floats/ringo1.bmp"))
    return scene_file(header, records)


# --- Buzz: a fly in the cabin (in-ship scene) ---------------------------------------------------
def buzz_director():
    t = Timeline("Scene", 100, 120)
    t.key(1, "Inside", XPos=0, YPos=0, ZPos=0, Visible=True)
    t.key(120, "Inside", XPos=0, YPos=0, ZPos=0, Visible=True)
    sx, sy = HERO_SEAT
    pilot = [(1, "s_l90"), (14, "s_l135"), (22, "s_l90"), (28, "s_l135"), (36, "sit_listen1"),
             (44, "sit_listen2"), (52, "sit_listen1"), (58, "sit_talk1"), (60, "sit_talk2"), (62, "sit_talk1"),
             (64, "sit_talk2"), (66, "sit_talk1"), (68, "s_l135"), (84, "sit_talk1"), (86, "sit_talk2"),
             (88, "sit_talk1"), (90, "sit_talk2"), (92, "s_l90"), (104, "sit_talk1"), (106, "sit_talk2"),
             (108, "s_l90"), (120, "s_l90")]
    for f, cur in pilot:
        jitter = 2 if cur.startswith("sit_talk") and 58 <= f <= 66 else 0
        t.pose(f, "Pilot", cur, sx + (jitter if f % 4 else -jitter), sy, -20)
    # The fly: in from the left, round the dome, onto the pilot's head, chased off.
    fly = [(1, -50, 20, False), (10, -50, 20, False), (11, 6, 22, True), (16, 56, -24, True), (21, 116, 12, True),
           (26, 156, -28, True), (31, 92, -10, True), (36, 90, -28, True), (56, 90, -28, True),
           (70, 90, -28, True), (76, 56, -34, True), (82, -4, 6, True), (86, -60, 16, True), (87, -60, 16, False),
           (120, -60, 16, False)]
    # A key frame on every frame, so the wings flap all the way.
    for (f0, x0, y0, v0), (f1, x1, y1, _) in zip(fly, fly[1:] + [fly[-1]]):
        for f in range(f0, max(f1, f0 + 1)):
            u = (f - f0) / (f1 - f0) if f1 > f0 else 0
            sitting = 36 <= f <= 70
            cur = "buzz3" if f >= 76 else ("buzz1" if sitting or f % 2 else "buzz2")
            t.pose(f, "Buzz", cur, round(x0 + (x1 - x0) * u), round(y0 + (y1 - y0) * u), -30, v0)
    # The sidekick pops up from under the console, shoos it away and sinks back down.
    kick = [(1, 140, 90, "kick1", False), (66, 140, 90, "kick1", False), (67, 140, 90, "kick1", True),
            (72, 130, -26, "kick4", True), (80, 110, -20, "kick4", True), (94, 130, -16, "kick1", True),
            (100, 130, -16, "kick4", True), (106, 140, 0, "kick2", True), (114, 150, 90, "kick1", True),
            (115, 150, 90, "kick1", False), (120, 150, 90, "kick1", False)]
    for f, x, y, cur, visible in kick:
        t.pose(f, "Sidekick", cur, x, y, -25, visible)
    return t


def buzz(art):
    header = ["Type=VInShipScene", "Frequency=25", "PlayingSound=buzz"]
    records = [art.picture("Ship-Inside", "Inside"), art.sprite("Zibolt", "Pilot", frames=pilot_frames(art), sequences=[]),
               art.sprite("Buzz"), buzz_director().record()]
    return scene_file(header, records)


SCENES = {"Bloop": bloop, "Fizz": fizz, "Posty": posty, "Nib": nib, "Floats": floats, "Voyage": voyage,
          "Buzz": buzz}


# The second batch: one module per scene in stories/, each with NAME and make(art).
for _module in stories.MODULES:
    _story = importlib.import_module(f"stories.{_module}")
    SCENES[_story.NAME] = _story.make


def main():
    manifest_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ASSETS, "art/manifest.json")
    out_dir = sys.argv[2] if len(sys.argv) > 2 else HERE
    with open(manifest_path) as f:
        art = Art(json.load(f))
    for name, make in SCENES.items():
        source = make(art)
        path = os.path.join(out_dir, name + ".json")
        with open(path, "w") as f:
            f.write("// Generated by make-scenes.py; edit that, not this.\n")
            f.write(json.dumps(source, indent=1) + "\n")
        print("%s: %d records" % (path, len(source["records"])))


if __name__ == "__main__":
    main()
