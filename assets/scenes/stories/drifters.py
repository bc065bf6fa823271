"""Drifters: the second float library. Between scenes a lost astronaut drifts by and waves at
the middle of the sky, a space whale far away spouts, a rubber duck quacks and a lost sock
slows its spin."""
from scenekit import scene_file

NAME = "Drifters"


def make(art):
    # Scattered floaters keep the depth they were read with: far behind the ship.
    records = [art.sprite(f"Drift-{n}", n, at=(0, 0, z)) for n, z in
               (("Astronaut", 400), ("Whale", 900), ("Duck", 500), ("Sock", 450))]
    return scene_file(["Type=VFloatLib"], records)
