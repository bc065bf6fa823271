#!/usr/bin/env python3
"""Writes Main.json, the source of the show's main component stream, from the art manifest.

The build turns Main.json into Main.vcs with `vcs build`; this script only needs to run again
when the manifest changes (new frames, sequences or key frames). Usage:

    assets/stream/make-main-stream.py [MANIFEST] [OUT]
"""
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.dirname(HERE)

GREEN = "RGB24:00FF00"
# The header's notice line; nothing reads it, but it says whose stream this is.
HEADER = ["Made=the Zibolt makers, from scratch", "Version=0.1b"]

# Records in stream order: the stage first, then the hero, the ship's layers, the sky, the
# doors, the sidekick, the two hatch directors and the preview cards.
SHIP_PICTURES = ["Ship-Outline", "Ship-Skin", "Ship-Inside", "Ship-Land"]
STARS = ["Star%d" % i for i in range(1, 8)]
DOORS = ["deur1", "deur2"]
CARDS = ["Screen1", "Screen2"]
DIRECTORS = ["getout", "getin"]
STAR_DEPTH = 900


def rel(path):
    """A manifest path (relative to assets/) as seen from this folder."""
    return os.path.relpath(os.path.join(ASSETS, path), HERE).replace(os.sep, "/")


def prop(name, value):
    return {"name": name, "value": value}


def placement(z=0):
    # Everything starts hidden at the origin: the set-up, the ship and the directors place
    # and show what they need.
    return [prop("XPos", {"coo": 0}), prop("YPos", {"coo": 0}), prop("ZPos", {"coo": z}),
            prop("Visible", {"bool": False})]


def stage_record(background):
    # A plain framed window: the saver's set-up picks full screen, frame and cursor per mode,
    # and the debug window keeps whatever full-screen flag this record gives.
    return {"class": "VStage", "name": "Stage", "properties": [
        prop("Caption", "Zibolt"),
        prop("ShowCursor", {"bool": True}),
        prop("Fullscreen", {"bool": False}),
        prop("HasFrame", {"bool": True}),
        prop("WindowRect", {"nested": [prop(k, "0") for k in ("X", "Y", "Width", "Height")]}),
        prop("BackColor", {"color": "RGB24:FFFFFF"}),
        prop("UseColor", {"bool": True}),
        prop("Background", {"file": rel(background["file"])}),
    ]}


def picture_record(picture):
    props = placement()
    keyed = picture["key"] == "green"
    if keyed:
        props.append(prop("TransColor", {"color": GREEN}))
    props.append(prop("Surface", {"file": rel(picture["file"])}))
    props.append(prop("Transparent", {"bool": keyed}))
    props.append(prop("FileName", {"wrapped": picture["file"]}))
    return {"class": "VPicture", "name": picture["name"], "properties": props}


def frame_entry(frame):
    if frame["key"] != "green":
        raise SystemExit("frame %s: sprite frames are keyed green" % frame["name"])
    hx, hy = frame.get("hotSpot", [0, 0])
    return {"name": frame["name"], "image": rel(frame["file"]), "transparent": GREEN,
            "hotSpotX": hx, "hotSpotY": hy}


def step_entry(step):
    frame, ms = step[0], step[1]
    dx, dy, dz = (step[2:5] + [0, 0, 0])[:3]
    entry = {"frame": frame, "time": "MS:%d" % ms}
    for key, value in (("deltaX", dx), ("deltaY", dy), ("deltaZ", dz)):
        if value:
            entry[key] = value
    return entry


def sprite_record(sprite):
    props = []
    tags = sprite.get("tags")
    if tags:
        props.append(prop("Tag", {"tags": ["%s=%s" % kv for kv in tags.items()]}))
    # Stars scattered at the start of the show keep the depth they are read with: far behind
    # the ship (depth 1) and the visitors, like the floaters launched later (100 to 1000).
    props += placement(STAR_DEPTH if sprite.get("tags", {}).get("Sterretje") == "True" else 0)
    props.append(prop("CurFrameName", sprite["curFrameName"]))
    first = sprite["frames"][0]["file"]
    props.append(prop("ImageDir", {"wrapped": os.path.dirname(first)}))
    props.append(prop("FrameList", {"frames": [frame_entry(f) for f in sprite["frames"]]}))
    props.append(prop("SequenceList", {"sequences": [
        {"name": q["name"], "steps": [step_entry(s) for s in q["steps"]]}
        for q in sprite["sequences"]]}))
    return {"class": "VSprite", "name": sprite["name"], "properties": props}


def director_record(director):
    tupels = []
    for key in director["keyFrames"]:
        values = {k: v for k, v in key.items() if k not in ("frame", "item")}
        tupels.append({"frame": key["frame"], "pixie": key["item"], "set": values})
    last = max(t["frame"] for t in tupels)
    if last != director["lastFrame"]:
        raise SystemExit("director %s: last key frame %d, manifest says %d"
                         % (director["name"], last, director["lastFrame"]))
    props = placement()
    props.append(prop("FrameLength", {"number": director["frameLength"]}))
    props.append(prop("Tupels", {"tupels": tupels}))
    # The editor's window size: no class reads it, and a reader that takes the two tokens after
    # the key frames as part of them still finds a whole property here.
    props.append(prop("txtWidth", "320"))
    props.append(prop("txtHeight", "240"))
    return {"class": "VDirector", "name": director["name"], "properties": props}


def main():
    manifest_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ASSETS, "art/manifest.json")
    out_path = sys.argv[2] if len(sys.argv) > 2 else os.path.join(HERE, "Main.json")
    with open(manifest_path) as f:
        manifest = json.load(f)
    pictures = {p["name"]: p for p in manifest["pictures"]}
    sprites = {s["name"]: s for s in manifest["sprites"]}
    directors = {d["name"]: d for d in manifest["directors"]}

    records = [stage_record(pictures["Background"]), sprite_record(sprites["Zibolt"])]
    records += [picture_record(pictures[n]) for n in SHIP_PICTURES]
    records.append(sprite_record(sprites["Ship-Engine"]))
    records += [sprite_record(sprites[n]) for n in STARS]
    records += [picture_record(pictures[n]) for n in DOORS]
    records.append(sprite_record(sprites["Sidekick"]))
    records += [director_record(directors[n]) for n in DIRECTORS]
    records += [picture_record(pictures[n]) for n in CARDS]

    source = {"format": "vcs-tokens-1", "header": HEADER, "records": records}
    text = "// Generated by make-main-stream.py from art/manifest.json; edit those, not this.\n"
    text += json.dumps(source, indent=1) + "\n"
    with open(out_path, "w") as f:
        f.write(text)
    print("%s: %d records" % (out_path, len(records)))


if __name__ == "__main__":
    main()
