#!/usr/bin/env python3
"""Writes master.txt, the show's 256-colour master palette.

master.txt is the source the art tools read; this script only records how its ramps were laid
out. Index 0-31 grey ramp (0 black, 31 white), 32 pure green, 33 pure blue, then colour ramps
from dark to light, each passing through its named middle colour.
"""

FAMILIES = [
    # name, steps, dark, middle, light
    ("night",  20, (4, 6, 18),    (22, 30, 70),   (80, 100, 170)),
    ("dusk",   10, (14, 6, 28),   (60, 30, 110),  (170, 140, 220)),
    ("blue",   16, (10, 20, 70),  (40, 90, 200),  (205, 232, 255)),
    ("teal",   14, (0, 38, 44),   (20, 160, 170), (205, 250, 248)),
    ("green",  16, (8, 40, 12),   (50, 160, 60),  (205, 250, 195)),
    ("lime",   10, (30, 50, 0),   (130, 190, 30), (232, 250, 170)),
    ("yellow", 14, (60, 45, 0),   (250, 210, 40), (255, 252, 215)),
    ("orange", 14, (70, 25, 0),   (245, 130, 20), (255, 228, 185)),
    ("red",    16, (45, 5, 8),    (210, 35, 40),  (255, 205, 200)),
    ("pink",   14, (50, 5, 35),   (225, 70, 160), (255, 218, 242)),
    ("violet", 14, (25, 10, 50),  (130, 70, 200), (228, 210, 255)),
    ("brown",  14, (30, 15, 5),   (130, 75, 35),  (228, 195, 155)),
    ("skin",   16, (70, 35, 20),  (215, 150, 110), (255, 238, 220)),
    ("metal",  16, (18, 22, 30),  (110, 125, 145), (236, 243, 250)),
    ("gold",   10, (60, 40, 5),   (200, 155, 50), (255, 242, 175)),
    ("beige",   8, (40, 35, 30),  (140, 130, 115), (242, 234, 218)),
]


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def ramp(steps, dark, mid, light):
    half = (steps - 1) / 2.0
    out = []
    for i in range(steps):
        if i <= half:
            out.append(lerp(dark, mid, i / half))
        else:
            out.append(lerp(mid, light, (i - half) / half))
    return out


def main():
    entries = []
    for i in range(32):
        v = round(i * 255 / 31)
        entries.append(((v, v, v), f"grey{i:02d}" if 0 < i < 31 else ("black" if i == 0 else "white")))
    entries.append(((0, 255, 0), "key-green"))
    entries.append(((0, 0, 255), "key-blue"))
    for name, steps, dark, mid, light in FAMILIES:
        for i, rgb in enumerate(ramp(steps, dark, mid, light)):
            entries.append((rgb, f"{name}{i:02d}"))
    assert len(entries) == 256, len(entries)
    with open("master.txt", "w") as f:
        f.write("# Zibolt master palette: 256 lines of 'r g b  # name', line order = index.\n")
        f.write("# 0-31 grey ramp (0 black, 31 white); 32 key green; 33 key blue; 34-255 colour ramps.\n")
        for (r, g, b), name in entries:
            f.write(f"{r:3d} {g:3d} {b:3d}  # {name}\n")


if __name__ == "__main__":
    main()
