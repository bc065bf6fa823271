"""Glub: an ocean planet with one sandy beach. Three crabs scuttle up sideways, complain about
the parking, then dance sideways and clack their claws while a fish leaps out of the surf.
The dive of "Dive" ends here."""
from scenekit import (Timeline, conversation, hero_sings, idle_with_blinks, listen_director, on_ground, planet_header,
                      planet_scene, speaker, talk_director, visits)

NAME = "Glub"
CRABS = ["CrabA", "CrabB", "CrabC"]
TALKER = "CrabA"
SURF_Y = -75        # a 32-high splash standing on the surf line of the strip


def spots(art):
    y = on_ground(art, "Glub-CrabA")
    return {name: (22 + 72 * i, y) for i, name in enumerate(CRABS)}


def directors(spot):
    def make(t):
        # Sideways from the right, as crabs do, each with a scuttle of its own.
        for i, name in enumerate(CRABS):
            x, y = spot[name]
            start, end = 10 + i * 5, 26 + i * 5
            t.pose(1, name, "crab_step1", x + 420, y, visible=False)
            for f in range(start, end + 1):
                u = (f - start) / (end - start)
                t.pose(f, name, "crab_step1" if f % 2 else "crab_step2", round(x + 420 * (1 - u)), y)
            idle_with_blinks(t, name, spot[name], end + 1, 52, "crab_idle", "crab_blink", offset=i * 2)
        talking = talk_director("Talking", TALKER, spot[TALKER], "crab_talk", "crab_idle")
        not_talking = listen_director("NotTalking", TALKER, spot[TALKER], "crab_idle", "crab_blink")

        playing = Timeline("Playing", 200, 44)
        playing.mark("Pijl")
        hero_sings(playing, 44)
        # The dance: four steps right, four steps left, claws up on every fourth beat.
        for i, name in enumerate(CRABS):
            x, y = spot[name]
            for f in range(1, 41):
                phase = (f - 1) % 16
                dx = phase * 5 if phase < 8 else (16 - phase) * 5
                pose = "crab_clack" if f % 4 == 0 else ("crab_step1" if f % 2 else "crab_step2")
                playing.pose(f, name, pose, x + dx - 20, y)
            playing.pose(41, name, "crab_clack", x, y)
            playing.pose(44, name, "crab_clack", x, y)
        # A fish leaps over the dancers, out of the surf and back in.
        playing.pose(1, "Fish", "fish1", -10, SURF_Y, 30, visible=False)
        playing.pose(1, "Splash", "splash1", -20, SURF_Y, 25, visible=False)
        for start in (8, 26):
            playing.pose(start, "Splash", "splash1", -20, SURF_Y, 25)
            playing.pose(start + 1, "Splash", "splash2", -20, SURF_Y, 25)
            playing.pose(start + 2, "Splash", "splash2", -20, SURF_Y, 25, visible=False)
            playing.pose(start, "Fish", "fish1", -10, SURF_Y + 10, 30)
            playing.pose(start + 4, "Fish", "fish2", 100, -300, 30)
            playing.pose(start + 8, "Fish", "fish1", 220, SURF_Y + 10, 30)
            playing.pose(start + 9, "Fish", "fish1", 220, SURF_Y + 10, 30, visible=False)
            playing.pose(start + 8, "Splash", "splash1", 210, SURF_Y, 25)
            playing.pose(start + 9, "Splash", "splash2", 210, SURF_Y, 25)
            playing.pose(start + 10, "Splash", "splash2", 210, SURF_Y, 25, visible=False)
        playing.pose(44, "Fish", "fish1", -10, SURF_Y, 30, visible=False)
        playing.pose(44, "Splash", "splash1", -20, SURF_Y, 25, visible=False)
        playing.keys.sort(key=lambda k: k[0])

        after = Timeline("After", 200, 60)
        after.mark("Pijl")
        for i, name in enumerate(("CrabB", "CrabC")):
            x, y = spot[name]
            for f in range(1, 12):
                after.pose(f, name, "crab_clack" if f % 2 else "crab_idle", x, y)
            idle_with_blinks(after, name, spot[name], 12, 48, "crab_idle", "crab_blink", offset=i * 3)
            for f in range(49, 60):
                after.pose(f, name, "crab_clack" if f % 2 else "crab_step1", x, y)
            after.pose(60, name, "crab_idle", x, y)
        return [t, talking, not_talking, playing, after]
    return make


def texts(spot):
    x, y = spot[TALKER]
    crab = speaker(f"({x + 40},{y + 16})")
    return visits(
        (conversation(crab("Who parked on my beach?"), "Sorry! Just visiting.", crab("Then dance with us!"),
                      ["I'll sing,", "you dance!"]),
         conversation(crab("Snappy tune!"), ["You're snappy", "dancers!"])),
        (conversation("Hello, crabs!", crab(["Shh. We're walking", "sideways today."]), "Aren't you always?",
                      crab("...Good point.")),
         conversation(crab("Clack clack! Bravo!"), "See you, shore friends!")),
        (conversation("What a splashy day!", crab("The sea says hi!"), "Hi, sea!", crab("It's shy. Sing!")),
         conversation(crab("Come back at high tide!"), "I'll bring my snorkel!")))


def make(art):
    spot = spots(art)
    sky = [("Glub-Sun", "Sun", 600, 60), ("Glub-Moons", "Moons", 140, 50), ("Glub-Cloud1", "Cloud1", 300, 110),
           ("Glub-Cloud2", "Cloud2", 40, 190), ("Glub-Cloud2", "Cloud3", 700, 200)]
    props = [("Glub-Palm", "Palm1", -470), ("Glub-Shell", "Shell1", 310), ("Glub-Castle", "Castle", 400),
             ("Glub-Palm", "Palm2", 560), ("Glub-Shell", "Shell2", -600), ("Glub-Palm", "Palm3", -900),
             ("Glub-Castle", "Castle2", 880), ("Glub-Palm", "Palm4", 1150), ("Glub-Shell", "Shell3", -1250),
             ("Glub-Palm", "Palm5", 1500), ("Glub-Palm", "Palm6", -1600)]
    folk = [(f"Glub-{name}", name) for name in CRABS]
    extra = [("Glub-Fish", "Fish"), ("Glub-Splash", "Splash")]
    return planet_scene(art, NAME, planet_header(30, 3, ["PlayingSound=splash"]), folk, extra, sky, props,
                        directors(spot), texts(spot))
