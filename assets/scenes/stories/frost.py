"""Frost: an ice planet under an aurora. Three Snowpuffs slide in on the ice to meet the hero,
spin and hop while he sings a warm song, and snowflakes fall."""
from scenekit import (Timeline, conversation, ground_props, hero_sings, listen_director, on_ground, planet_header,
                      scene_file, sky_items, speaker, talk_director, visits)

NAME = "Frost"
PUFFS = ["PuffA", "PuffB", "PuffC"]
TALKER = "PuffB"


def spots(art):
    y = on_ground(art, "Frost-PuffA")
    return {name: (30 + 66 * i, y) for i, name in enumerate(PUFFS)}


def before(art, spot, records):
    t = Timeline("Before", 200, 52)
    t.mark("Pijl")
    records += ground_props(art, t, [("Frost-Pine", "Pine1", -470), ("Frost-Crystals", "Ice1", 330),
                                     ("Frost-Snowman", "Snowman", 440), ("Frost-Pine", "Pine2", 560),
                                     ("Frost-Crystals", "Ice2", -600), ("Frost-Pine", "Pine3", -820),
                                     ("Frost-Snowman", "Snowman2", -1150), ("Frost-Pine", "Pine4", 900),
                                     ("Frost-Crystals", "Ice3", 1250), ("Frost-Pine", "Pine5", -1500),
                                     ("Frost-Pine", "Pine6", 1600)])
    # They slide in on the ice from the right, one after the other, and watch the landing.
    for i, name in enumerate(PUFFS):
        x, y = spot[name]
        start = 14 + i * 4
        t.pose(1, name, "puff_slide", 420 + i * 80, y, visible=False)
        t.pose(start, name, "puff_slide", 420 + i * 80, y)
        t.pose(start + 8, name, "puff_slide", x, y)
        t.pose(start + 9, name, "puff_idle", x, y)
        t.pose(start + 16 + i * 3, name, "puff_blink", x, y)
        t.pose(start + 17 + i * 3, name, "puff_idle", x, y)
        t.pose(52, name, "puff_idle", x, y)
    return t


def playing(spot):
    t = Timeline("Playing", 200, 44)
    t.mark("Pijl")
    hero_sings(t, 44)
    ax, ay = spot["PuffA"]
    bx, by = spot["PuffB"]
    cx, cy = spot["PuffC"]
    # A slides away and back, B hops to the beat, C spins on the spot.
    for f in range(1, 45):
        u = abs(((f - 1) % 16) - 8) / 8
        t.pose(f, "PuffA", "puff_slide" if f < 41 else "puff_happy", round(ax + 40 - 40 * u) if f < 41 else ax, ay)
        jump = f % 4 in (1, 2) and f < 41
        t.pose(f, "PuffB", "puff_jump" if jump else ("puff_happy" if f >= 41 else "puff_idle"), bx, by - (10 if jump else 0))
        t.pose(f, "PuffC", ("puff_slide", "puff_happy", "puff_idle", "puff_blink")[f % 4] if f < 41 else "puff_happy", cx, cy)
    # Snowflakes drift down over the singer and the dancers.
    for i, (x0, start) in enumerate(((-60, 3), (60, 9), (170, 15), (-20, 21), (120, 27))):
        name = f"Flake{i % 3 + 1}"
        top, bottom = -430, -60
        if i < 3:
            t.pose(1, name, "flake1", x0, top, visible=False)
        t.pose(start, name, "flake1", x0, top)
        t.pose(start + 14, name, "flake2", x0 + 30, bottom)
        t.pose(start + 15, name, "flake1", x0 + 30, bottom, visible=False)
    for i in range(3):
        t.pose(44, f"Flake{i + 1}", "flake1", 0, -430, visible=False)
    t.keys.sort(key=lambda k: k[0])
    return t


def after(spot):
    t = Timeline("After", 200, 60)
    t.mark("Pijl")
    for name in ("PuffA", "PuffC"):
        x, y = spot[name]
        for f in range(1, 13):
            t.pose(f, name, "puff_jump" if f % 2 else "puff_happy", x, y - (8 if f % 2 else 0))
        t.pose(13, name, "puff_idle", x, y)
        t.pose(30 if name == "PuffA" else 38, name, "puff_blink", x, y)
        t.pose(31 if name == "PuffA" else 39, name, "puff_idle", x, y)
        for f in range(46, 60):
            t.pose(f, name, "puff_happy" if f % 2 else "puff_idle", x, y)
        t.pose(60, name, "puff_idle", x, y)
    return t


def texts(spot):
    x, y = spot[TALKER]
    puff = speaker(f"({x + 30},{y + 14})")
    return visits(
        (conversation("Brrr! Hello, Frost!", puff("Hi! Want a snow cone?"), "Maybe after my song!",
                      puff("Sing a warm one, please!")),
         conversation(puff("Our toes are toasty now!"), "You have toes?", puff("Somewhere. Bye!"))),
        (conversation("Hi, snow friends!", puff(["Zibolt! Is it", "summer already?"]), ["It's a song.", "Close enough!"]),
         conversation(puff("Brr-avo! Brr-avo!"), "Stay cool, everyone!")),
        (conversation("Why so chilly, guys?", puff("We're ice-olated!"), "Let's melt the mood!"),
         conversation(puff("You're pretty cool!"), "Snow problem!")))


def make(art):
    spot = spots(art)
    records = [art.picture("Frost-Sky", "Sky"), art.picture("Frost-Planet", "Planet")]
    records += sky_items(art, [("Frost-Sun", "Sun", 600, 60), ("Frost-Moon", "Moon", 120, 90),
                               ("Frost-Cloud1", "Cloud1", 300, 150), ("Frost-Cloud2", "Cloud2", 40, 250),
                               ("Frost-Cloud2", "Cloud3", 690, 230)])
    records += [art.sprite(f"Frost-{name}", name) for name in PUFFS]
    records += [art.sprite("Frost-Flake", f"Flake{i}") for i in (1, 2, 3)]
    directors = [before(art, spot, records), talk_director("Talking", TALKER, spot[TALKER], "puff_talk", "puff_idle"),
                 listen_director("NotTalking", TALKER, spot[TALKER], "puff_idle", "puff_blink"),
                 playing(spot), after(spot)]
    records += [t.record() for t in directors]
    records += texts(spot)
    return scene_file(planet_header(35, 3, ["PlayingSound=chime"]), records)
