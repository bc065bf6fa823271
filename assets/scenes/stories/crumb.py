"""Crumb: a planet made of cake where it is always somebody's birthday. Three cupcakes jump out
to surprise the hero as he lands, bounce to his song and throw confetti. Jellybell's party
card invites him here."""
from scenekit import (Timeline, conversation, hero_sings, idle_with_blinks, listen_director, on_ground, planet_header,
                      planet_scene, speaker, talk_director, visits)

NAME = "Crumb"
CAKES = ["CakeA", "CakeB", "CakeC"]
TALKER = "CakeA"


def spots(art):
    y = on_ground(art, "Crumb-CakeA")
    return {name: (30 + 66 * i, y) for i, name in enumerate(CAKES)}


def directors(spot):
    def make(t):
        # Hidden until the ship has landed, then: surprise! (All over before the hero has climbed out.)
        for i, name in enumerate(CAKES):
            x, y = spot[name]
            t.pose(1, name, "cake_jump", x, y + 40, visible=False)
            t.pose(33 + i, name, "cake_jump", x, y + 40, visible=False)
            t.pose(34 + i, name, "cake_jump", x, y - 10)
            t.pose(36 + i, name, "cake_happy", x, y)
            t.pose(41 + i, name, "cake_idle", x, y)
            t.pose(52, name, "cake_idle", x, y)
        for i in range(3):
            t.pose(1, f"Confetti{i + 1}", "confetti1", spot[CAKES[i]][0] - 2, spot[CAKES[i]][1] - 60, visible=False)
            t.pose(34 + i, f"Confetti{i + 1}", "confetti2", spot[CAKES[i]][0] - 2, spot[CAKES[i]][1] - 60)
            t.pose(35 + i, f"Confetti{i + 1}", "confetti3", spot[CAKES[i]][0] - 2, spot[CAKES[i]][1] - 70)
            t.pose(37 + i, f"Confetti{i + 1}", "confetti3", spot[CAKES[i]][0] - 2, spot[CAKES[i]][1] - 70, visible=False)
            t.pose(52, f"Confetti{i + 1}", "confetti3", spot[CAKES[i]][0] - 2, spot[CAKES[i]][1] - 70, visible=False)
        talking = talk_director("Talking", TALKER, spot[TALKER], "cake_talk", "cake_idle")
        not_talking = listen_director("NotTalking", TALKER, spot[TALKER], "cake_idle", "cake_blink")

        playing = Timeline("Playing", 200, 40)
        playing.mark("Pijl")
        hero_sings(playing, 40)
        for i, name in enumerate(CAKES):
            x, y = spot[name]
            for f in range(1, 33):
                up = (f + i) % 2 == 0
                playing.pose(f, name, "cake_jump" if up else "cake_happy", x, y - (12 if up else 0))
            for f in range(33, 40):
                playing.pose(f, name, "cake_clap" if f % 2 else "cake_happy", x, y)
            playing.pose(40, name, "cake_happy", x, y)
            # Confetti bursts over each cupcake in turn.
            c = f"Confetti{i + 1}"
            playing.pose(1, c, "confetti1", x - 2, y - 60, visible=False)
            for start in range(4 + i * 3, 36, 10):
                playing.pose(start, c, "confetti1", x - 2, y - 50)
                playing.pose(start + 1, c, "confetti2", x - 2, y - 62)
                playing.pose(start + 2, c, "confetti3", x - 2, y - 76)
                playing.pose(start + 3, c, "confetti3", x - 2, y - 76, visible=False)
            playing.pose(40, c, "confetti3", x - 2, y - 76, visible=False)
        playing.keys.sort(key=lambda k: k[0])

        after = Timeline("After", 200, 60)
        after.mark("Pijl")
        for i, name in enumerate(("CakeB", "CakeC")):
            x, y = spot[name]
            for f in range(1, 11):
                after.pose(f, name, "cake_clap" if f % 2 else "cake_happy", x, y)
            idle_with_blinks(after, name, spot[name], 11, 46, "cake_idle", "cake_blink", offset=i * 3)
            for f in range(47, 60):
                after.pose(f, name, "cake_jump" if f % 2 else "cake_happy", x, y - (10 if f % 2 else 0))
            after.pose(60, name, "cake_happy", x, y)
        return [t, talking, not_talking, playing, after]
    return make


def texts(spot):
    x, y = spot[TALKER]
    cake = speaker(f"({x + 30},{y + 20})")
    return visits(
        (conversation(cake("Surprise! It's a party!"), "For me? Whose birthday?", cake("Everyone's! Sing for us!")),
         conversation(cake(["Have some cake", "for the road!"]), "I'll save it for later.",
                      cake(["You say that,", "but you have crumbs!"]))),
        (conversation("Mmm! This planet smells yummy!", cake(["Please don't", "lick the ground."]),
                      ["I would never!", "...much."]),
         conversation(cake("Sweet singing, Zibolt!"), "Thanks, cupcakes!")),
        (conversation("Is the party still on?", cake("It never stops here!"), "Then here's the cake song!"),
         conversation(cake(["Encore! With", "extra sprinkles!"]), ["Next time!", "I'm stuffed!"])))


def make(art):
    spot = spots(art)
    sky = [("Crumb-Sun", "Sun", 120, 50), ("Crumb-Moon", "Moon", 600, 80), ("Crumb-Cloud1", "Cloud1", 330, 130),
           ("Crumb-Cloud2", "Cloud2", 700, 250), ("Crumb-Cloud2", "Cloud3", 30, 230)]
    props = [("Crumb-Cane", "Cane1", -450), ("Crumb-Cookie", "Cookie1", 300), ("Crumb-Cake", "BigCake", 420),
             ("Crumb-Cane", "Cane2", 620), ("Crumb-Cookie", "Cookie2", -600), ("Crumb-Cake", "BigCake2", -880),
             ("Crumb-Cane", "Cane3", 880), ("Crumb-Cookie", "Cookie3", 1150), ("Crumb-Cane", "Cane4", -1200),
             ("Crumb-Cake", "BigCake3", 1450), ("Crumb-Cookie", "Cookie4", -1550)]
    folk = [(f"Crumb-{name}", name) for name in CAKES]
    extra = [("Crumb-Confetti", f"Confetti{i}") for i in (1, 2, 3)]
    return planet_scene(art, NAME, planet_header(30, 3, ["PlayingSound=party"]), folk, extra, sky, props,
                        directors(spot), texts(spot))
