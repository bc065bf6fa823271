"""Petal: a garden planet under a rainbow. A daisy, a tulip and a sunflower wake up as the ship
lands, sway to the hero's song and throw their petals over him."""
from scenekit import (Timeline, conversation, hero_sings, idle_with_blinks, listen_director, on_ground, planet_header,
                      planet_scene, speaker, talk_director, visits)

NAME = "Petal"
FLOWERS = [("Daisy", "daisy"), ("Tulip", "tulip"), ("Sunflower", "sunflower")]
TALKER = "Daisy"


def spots(art):
    y = on_ground(art, "Petal-Daisy")
    return {name: (30 + 64 * i, y) for i, (name, _) in enumerate(FLOWERS)}


def directors(spot):
    def make(t):
        # Asleep until the engine wakes them; then a stretch and a look at the visitor.
        for i, (name, kind) in enumerate(FLOWERS):
            x, y = spot[name]
            t.pose(1, name, f"{kind}_blink", x, y)
            t.pose(32 + i * 2, name, f"{kind}_happy", x, y)
            t.pose(35 + i * 2, name, f"{kind}_sway1", x, y)
            t.pose(37 + i * 2, name, f"{kind}_sway2", x, y)
            idle_with_blinks(t, name, spot[name], 39 + i * 2, 52, f"{kind}_idle", f"{kind}_blink", every=6)
        talking = talk_director("Talking", TALKER, spot[TALKER], "daisy_talk", "daisy_idle")
        not_talking = listen_director("NotTalking", TALKER, spot[TALKER], "daisy_idle", "daisy_blink")

        playing = Timeline("Playing", 200, 44)
        playing.mark("Pijl")
        hero_sings(playing, 44)
        for i, (name, kind) in enumerate(FLOWERS):
            x, y = spot[name]
            for f in range(1, 41):
                pose = (f"{kind}_sway1", f"{kind}_idle", f"{kind}_sway2", f"{kind}_idle")[(f + i) % 4]
                playing.pose(f, name, pose, x, y)
            playing.pose(41, name, f"{kind}_happy", x, y)
            playing.pose(44, name, f"{kind}_happy", x, y)
        # Petals thrown up high, fluttering down over the singer.
        throws = [(4, 40, -70), (10, 100, -20), (16, 170, -110), (22, 60, -50), (27, 140, 10), (32, 190, -90)]
        for i in range(4):
            playing.pose(1, f"Petal{i + 1}", "petal1", 40, -120, visible=False)
        for n, (start, x0, x1) in enumerate(throws):
            p = f"Petal{n % 4 + 1}"
            frame = f"petal{n % 3 + 1}"
            playing.pose(start, p, frame, x0, -130)
            playing.pose(start + 3, p, frame, (x0 + x1) // 2, -300)
            playing.pose(start + 9, p, frame, x1, -60)
            playing.pose(start + 10, p, frame, x1, -60, visible=False)
        for i in range(4):
            playing.pose(44, f"Petal{i + 1}", "petal1", 40, -120, visible=False)
        playing.keys.sort(key=lambda k: k[0])

        after = Timeline("After", 200, 60)
        after.mark("Pijl")
        for i, (name, kind) in enumerate(FLOWERS[1:]):
            x, y = spot[name]
            for f in range(1, 11):
                after.pose(f, name, f"{kind}_happy" if f % 2 else f"{kind}_sway1", x, y)
            idle_with_blinks(after, name, spot[name], 11, 50, f"{kind}_idle", f"{kind}_blink", offset=i * 3)
            for f in range(51, 60):
                after.pose(f, name, f"{kind}_sway1" if f % 2 else f"{kind}_sway2", x, y)
            after.pose(60, name, f"{kind}_happy", x, y)
        return [t, talking, not_talking, playing, after]
    return make


def texts(spot):
    x, y = spot[TALKER]
    daisy = speaker(f"({x + 32},{y + 20})")
    return visits(
        (conversation(daisy("Welcome, little green bean!"), "I'm teal, actually.", daisy("Sing, and we'll bloom!")),
         conversation(daisy("Ahh, I feel taller!"), "Don't grow into space!")),
        (conversation("Hello, flowers!", daisy(["Shh! The tulip", "is napping."]), "Then a soft song it is!"),
         conversation(daisy("Petals for you!"), "Achoo! Thank you!")),
        (conversation("Do you need water?", daisy("We need music!"), "One music, coming up!"),
         conversation(daisy("Come back in spring!"), "Isn't it always spring here?", daisy("Exactly!"))))


def make(art):
    spot = spots(art)
    sky = [("Petal-Sun", "Sun", 90, 40), ("Petal-Rainbow", "Rainbow", 480, 120), ("Petal-Cloud1", "Cloud1", 280, 60),
           ("Petal-Cloud2", "Cloud2", 660, 60), ("Petal-Cloud2", "Cloud3", 20, 230)]
    props = [("Petal-Tuft", "Tuft1", -440), ("Petal-Snail", "Snail", 310), ("Petal-Tuft", "Tuft2", 400),
             ("Petal-Can", "Can", 500), ("Petal-Tuft", "Tuft3", -560), ("Petal-Snail", "Snail2", -800),
             ("Petal-Tuft", "Tuft4", 760), ("Petal-Can", "Can2", -1100), ("Petal-Tuft", "Tuft5", 1100),
             ("Petal-Tuft", "Tuft6", -1400), ("Petal-Snail", "Snail3", 1450)]
    folk = [(f"Petal-{name}", name) for name, _ in FLOWERS]
    extra = [("Petal-Petal", f"Petal{i}") for i in (1, 2, 3, 4)]
    return planet_scene(art, NAME, planet_header(30, 3, ["PlayingSound=bloom"]), folk, extra, sky, props,
                        directors(spot), texts(spot))
