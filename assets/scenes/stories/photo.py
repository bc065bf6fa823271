"""Photo: the sidekick takes the hero's picture. Flash! His eyes are shut. Again, with both of
them in it: flash, and shut again."""
from scenekit import HERO_SEAT, Timeline, in_ship_scene, keyed, pilot_and_robot

NAME = "Photo"
AIM = (136, -6)
UNDER = (150, 90)
SELFIE = (112, 2)
PRINT_AT, PRINT_OUT = (132, 4), (132, 26)


def director():
    t = Timeline("Scene", 100, 170)
    sx, sy = HERO_SEAT
    keyed(t, "Pilot", -20, [(1, "s_l90", sx, sy), (12, "s_l135", sx, sy), (20, "sit_grin", sx, sy),
                            (30, "sit_blinked", sx, sy), (34, "s_l90", sx, sy), (56, "sit_listen1", sx, sy),
                            (64, "sit_shock", sx, sy), (76, "sit_talk1", sx, sy), (78, "sit_talk2", sx, sy),
                            (80, "sit_grin", sx, sy), (96, "sit_blinked", sx, sy), (100, "sit_grin", sx, sy),
                            (124, "sit_listen1", sx, sy), (132, "sit_shock", sx, sy), (146, "s_l135", sx, sy),
                            (170, "s_l90", sx, sy)])
    keyed(t, "Robo", -25, [(1, "kick1", *UNDER, False), (4, "kick1", *UNDER), (12, "kick_camera", *AIM),
                           (36, "kick_camera", *AIM), (40, "kick1", *AIM), (60, "kick4", *AIM),
                           (70, "kick2", *AIM), (84, "kick_camera", *SELFIE), (100, "kick_camera", *SELFIE),
                           (104, "kick1", *AIM), (134, "kick_laugh1", *AIM), (138, "kick_laugh2", AIM[0], AIM[1] - 4),
                           (142, "kick_laugh1", *AIM), (146, "kick_laugh2", AIM[0], AIM[1] - 4),
                           (150, "kick_laugh1", *AIM), (160, "kick1", *UNDER), (161, "kick1", *UNDER, False),
                           (170, "kick1", *UNDER, False)])
    keyed(t, "Flash", -40, [(1, "flash1", 40, -50, False), (30, "flash1", 40, -50), (31, "flash2", 40, -50),
                            (33, "flash2", 40, -50, False), (96, "flash1", 40, -50), (97, "flash2", 40, -50),
                            (99, "flash2", 40, -50, False), (170, "flash2", 40, -50, False)])
    # The picture slides out of the camera, is looked at, and goes down with the sidekick.
    keyed(t, "Snap", -28, [(1, "photo1", *PRINT_AT, False), (40, "photo1", *PRINT_AT), (48, "photo1", *PRINT_OUT),
                           (70, "photo1", *PRINT_OUT, False), (104, "photo2", *PRINT_AT), (112, "photo2", *PRINT_OUT),
                           (156, "photo2", *PRINT_OUT), (160, "photo2", 148, 90), (161, "photo2", 148, 90, False),
                           (170, "photo2", 148, 90, False)])
    return t


def make(art):
    records = pilot_and_robot(art) + [art.sprite("Cabin-Flash", "Flash"), art.sprite("Cabin-Photo", "Snap")]
    return in_ship_scene(art, 25, director(), records, ["PlayingSound=click"])
