"""Nap: the hero dozes off at the controls; the sidekick draws a moustache on him, giggles when
he wakes up puzzled, and wipes it off again before anyone else sees."""
from scenekit import HERO_SEAT, Timeline, in_ship_scene, keyed, pilot_and_robot

NAME = "Nap"
FLOAT = (136, 6)
UNDER = (150, 90)
FACE = (82, 10)     # where the sidekick hovers to reach the hero's upper lip


def director():
    t = Timeline("Scene", 100, 180)
    sx, sy = HERO_SEAT
    keyed(t, "Pilot", -20, [(1, "s_l90", sx, sy), (10, "sit_talk1", sx, sy), (13, "sit_listen2", sx, sy),
                            (20, "sit_sleep", sx, sy), (92, "sit_sleep_stache", sx, sy),
                            (120, "sit_stache", sx, sy), (132, "sit_stache_shock", sx, sy), (140, "sit_stache", sx, sy),
                            (162, "s_l135", sx, sy), (172, "s_l90", sx, sy), (180, "s_l90", sx, sy)])
    robo = [(1, "kick1", *UNDER, False), (40, "kick1", *UNDER), (48, "kick2", *FLOAT), (54, "kick_marker", *FLOAT),
            (62, "kick_marker", *FACE)]
    for f in range(64, 90, 2):     # scribble, scribble
        robo.append((f, "kick_marker", FACE[0] + (4 if f % 4 else -4), FACE[1] + (2 if f % 4 else 0)))
    robo += [(90, "kick_marker", *FACE), (96, "kick_laugh1", *FLOAT)]
    for f in range(98, 118, 4):
        robo += [(f, "kick_laugh2", FLOAT[0], FLOAT[1] - 3), (f + 2, "kick_laugh1", *FLOAT)]
    robo += [(118, "kick1", *FLOAT), (132, "kick_scared", FLOAT[0], FLOAT[1] - 6), (138, "kick3", *FLOAT),
             (148, "kick2", *FACE)]
    for f in range(150, 162, 2):   # rub, rub
        robo.append((f, "kick1" if f % 4 else "kick2", FACE[0] + (5 if f % 4 else -5), FACE[1]))
    robo += [(162, "kick4", *FLOAT), (170, "kick1", *UNDER), (171, "kick1", *UNDER, False), (180, "kick1", *UNDER, False)]
    keyed(t, "Robo", -25, robo)
    zzz = [(1, "zzz1", 112, -46, False)]
    for f in range(22, 116, 8):
        zzz += [(f, "zzz1", 112, -46), (f + 4, "zzz2", 112, -50)]
    zzz += [(118, "zzz2", 112, -50, False), (180, "zzz2", 112, -50, False)]
    keyed(t, "Zzz", -30, zzz)
    return t


def make(art):
    records = pilot_and_robot(art) + [art.sprite("Snooze-Zzz", "Zzz")]
    return in_ship_scene(art, 25, director(), records, ["PlayingSound=snore"])
