"""The pieces every scene source is made of: the component records (pictures, sprites, texts,
directors) written as `vcs build` reads them, and the director timelines with the rules the show
imposes on them. make-scenes.py and the scene modules in stories/ build on these.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.dirname(HERE)
GREEN = "RGB24:00FF00"


def rel(path):
    """A manifest path (relative to assets/) as seen from this folder."""
    return os.path.relpath(os.path.join(ASSETS, path), HERE).replace(os.sep, "/")


def prop(name, value):
    return {"name": name, "value": value}


def placement(x=0, y=0, z=0, visible=False):
    return [prop("XPos", {"coo": x}), prop("YPos", {"coo": y}), prop("ZPos", {"coo": z}),
            prop("Visible", {"bool": visible})]


class Art:
    """The manifest's pictures and sprites, by name."""

    def __init__(self, manifest):
        self.pictures = {p["name"]: p for p in manifest["pictures"]}
        self.sprites = {s["name"]: s for s in manifest["sprites"]}

    def picture(self, art_name, name=None, at=(0, 0, 0), sky=False, file=None, keyed=None):
        p = self.pictures.get(art_name)
        file = file or p["file"]
        keyed = (p["key"] == "green") if keyed is None else keyed
        props = []
        if sky:
            props.append(prop("Tag", {"tags": ["SkyItem=True"]}))
        props += placement(*at)
        if keyed:
            props.append(prop("TransColor", {"color": GREEN}))
        props.append(prop("Surface", {"file": rel(file)}))
        props.append(prop("Transparent", {"bool": keyed}))
        return {"class": "VPicture", "name": name or art_name, "properties": props}

    def size(self, art_name):
        """Width and height of a picture, or of a sprite's first frame."""
        found = self.pictures.get(art_name) or self.sprites[art_name]["frames"][0]
        return found["rect"][2], found["rect"][3]

    def sprite(self, art_name, name=None, at=(0, 0, 0), tags=None, frames=None, sequences=None):
        s = self.sprites[art_name]
        frames = frames if frames is not None else s["frames"]
        sequences = sequences if sequences is not None else s["sequences"]
        props = []
        tags = tags if tags is not None else s.get("tags")
        if tags:
            props.append(prop("Tag", {"tags": ["%s=%s" % kv for kv in tags.items()]}))
        props += placement(*at)
        props.append(prop("CurFrameName", frames[0]["name"]))
        props.append(prop("FrameList", {"frames": [
            {"name": f["name"], "image": rel(f["file"]), "transparent": GREEN,
             "hotSpotX": f.get("hotSpot", [0, 0])[0], "hotSpotY": f.get("hotSpot", [0, 0])[1]}
            for f in frames]}))
        props.append(prop("SequenceList", {"sequences": [
            {"name": q["name"], "steps": [step(st) for st in q["steps"]]} for q in sequences]}))
        return {"class": "VSprite", "name": name or art_name, "properties": props}


def step(st):
    frame, ms = st[0], st[1]
    entry = {"frame": frame, "time": "MS:%d" % ms}
    for key, value in zip(("deltaX", "deltaY", "deltaZ"), st[2:5]):
        if value:
            entry[key] = value
    return entry


def text(name, lines):
    return {"class": "VText", "name": name, "properties": [prop("Contents", {"tags": lines})]}


def conversation(*balloons):
    """Balloons joined by the separator line; each balloon is a list of lines."""
    lines = []
    for i, b in enumerate(balloons):
        if i:
            lines.append("***")
        lines += b if isinstance(b, list) else [b]
    return lines


def speaker(tip):
    """Balloons of the scene's own speaker: the first line starts with its placement "(dx,dy)",
    where the balloon's tail points, from the talking director's position."""
    def say(balloon):
        lines = balloon if isinstance(balloon, list) else [balloon]
        return [tip + lines[0]] + lines[1:]
    return say


