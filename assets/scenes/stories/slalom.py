"""Slalom: the ship zig-zags through an asteroid field between red and blue gate flags, from far
away to close by, and shoots off past the finish banner."""
from scenekit import scene_file

NAME = "Slalom"
# x, y (pixels from the stage centre at that depth), depth: 100 is natural size, 500 a fifth.
PATH = [(-260, -170, 520), (170, -110, 430), (-190, -40, 340), (190, 10, 260), (-170, 50, 190), (130, 60, 140),
        (-40, 20, 110), (260, -190, 380)]


def make(art):
    header = ["Type=VMovingScene", "Frequency=25", "Path=" + "|".join("%d,%d,%d" % p for p in PATH), "Speed=30",
              "PlayingSound=whoosh"]
    # Depths: gates and rocks sit between the path's points, so the ship passes in front of some
    # and behind others as it weaves.
    items = [("Space-Stars", "Stars1", 30, 20, 990), ("Space-Stars", "Stars2", 520, 60, 990),
             ("Space-Stars", "Stars3", 250, 480, 990), ("Space-Stars", "Stars4", 620, 400, 990),
             ("Space-Finish", "Finish", 520, 30, 600),
             ("Space-GateRed", "Gate1", 470, 120, 470), ("Space-GateBlue", "Gate2", 180, 190, 380),
             ("Space-GateRed", "Gate3", 560, 250, 300), ("Space-GateBlue", "Gate4", 170, 320, 220),
             ("Space-GateRed", "Gate5", 540, 380, 160),
             ("Space-RockBig", "Rock1", 20, 60, 450), ("Space-RockFace", "Rock2", 650, 170, 350),
             ("Space-RockSmall", "Rock3", 330, 140, 500), ("Space-RockBig", "Rock4", 640, 470, 120),
             ("Space-RockSmall", "Rock5", 60, 470, 130), ("Space-RockFace", "Rock6", 300, 300, 250),
             ("Space-RockSmall", "Rock7", 420, 520, 200)]
    records = [art.picture(a, n, at=(x, y, z), sky=True) for a, n, x, y, z in items]
    return scene_file(header, records)
