#!/usr/bin/env python3
"""How long a scene file plays, in seconds, from what `vcs show` lists of it: its flights,
talks (800 ms + 30 ms a byte per balloon, then a 500 ms pause), animations and the hero's
climbing in and out. Prints "float" for a float library, which is no scene.
    scripts/scene-length.py SHOW.json [STAGE_WIDTH STAGE_HEIGHT]
The figure is the first visit's; later visits differ by their talks. Used by scene-sheet.sh."""
import json
import math
import sys

FLIGHT = 6.0                    # a planet scene's arrival and departure, each
GET_OUT, GET_IN = 3.63, 3.36    # the hero's climbing directors of the main stream
MICROPHONE = 0.7 + 0.75         # "getmic" and "awaymic"
TICK = 0.025


def main():
    with open(sys.argv[1]) as f:
        show = json.load(f)
    width = float(sys.argv[2]) if len(sys.argv) > 2 else 800.0
    header = dict(line.split("=", 1) for line in show["header"] if "=" in line)
    header = {k.lower(): v for k, v in header.items()}
    kind = header.get("type", "").lower()
    found = {c["name"].lower(): c for c in show["components"]}

    def director(name):
        c = found.get(name.lower())
        if not c or "director" not in c:
            return None
        return c["director"]

    def passes(name):
        d = director(name)
        return d["frameLength"] * max(d["lastFrame"], 0) / 1000.0 if d else 0.0

    def talk(names):
        first = names.split(",")[0].strip().lower()
        lines = found.get(first, {}).get("text", [])
        seconds, balloon = 0.0, []
        for line in lines + ["***"]:
            if line == "***":
                seconds += 0.8 + 0.03 * sum(len(part) + 1 for part in balloon) + 0.5
                balloon = []
            else:
                balloon.append(line)
        return seconds if lines else 0.0

    if kind in ("vfloatlib", "vfloatscene"):
        print("float")
        return
    if kind == "vplanetscene":
        seconds = 2 * FLIGHT + GET_OUT + GET_IN + passes("Playing") + talk(header.get("intro", "Intro")) + \
            talk(header.get("exit", "Exit"))
        if header.get("hidezibo", "False").lower() != "true":
            seconds += MICROPHONE
    elif kind == "vmeetingscene":
        speed = float(header.get("speed", "10")) or 10.0
        meet = width / 2 + float(header.get("xpos", "0"))
        playing = director("Playing")
        for track in (playing or {}).get("tracks", []):
            if track["pixie"].lower() == "inside":
                x = next((float(s.split("=")[1]) for s in track["keyFrames"][0]["set"] if s.lower().startswith("xpos=")), 0)
                meet = width / 2 - 110 - x
        seconds = (meet + 200) / speed * TICK + talk(header.get("intro", "Intro")) + passes("Playing") + \
            talk(header.get("exit", "Exit")) + (width - meet) / speed * TICK
    elif kind == "vmovingscene":
        points = [[float(v) for v in p.split(",")] for p in header.get("path", "").split("|") if p.strip()]
        length = sum(math.dist((a[0] * a[2], a[1] * a[2], a[2]), (b[0] * b[2], b[1] * b[2], b[2]))
                     for a, b in zip(points, points[1:]))
        seconds = length / float(header.get("speed", "1")) / 1000.0
    elif kind == "vinshipscene":
        seconds = passes("Scene")
    else:
        raise SystemExit(f"unknown scene type {header.get('type', '')!r}")
    print(round(seconds, 1))


if __name__ == "__main__":
    main()