class Timeline:
    """A director's key frames. Every key frame of one track sets the same keys, so the show
    pairs XPos with XPos when it moves a pixie between two of them."""

    def __init__(self, name, frame_length, frames):
        self.name, self.frame_length, self.frames = name, frame_length, frames
        self.keys = []  # (frame, pixie, {key: value})
        self.shape = {}

    def key(self, frame, pixie, **values):
        if not 1 <= frame <= self.frames:
            raise SystemExit(f"{self.name}: key frame {frame} of {pixie} is outside 1..{self.frames}")
        if any(k[0] == frame and k[1] == pixie for k in self.keys):
            raise SystemExit(f"{self.name}: {pixie} has two key frames at frame {frame}")
        shape = tuple(sorted(values))
        if self.shape.setdefault(pixie, shape) != shape:
            raise SystemExit(f"{self.name}: {pixie} at frame {frame} sets {shape}, earlier {self.shape[pixie]}")
        self.keys.append((frame, pixie, values))

    def pose(self, frame, pixie, cur, x, y, z=0, visible=True):
        self.key(frame, pixie, CurFrameName=cur, XPos=x, YPos=y, ZPos=z, Visible=visible)

    def mark(self, name, x=0, y=0, z=0):
        """An item only for placing the director; no pixie of that name exists."""
        self.key(1, name, XPos=x, YPos=y, ZPos=z, Visible=False)

    def record(self, at=(0, 0, 0)):
        last = max(k[0] for k in self.keys)
        if last != self.frames:
            raise SystemExit(f"{self.name}: the last key frame is {last}, not {self.frames}")
        keys = sorted(self.keys, key=lambda k: k[0])  # stable: the order of writing within a frame
        props = placement(*at)
        props.append(prop("FrameLength", {"number": self.frame_length}))
        props.append(prop("Tupels", {"tupels": [{"frame": f, "pixie": p, "set": v} for f, p, v in keys]}))
        # The authoring tool's window size: no class reads it, and a reader that takes the two
        # tokens after the key frames as part of them still finds a whole property here.
        props.append(prop("txtWidth", "320"))
        props.append(prop("txtHeight", "240"))
        return {"class": "VDirector", "name": self.name, "properties": props}


def scene_file(header, records):
    return {"format": "vcs-tokens-1", "header": header, "records": records}


HERO_SEAT = (68, -31)   # where the ship draws the seated hero, from the cabin's top-left


def pilot_frames(art):
    hero = art.sprites["Zibolt"]
    names = ("s_l90", "s_l135", "sit_talk1", "sit_talk2", "sit_listen1", "sit_listen2")
    return [f for f in hero["frames"] if f["name"] in names]


def cabin_talking(who, spot, talk, rest):
    """"Talking" of a meeting inside the ship: the cabin, the hero listening, the visitor at
    `spot` (from the cabin's top-left, depth 10: in front of the hero) moving its mouth."""
    t = Timeline("Talking", 150, 14)
    cabin(t, 14)
    seated(t, [(1, "sit_listen1"), (14, "sit_listen1")])
    for f in range(1, 15):
        t.pose(f, who, talk if f % 2 else rest, *spot, 10)
    return t


def cabin_listening(who, spot, rest, blink):
    """"NotTalking" inside the ship: the hero talks, the visitor listens and blinks once."""
    t = Timeline("NotTalking", 200, 20)
    cabin(t, 20)
    seated(t, [(f, "sit_talk1" if f % 2 else "sit_talk2") for f in range(1, 20)] + [(20, "s_l90")])
    for f, cur in ((1, rest), (9, blink), (10, rest), (20, rest)):
        t.pose(f, who, cur, *spot, 10)
    return t


def cabin(t, frames):
    t.key(1, "Inside", XPos=0, YPos=0, ZPos=40, Visible=True)
    t.key(frames, "Inside", XPos=0, YPos=0, ZPos=40, Visible=True)


def seated(t, poses):
    for f, cur in poses:
        t.pose(f, "Zibo", cur, *HERO_SEAT, 20)




