"""Clank: a junkyard planet. Three little robots roll up to inspect the intruder, find out he
is a singer, and do the robot dance until their fuses fizz."""
from scenekit import (Timeline, conversation, hero_sings, idle_with_blinks, listen_director, on_ground, planet_header,
                      planet_scene, speaker, talk_director, visits)

NAME = "Clank"
BOTS = ["BotA", "BotB", "BotC"]
TALKER = "BotB"


def spots(art):
    y = on_ground(art, "Clank-BotA")
    return {name: (28 + 68 * i, y) for i, name in enumerate(BOTS)}


def directors(spot):
    def make(t):
        # They roll in one after the other, stop with a jolt and look the ship over.
        for i, name in enumerate(BOTS):
            x, y = spot[name]
            start, end = 14 + i * 6, 24 + i * 6
            t.pose(1, name, "bot_idle", x + 480, y, visible=False)
            t.pose(start, name, "bot_idle", x + 480, y)
            t.pose(end, name, "bot_idle", x - 6, y)
            t.pose(end + 1, name, "bot_zap", x, y)
            idle_with_blinks(t, name, spot[name], end + 2, 52, "bot_idle", "bot_blink", every=7, offset=i)
        talking = talk_director("Talking", TALKER, spot[TALKER], "bot_talk", "bot_idle")
        not_talking = listen_director("NotTalking", TALKER, spot[TALKER], "bot_idle", "bot_blink")

        playing = Timeline("Playing", 200, 44)
        playing.mark("Pijl")
        hero_sings(playing, 44)
        for i, name in enumerate(BOTS):
            x, y = spot[name]
            for f in range(1, 37):
                # In step, except the middle one, who is always one beat late.
                beat = (f + (1 if name == "BotB" and f > 12 else 0)) % 2
                playing.pose(f, name, "bot_dance1" if beat else "bot_dance2", x, y - (4 if f % 4 == 0 else 0))
            for f in range(37, 44):
                playing.pose(f, name, "bot_zap", x, y - (6 if f % 2 else 0))
            playing.pose(44, name, "bot_idle", x, y)
            s = f"Spark{i + 1}"
            playing.pose(1, s, "spark1", x + 12, y - 36, visible=False)
            playing.pose(36, s, "spark1", x + 12, y - 36, visible=False)
            playing.pose(37, s, "spark1", x + 12, y - 36)
            playing.pose(39, s, "spark2", x + 12, y - 44)
            playing.pose(41, s, "spark1", x + 12, y - 50)
            playing.pose(43, s, "spark2", x + 12, y - 56, visible=False)
            playing.pose(44, s, "spark2", x + 12, y - 56, visible=False)
        playing.keys.sort(key=lambda k: k[0])

        after = Timeline("After", 200, 60)
        after.mark("Pijl")
        for i, name in enumerate(("BotA", "BotC")):
            x, y = spot[name]
            for f in range(1, 13):
                after.pose(f, name, "bot_dance1" if f % 2 else "bot_dance2", x, y)
            idle_with_blinks(after, name, spot[name], 13, 50, "bot_idle", "bot_blink", every=7, offset=i * 2)
            for f in range(51, 60):
                after.pose(f, name, "bot_zap" if f % 2 else "bot_idle", x, y)
            after.pose(60, name, "bot_idle", x, y)
        return [t, talking, not_talking, playing, after]
    return make


def texts(spot):
    x, y = spot[TALKER]
    bot = speaker(f"({x + 32},{y + 14})")
    return visits(
        (conversation(bot("Beep! Intruder detected!"), "I'm just a singer!", bot("Beep... Music detected!")),
         conversation(bot(["Error: too", "much fun!"]), ["Try turning it", "off and on again!"])),
        (conversation("Hi, robots! Need oil?", bot("We need a beat!"), "One beat, coming up!"),
         conversation(bot("Rating: five bolts!"), "Out of five?", bot("Out of a hundred.")),),
        (conversation("What are you building?", bot("A dance floor!"), "Let's test it!"),
         conversation(bot("Please come back. Beep."), "Beep beep! Bye!")))


def make(art):
    spot = spots(art)
    sky = [("Clank-Moon", "Moon", 590, 50), ("Clank-Cloud1", "Cloud1", 120, 70), ("Clank-Cloud2", "Cloud2", 380, 160),
           ("Clank-Cloud1", "Cloud3", 620, 240), ("Clank-Cloud2", "Cloud4", 30, 260)]
    props = [("Clank-Junk", "Junk1", -500), ("Clank-TV", "TV1", 300), ("Clank-Dish", "Dish", 400),
             ("Clank-Crane", "Crane", 520), ("Clank-Junk", "Junk2", 700), ("Clank-TV", "TV2", -600),
             ("Clank-Crane", "Crane2", -900), ("Clank-Junk", "Junk3", 1000), ("Clank-Dish", "Dish2", -1200),
             ("Clank-Junk", "Junk4", 1400), ("Clank-Crane", "Crane3", -1600)]
    folk = [(f"Clank-{name}", name) for name in BOTS]
    extra = [("Clank-Spark", f"Spark{i}") for i in (1, 2, 3)]
    return planet_scene(art, NAME, planet_header(30, 3, ["PlayingSound=beeps"]), folk, extra, sky, props,
                        directors(spot), texts(spot))
