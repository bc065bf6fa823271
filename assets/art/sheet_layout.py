"""A scene sheet that lays its own images out: each image is drawn in its own clipped cell, the
cells are packed in rows, and the sheet knows every image's rectangle, so drawing and cutting
cannot disagree. Also the manifest's sprite and sequence entries that the scene art shares.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
INK = "#080b1d"  # the outline colour of every character
GREEN = "green"
DIR = "art/bmp/Scenes"
GAP = 6
# The ship shows a mail for 12.4 seconds while its "DEFAULT" plays; a little longer, so that
# the ship, not the sequence, ends the display.
MAIL_MS = 13000

STYLE = (f".ol {{ fill: none; stroke: {INK}; stroke-width: 2.5; stroke-linejoin: round; "
         f"stroke-linecap: round; }}")


def seq(name, *steps):
    return {"name": name, "steps": [list(s) for s in steps]}


def sprite(name, frames, *sequences):
    return {"name": name, "curFrameName": frames[0]["name"], "frames": frames, "sequences": list(sequences)}


def mail(name, frames, shown_ms):
    """A scene's "VMAIL": its two frames in turn, as long as the ship shows it."""
    a, b = frames[0]["name"], frames[1]["name"]
    turns = -(-MAIL_MS // (shown_ms * 2))
    return sprite(name, frames, seq("DEFAULT", *[s for _ in range(turns) for s in ((a, shown_ms), (b, shown_ms))]))


class Sheet:
    """One SVG sheet (art/src/<id>.svg) of one scene's images."""

    def __init__(self, sheet_id, folder, comment, width=1000, defs=""):
        self.id, self.folder, self.comment, self.width = sheet_id, folder, comment, width
        self.defs = defs
        self.cells = []          # (x, y, w, h, body)
        self.x = self.y = self.row_h = 0
        self.pictures = []
        self.sprites = []

    def _place(self, w, h):
        if self.x and self.x + w > self.width:
            self.x, self.y, self.row_h = 0, self.y + self.row_h + GAP, 0
        at = (self.x, self.y)
        self.x += w + GAP
        self.row_h = max(self.row_h, h)
        return at

    def image(self, name, w, h, body, key=GREEN, hot=None, file=None):
        """An image of w x h drawn by `body` (SVG in the cell's own coordinates)."""
        x, y = self._place(w, h)
        self.cells.append((x, y, w, h, body))
        entry = {"name": name, "file": f"{DIR}/{self.folder}/{file or name}.bmp", "source": self.id,
                 "rect": [x, y, w, h], "key": key}
        if hot is not None:
            entry["hotSpot"] = list(hot)
        return entry

    def picture(self, name, w, h, body, key=GREEN, file=None):
        """A picture of the manifest, named `name` there (unique across the show)."""
        entry = self.image(name, w, h, body, key=key, file=file)
        self.pictures.append(entry)
        return entry

    def frames(self, names, w, h, draw, hot, prefix="", folder=""):
        """Frames `prefix + name`, each drawn by draw(name)."""
        return [self.image(prefix + n, w, h, draw(n), hot=hot, file=f"{folder}{prefix}{n}") for n in names]

    def add_sprite(self, name, frames, *sequences, tags=None):
        entry = sprite(name, frames, *sequences)
        if tags:
            entry["tags"] = tags
        self.sprites.append(entry)
        return entry

    def height(self):
        return self.y + self.row_h

    def source(self):
        return (self.id, f"art/src/{self.id}.svg", self.width, self.height())

    def svg(self):
        body = "".join(f'\n  <svg x="{x}" y="{y}" width="{w}" height="{h}" viewBox="0 0 {w} {h}">{b}</svg>'
                       for x, y, w, h, b in self.cells)
        return (f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
                f'width="{self.width}" height="{self.height()}" viewBox="0 0 {self.width} {self.height()}">\n'
                f'  <!-- {self.comment} Each image in its own cell; sheet_layout.py packs them. -->\n'
                f'  <style>{STYLE}</style>\n  <defs>{self.defs}</defs>{body}\n</svg>\n')

    def write(self):
        with open(os.path.join(HERE, "src", self.id + ".svg"), "w") as f:
            f.write(self.svg())
