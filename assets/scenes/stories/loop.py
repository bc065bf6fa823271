"""Loop: the ship loops round Lulu, a moon with big eyes: out in front of her, behind her and
round again, while she stares."""
import math

from scenekit import scene_file

NAME = "Loop"
MOON_Z = 320        # the ship is behind Lulu where its depth is greater


def path():
    points = [(-340, -200, 560)]
    for i in range(13):
        a = math.pi + i * 2 * math.pi / 12
        points.append((round(230 * math.cos(a)), round(-10 + 40 * math.sin(a)), round(MOON_Z - 170 * math.sin(a))))
    points.append((330, -210, 520))
    return points


def make(art):
    header = ["Type=VMovingScene", "Frequency=20", "Path=" + "|".join("%d,%d,%d" % p for p in path()), "Speed=24",
              "PlayingSound=whoosh"]
    items = [("Space-Stars", "Stars1", 30, 30, 990), ("Space-Stars", "Stars2", 560, 60, 990),
             ("Space-Stars", "Stars3", 80, 440, 990), ("Space-Stars", "Stars4", 580, 460, 990),
             ("Space-Lulu", "Lulu", 320, 210, MOON_Z), ("Space-RockSmall", "Pebble1", 150, 150, 700),
             ("Space-RockSmall", "Pebble2", 640, 330, 650)]
    records = [art.picture(a, n, at=(x, y, z), sky=True) for a, n, x, y, z in items]
    return scene_file(header, records)
