"""Hiccup: the sidekick has the hiccups. The hero cures them with his scariest face, and then
gets them himself."""
from scenekit import HERO_SEAT, Timeline, in_ship_scene, keyed, pilot_and_robot

NAME = "Hiccup"
# From the cabin's top-left; depths from the cabin's: the hero at -20 as the ship draws him,
# the sidekick in front of him, the bubbles in front of both.
FLOAT = (136, 2)
UNDER = (148, 90)   # below the console, out of sight


def director():
    t = Timeline("Scene", 100, 160)
    sx, sy = HERO_SEAT
    keyed(t, "Pilot", -20, [(1, "s_l90", sx, sy), (14, "sit_listen1", sx, sy), (30, "sit_listen2", sx, sy),
                            (34, "sit_listen1", sx, sy), (52, "s_l135", sx, sy), (60, "sit_shock", sx - 4, sy - 4),
                            (72, "sit_grin", sx, sy), (90, "s_l90", sx, sy), (100, "sit_hic", sx, sy - 6),
                            (103, "sit_shock", sx, sy), (112, "sit_hic", sx, sy - 6), (115, "s_l135", sx, sy),
                            (126, "sit_hic", sx, sy - 6), (129, "s_l135", sx, sy), (150, "s_l90", sx, sy),
                            (160, "s_l90", sx, sy)])
    robo = [(1, "kick1", *UNDER, False), (4, "kick1", *UNDER), (10, "kick2", *FLOAT)]
    for f in (16, 30, 44):
        robo += [(f, "kick_hic", FLOAT[0], FLOAT[1] - 12), (f + 2, "kick1", *FLOAT), (f + 7, "kick2", *FLOAT)]
    robo += [(60, "kick1", *FLOAT), (62, "kick_scared", FLOAT[0] + 10, FLOAT[1] - 14), (70, "kick1", *FLOAT),
             (80, "kick4", *FLOAT), (88, "kick1", *FLOAT)]
    for f in range(102, 142, 4):
        robo += [(f, "kick_laugh1", *FLOAT), (f + 2, "kick_laugh2", FLOAT[0], FLOAT[1] - 4)]
    robo += [(146, "kick1", *FLOAT), (154, "kick1", *UNDER), (155, "kick1", *UNDER, False), (160, "kick1", *UNDER, False)]
    keyed(t, "Robo", -25, robo)
    hics = [(1, "hic1", 96, -36, False)]
    for f in (16, 30, 44):
        hics += [(f, "hic1", 96, -36), (f + 4, "hic1", 96, -36, False)]
    for f in (100, 112, 126):
        hics += [(f, "hic2", 28, -60), (f + 4, "hic2", 28, -60, False)]
    hics.append((160, "hic2", 28, -60, False))
    keyed(t, "Hic", -30, hics)
    return t


def make(art):
    records = pilot_and_robot(art) + [art.sprite("Cabin-Hic", "Hic")]
    return in_ship_scene(art, 25, director(), records, ["PlayingSound=hic"])
