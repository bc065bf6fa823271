"""Snooze: a planet where it is always bedtime and nobody can sleep. The hero sings a lullaby;
the sheep jump the fence one by one, the one behind moonwalking back round, until all three
nod off."""
from scenekit import (Timeline, conversation, hero_sings, idle_with_blinks, listen_director, on_ground, planet_header,
                      planet_scene, speaker, talk_director, visits)

NAME = "Snooze"
SHEEP = ["SheepA", "SheepB", "SheepC"]
TALKER = "SheepB"
LEFT, FENCE, RIGHT1, RIGHT2 = 8, 100, 190, 270   # the fence stands between the first two places
PLACES = [LEFT, RIGHT1, RIGHT2]
BEHIND = 90         # depth that takes a sheep behind the fence (a prop at 60 and more)


def spots(art):
    y = on_ground(art, "Snooze-SheepA")
    return {name: (PLACES[i], y) for i, name in enumerate(SHEEP)}


def directors(spot, art):
    y = spot["SheepA"][1]

    def make(t):
        t.key(1, "Fence", XPos=FENCE, YPos=on_ground(art, "Snooze-Fence"), ZPos=60, Visible=True)
        for i, name in enumerate(SHEEP):
            x, _ = spot[name]
            t.pose(1, name, "sheep_idle", x, y)
            for f in range(12 + i * 9, 50, 18):
                t.pose(f, name, "sheep_yawn", x, y)
                t.pose(f + 3, name, "sheep_idle", x, y)
            t.pose(52, name, "sheep_idle", x, y)
        talking = talk_director("Talking", TALKER, spot[TALKER], "sheep_talk", "sheep_idle")
        not_talking = listen_director("NotTalking", TALKER, spot[TALKER], "sheep_idle", "sheep_blink")

        playing = Timeline("Playing", 200, 48)
        playing.mark("Pijl")
        hero_sings(playing, 48)
        # Three turns of twelve frames: the sheep on the left jumps the fence, the one it lands
        # beside makes room, and the one on the far right moonwalks behind the fence to the left.
        place = {name: i for i, name in enumerate(SHEEP)}
        for turn in range(3):
            s = 1 + turn * 12
            for name in SHEEP:
                at = place[name]
                if at == 0:      # the jumper
                    for k, u in enumerate((0, 0.2, 0.45, 0.7, 0.9, 1.0)):
                        hop = 4 * u * (1 - u)
                        playing.pose(s + k * 2, name, "sheep_jump" if 0 < u < 1 else "sheep_idle",
                                     round(LEFT + (RIGHT1 - LEFT) * u), round(y - 90 * hop))
                    playing.pose(s + 11, name, "sheep_blink", RIGHT1, y)
                elif at == 1:    # makes room
                    playing.pose(s, name, "sheep_idle", RIGHT1, y)
                    playing.pose(s + 4, name, "sheep_idle", RIGHT2, y)
                    playing.pose(s + 11, name, "sheep_idle", RIGHT2, y)
                else:            # back round, behind the fence, facing the wrong way
                    playing.pose(s, name, "sheep_idle", RIGHT2, y)
                    playing.pose(s + 1, name, "sheep_idle", RIGHT2, y - 3, BEHIND)
                    playing.pose(s + 5, name, "sheep_blink", (RIGHT2 + LEFT) // 2, y - 3, BEHIND)
                    playing.pose(s + 9, name, "sheep_idle", LEFT, y - 3, BEHIND)
                    playing.pose(s + 10, name, "sheep_idle", LEFT, y)
                    playing.pose(s + 11, name, "sheep_idle", LEFT, y)
            place = {name: (at + 1) % 3 for name, at in place.items()}
        # Back where they started, and fast asleep.
        for i, name in enumerate(SHEEP):
            x, _ = spot[name]
            playing.pose(38 + i, name, "sheep_yawn", x, y)
            playing.pose(41 + i, name, "sheep_sleep", x, y)
            playing.pose(48, name, "sheep_sleep", x, y)
            z = f"Zzz{i + 1}"
            playing.pose(1, z, "zzz1", x + 2, y - 36, visible=False)
            playing.pose(41 + i, z, "zzz1", x + 2, y - 36, visible=False)
            playing.pose(42 + i, z, "zzz1", x + 2, y - 36)
            playing.pose(45 + i, z, "zzz2", x + 2, y - 42)
            playing.pose(48, z, "zzz2", x + 2, y - 42)
        playing.keys.sort(key=lambda k: k[0])

        after = Timeline("After", 200, 60)
        after.mark("Pijl")
        for i, name in enumerate(("SheepA", "SheepC")):
            x, _ = spot[name]
            after.pose(1, name, "sheep_sleep", x, y)
            after.pose(60, name, "sheep_sleep", x, y)
            z = f"Zzz{1 if name == 'SheepA' else 3}"
            for f in range(1, 60, 6):
                after.pose(f, z, "zzz1", x + 2, y - 36)
                after.pose(f + 3, z, "zzz2", x + 2, y - 42)
            after.pose(60, z, "zzz2", x + 2, y - 42)
        after.pose(1, "Zzz2", "zzz1", spot["SheepB"][0] + 2, y - 36, visible=False)
        after.pose(60, "Zzz2", "zzz1", spot["SheepB"][0] + 2, y - 36, visible=False)
        after.keys.sort(key=lambda k: k[0])
        return [t, talking, not_talking, playing, after]
    return make


def texts(spot):
    x, y = spot[TALKER]
    sheep = speaker(f"({x + 66},{y + 18})")
    return visits(
        (conversation(sheep("Psst! Keep it down!"), "Sorry! Why whisper?", sheep("It's bedtime. Always."),
                      "Then a lullaby!"),
         conversation(sheep(["Zzz... encore...", "zzz..."]), "Sleep tight, sheep!")),
        (conversation("Good evening, sheep!", sheep("We can't sleep."), "Try counting Zibolts!"),
         conversation(sheep("That was one Zibolt..."), "Shh. Sweet dreams!")),
        (conversation("Who counts you at night?", sheep(["Nobody.", "We're so bored."]), "I'll sing, you jump!"),
         conversation(sheep(["Yawn. Best.", "Song. Ever."]), "Goodnight, fluffballs!")))


def make(art):
    spot = spots(art)
    sky = [("Snooze-Moon", "Moon", 580, 40), ("Snooze-Stars", "Stars1", 60, 30), ("Snooze-Stars", "Stars2", 320, 120),
           ("Snooze-Stars", "Stars3", 40, 280), ("Snooze-Stars", "Stars4", 600, 300), ("Snooze-Cloud", "Cloud1", 230, 210),
           ("Snooze-Cloud", "Cloud2", 680, 200)]
    props = [("Snooze-Lamp", "Lamp1", -440), ("Snooze-Bush", "Bush1", 370), ("Snooze-Lamp", "Lamp2", 480),
             ("Snooze-Bush", "Bush2", -600), ("Snooze-Bush", "Bush3", 700), ("Snooze-Lamp", "Lamp3", -900),
             ("Snooze-Bush", "Bush4", 1000), ("Snooze-Lamp", "Lamp4", 1250), ("Snooze-Bush", "Bush5", -1250),
             ("Snooze-Lamp", "Lamp5", -1600)]
    folk = [(f"Snooze-{name}", name) for name in SHEEP]
    extra = [("Snooze-Zzz", f"Zzz{i}") for i in (1, 2, 3)]
    scene = planet_scene(art, NAME, planet_header(30, 3, ["PlayingSound=yawn"]), folk, extra, sky, props,
                         directors(spot, art), texts(spot))
    scene["records"].insert(2, art.picture("Snooze-Fence", "Fence", at=(0, 0, 60)))
    return scene
