"""Dive: the ship dives from far out towards the ocean planet Glub, down through its clouds,
past the welcome sign, growing as it comes; Glub itself usually comes next."""
from scenekit import scene_file

NAME = "Dive"
PATH = [(-300, -220, 600), (-200, -150, 480), (-60, -60, 340), (60, 20, 230), (160, 100, 150), (230, 170, 100),
        (270, 240, 70)]


def make(art):
    header = ["Type=VMovingScene", "Frequency=25", "Path=" + "|".join("%d,%d,%d" % p for p in PATH), "Speed=28",
              "PreferredNextScene=Glub.vcs", "PlayingSound=whoosh"]
    items = [("Space-Stars", "Stars1", 20, 20, 990), ("Space-Stars", "Stars2", 300, 80, 990),
             ("Space-Stars", "Stars3", 600, 30, 990), ("Space-Stars", "Stars4", 40, 300, 990),
             ("Space-Rim", "Glub", 380, 440, 900), ("Space-Sign", "Sign", 120, 200, 420),
             ("Space-Cloud2", "Cloud1", 560, 300, 700), ("Space-Cloud1", "Cloud2", 380, 420, 300),
             ("Space-Cloud2", "Cloud3", 660, 450, 180), ("Space-Cloud1", "Cloud4", 120, 480, 90),
             ("Space-Cloud2", "Cloud5", 250, 330, 500)]
    records = [art.picture(a, n, at=(x, y, z), sky=True) for a, n, x, y, z in items]
    return scene_file(header, records)
