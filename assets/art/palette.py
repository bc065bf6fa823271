"""The master palette by colour name ("teal08" -> "#3fb5bc"), so that drawings use colours the
quantiser keeps exactly: a flat area in a palette colour renders without a stray neighbour."""
import os

_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "palette", "master.txt")


def _load():
    colours = {}
    with open(_PATH) as f:
        for line in f:
            if line.startswith("#") or "#" not in line:
                continue
            rgb, name = line.split("#", 1)
            r, g, b = (int(v) for v in rgb.split())
            colours[name.strip()] = "#%02x%02x%02x" % (r, g, b)
    return colours


COLOURS = _load()


def C(name):
    """The palette colour `name` as an SVG colour; an unknown name is a mistake in the art."""
    try:
        return COLOURS[name]
    except KeyError:
        raise SystemExit(f"no palette colour named {name}") from None