# --- planet scenes -----------------------------------------------------------------------------
GROUND_Y = -29   # the ground line, from the "Pijl" item at the bottom centre of the stage


def on_ground(art, art_name, sink=3):
    """The top Y that stands a picture or sprite of `art_name` on the ground."""
    return GROUND_Y - art.size(art_name)[1] + sink


def sky_items(art, items, z=900):
    """Pictures of the sky (sun, moons, clouds) on the 800 x 600 design grid: the show scales
    their places to the stage and shows them when the scene starts. [(art name, name, x, y)]"""
    return [art.picture(a, n, at=(x, y, z + i), sky=True) for i, (a, n, x, y) in enumerate(items)]


def ground_props(art, t, props, z=60):
    """Scenery standing on the ground at fixed distances from the stage's centre, so it keeps its
    shape on every width (the "Planet" strip is stretched): records, and a key on `t` (the
    "Before" director) for each. [(art name, name, x)]; wide stages show the far ones."""
    records = []
    for i, (art_name, name, x) in enumerate(props):
        records.append(art.picture(art_name, name, at=(0, 0, z)))
        t.key(1, name, XPos=x, YPos=on_ground(art, art_name), ZPos=z + i, Visible=True)
    return records


def hero_sings(t, last, every=2, end="mic3"):
    """The hero's part of a "Playing" director: he sings where he stands."""
    for f in range(1, last, every):
        t.key(f, "Zibolt", CurFrameName="sing1" if (f // every) % 2 == 0 else "sing2")
    t.key(last, "Zibolt", CurFrameName=end)


def talk_director(name, who, spot, talk, rest, frames=16, length=150):
    """"Talking": the speaker's mouth moves while its balloon shows."""
    t = Timeline(name, length, frames)
    t.mark("Pijl")
    for f in range(1, frames):
        t.pose(f, who, talk if f % 2 else rest, *spot)
    t.pose(frames, who, rest, *spot)
    return t


def listen_director(name, who, spot, rest, blink, frames=20, length=200, mark=True):
    """"NotTalking": the speaker listens and blinks now and then."""
    t = Timeline(name, length, frames)
    if mark:
        t.mark("Pijl")
    for f, cur in ((1, rest), (8, blink), (9, rest), (15, blink), (16, rest), (frames, rest)):
        t.pose(f, who, cur, *spot)
    return t


def planet_header(frequency, visits, extra=()):
    intros = ",".join(f"Intro{i}" for i in range(1, visits + 1))
    exits = ",".join(f"Exit{i}" for i in range(1, visits + 1))
    return ["Type=VPlanetScene", f"Frequency={frequency}", f"Intro={intros}", f"Exit={exits}", *extra]


def visits(*pairs):
    """Texts "Intro1", "Exit1", "Intro2", ... from (intro, exit) conversations."""
    records = []
    for i, (intro, exit_) in enumerate(pairs, 1):
        records += [text(f"Intro{i}", intro), text(f"Exit{i}", exit_)]
    return records


def idle_with_blinks(t, who, spot, first, last, idle, blink, every=9, offset=0):
    """`who` stands at `spot` from frame `first` to `last`, blinking every so often."""
    t.pose(first, who, idle, *spot)
    for f in range(first + every // 2 + offset, last - 1, every):
        t.pose(f, who, blink, *spot)
        t.pose(f + 1, who, idle, *spot)
    t.pose(last, who, idle, *spot)


def planet_scene(art, name, header, folk, extra_sprites, sky, props, directors, texts):
    """A planet scene file: "Sky" and "Planet" (the pictures `name`-Sky and `name`-Planet), the
    sky items, the folk sprites [(art name, name)], further sprites, and the directors made by
    `directors(art, records)` once the props' records (placed by the "Before" director) are in."""
    records = [art.picture(f"{name}-Sky", "Sky"), art.picture(f"{name}-Planet", "Planet")]
    records += sky_items(art, sky)
    records += [art.sprite(a, n) for a, n in folk + extra_sprites]
    before = Timeline("Before", 200, 52)
    before.mark("Pijl")
    records += ground_props(art, before, props)
    records += [t.record() for t in directors(before)]
    records += texts
    return scene_file(header, records)


# --- meeting scenes ----------------------------------------------------------------------------
def cycle(t, who, first, last, spot, poses, every=2, bob=0, z=0, close=True):
    """`who` at `spot` from `first` to `last`, going through `poses`, one each `every` frames,
    bobbing `bob` pixels up on every other pose; `close` keys the first pose at `last` too
    (leave it to the next cycle that starts there)."""
    x, y = spot
    for n, f in enumerate(range(first, last, every)):
        t.pose(f, who, poses[n % len(poses)], x, y - (bob if n % 2 else 0), z)
    if close:
        t.pose(last, who, poses[0], x, y, z)


def catch_up(name, who, spot, poses, frames=20, length=100, to_x=40, every=2):
    """"MoveOut": the director flies right at the scene's speed while the visitor catches up with
    it, so that it leaves the stage no later than the director does."""
    t = Timeline(name, length, frames)
    x, y = spot
    moving = frames * 3 // 5
    for f in range(1, moving + 1):
        t.pose(f, who, poses[(f // every) % len(poses)], round(x + (to_x - x) * (f - 1) / (moving - 1)), y)
    t.pose(frames, who, poses[0], to_x, y)
    return t


def visitor_talks(who, spot, talk, rest, listening, listen_ms=200):
    """"Talking" (the visitor's mouth moves) and "NotTalking" (it goes through `listening`,
    one pose every two frames) of a meeting outside the ship."""
    talking = Timeline("Talking", 150, 16)
    cycle(talking, who, 1, 16, spot, [talk, rest], every=1)
    not_talking = Timeline("NotTalking", listen_ms, 20)
    cycle(not_talking, who, 1, 20, spot, listening, every=2)
    return talking, not_talking


def meeting_header(frequency, visits, speed, z=60, extra=()):
    intros = ",".join(f"Intro{i}" for i in range(1, visits + 1))
    exits = ",".join(f"Exit{i}" for i in range(1, visits + 1))
    return ["Type=VMeetingScene", f"Frequency={frequency}", "XPos=0", "YPos=0", f"ZPos={z}", f"Speed={speed}",
            f"Intro={intros}", f"Exit={exits}", *extra]


# --- in-ship scenes ----------------------------------------------------------------------------
def pilot_and_robot(art):
    """The seated hero ("Pilot", the ship's own seated frames and the cabin jokes' poses) and a
    copy of the sidekick ("Robo", its frames and the jokes' poses), for an in-ship scene."""
    pilot = pilot_frames(art) + art.sprites["Cabin-Hero"]["frames"]
    robo = art.sprites["Sidekick"]["frames"] + art.sprites["Cabin-Kick"]["frames"]
    return [art.sprite("Zibolt", "Pilot", frames=pilot, sequences=[]),
            art.sprite("Sidekick", "Robo", frames=robo, sequences=[])]


def in_ship_scene(art, frequency, director, records, extra=()):
    """An in-ship scene file: the cabin picture "Inside", `records`, and the director "Scene",
    whose "Inside" item the show lays on the ship's own cabin."""
    director.key(1, "Inside", XPos=0, YPos=0, ZPos=0, Visible=True)
    director.key(director.frames, "Inside", XPos=0, YPos=0, ZPos=0, Visible=True)
    header = ["Type=VInShipScene", f"Frequency={frequency}", *extra]
    return scene_file(header, [art.picture("Ship-Inside", "Inside")] + records + [director.record()])


def keyed(t, who, z, poses):
    """Key frames of `who` from a list of (frame, pose, x, y[, visible]) at depth `z`, each
    held until the next (the director moves it in a straight line between them)."""
    for p in poses:
        f, cur, x, y = p[:4]
        t.pose(f, who, cur, x, y, z, p[4] if len(p) > 4 else True)
