"""The cabin jokes' art: new seated poses of the hero and new poses of the sidekick, drawn from
the same parts as their main-stream frames (the <defs> of zibolt.svg and sidekick.svg), so
they match exactly; and the jokes' props (a hiccup bubble, a camera flash, the photo)."""
import os
import re

from palette import C
from sheet_layout import INK, Sheet
from toon import at, outlined, sparkle

SRC = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "src")
SEAT_W, SEAT_H, KICK_W, KICK_H = 84, 100, 44, 48


def _defs(file, prefix=""):
    """The <defs> of one of the main sheets (and its <style>), ids prefixed so two sheets' parts
    can live in one file."""
    with open(os.path.join(SRC, file)) as f:
        text = f.read()
    style = re.search(r"<style>(.*?)</style>", text, re.S).group(1)
    defs = re.search(r"<defs>(.*?)</defs>", text, re.S).group(1)
    if prefix:
        defs = re.sub(r'id="([^"]+)"', rf'id="{prefix}\1"', defs)
        defs = re.sub(r'href="#([^"]+)"', rf'href="#{prefix}\1"', defs)
        defs = re.sub(r'url\(#([^)]+)\)', rf'url(#{prefix}\1)', defs)
    return style, defs


HERO_STYLE, HERO_DEFS = _defs("zibolt.svg")
_, KICK_DEFS = _defs("sidekick.svg", "k-")
# The hero's style classes (.arm, .scarf, ...) serve both; the sidekick's only class (.ol) is ours too.
DEFS = f"<style>{HERO_STYLE}</style>{HERO_DEFS}{KICK_DEFS}"

STACHE = (f'<path d="M48,58 Q40,52 32,58 Q28,62 24,58 Q28,66 36,63 Q44,61 48,60 Q52,61 60,63 Q68,66 72,58 '
          f'Q68,62 64,58 Q56,52 48,58 Z" fill="{INK}"/>')


def seated(eyes, mouth, tilt="translate(-6,0)", extra=""):
    return (f'<use href="#seat-body"/><g transform="{tilt}"><use href="#head-front"/><use href="#{eyes}"/>'
            f'<use href="#{mouth}"/>{extra}</g>')


HERO = {
    "sit_sleep": seated("eyes-blink", "mouth-o", "translate(-2,4) rotate(12 42 44)"),
    "sit_shock": seated("eyes-upright", "mouth-open", "translate(-6,-2)"),
    "sit_hic": seated("eyes-open", "mouth-o", "translate(-6,-3)"),
    "sit_grin": seated("eyes-happy", "mouth-open"),
    "sit_sleep_stache": seated("eyes-blink", "mouth-o", "translate(-2,4) rotate(12 42 44)", STACHE),
    "sit_stache": seated("eyes-left", "mouth-smile", "translate(-7,1) rotate(-6 42 44)", STACHE),
    "sit_stache_shock": seated("eyes-upright", "mouth-o", "translate(-6,-2)", STACHE),
    "sit_blinked": seated("eyes-blink", "mouth-smile"),
}


def kick(arms, eye, prop="prop-wide", extra="", lift=0):
    return (f'<g transform="translate(0,{-1 - lift})"><use href="#k-{arms}"/><use href="#k-kick-body"/>'
            f'<use href="#k-{prop}"/><use href="#k-{eye}"/>{extra}</g>')


MARKER = (f'<g transform="rotate(30 40 18)"><rect x="36" y="6" width="7" height="20" rx="2" fill="{C("red08")}" '
          f'stroke="{INK}" stroke-width="1.5"/><path d="M37,26 L39.5,32 L42,26 Z" fill="{INK}"/></g>')
CAMERA = (f'<rect x="26" y="14" width="18" height="13" rx="2" fill="{C("metal04")}" stroke="{INK}" stroke-width="1.5"/>'
          f'<circle cx="35" cy="20.5" r="4" fill="{C("blue10")}" stroke="{INK}" stroke-width="1.2"/>')

KICK = {
    "kick_hic": kick("arms-wave", "eye-blink", "prop-narrow", lift=2),
    "kick_scared": kick("arms-wave", "eye-open", "prop-wide",
                        f'<path d="M8,16 L2,10 M36,16 L42,10" stroke="{INK}" stroke-width="2"/>', lift=3),
    "kick_laugh1": kick("arms-down", "eye-happy", "prop-wide"),
    "kick_laugh2": kick("arms-wave", "eye-happy", "prop-narrow", lift=2),
    "kick_marker": kick("arms-wave", "eye-happy", "prop-narrow", MARKER),
    "kick_camera": kick("arms-wave", "eye-open", "prop-wide", CAMERA),
}


def hic(frame):
    frame = int(frame)
    size = 12 if frame == 1 else 15
    g = outlined("M4,6 Q4,2 8,2 L48,2 Q52,2 52,6 L52,20 Q52,24 48,24 L18,24 L10,30 L12,24 L8,24 Q4,24 4,20 Z",
                 C("white"), width=2)
    return g + (f'<text x="28" y="{14 + size * 0.35}" text-anchor="middle" font-family="Comic Neue" font-weight="bold" '
                f'font-size="{size}" fill="{INK}">hic!</text>')


def flash(frame):
    frame = int(frame)
    r = 30 if frame == 1 else 46
    g = ""
    for i in range(8):
        g += outlined(f"M50,{50 - r} L55,42 L45,42 Z", C("white"), width=1.5).replace(
            "/>", f' transform="rotate({i * 45} 50 50)"/>')
    return g + f'<circle cx="50" cy="50" r="{r * 0.45}" fill="{C("yellow13")}"/>' + sparkle(50, 50, r * 0.12, "#ffffff", False)


def photo(frame):
    """The snapshot: the hero with his eyes shut, as always."""
    frame = int(frame)
    g = outlined("M4,4 L60,4 L60,72 L4,72 Z", C("white"), width=2)
    g += f'<rect x="9" y="9" width="46" height="46" fill="{C("dusk04")}"/>'
    g += f'<g transform="translate(6,8) scale(0.55)"><use href="#head-front"/><use href="#eyes-blink"/><use href="#mouth-smile"/></g>'
    g += f'<g transform="translate(30,28) scale(0.55)">{kick("arms-down", "eye-happy")}</g>' if frame == 2 else ""
    return g + f'<path d="M12,64 L36,64" stroke="{C("grey20")}" stroke-width="2"/>'


def build():
    s = Sheet("cabin", "Cabin", "Cabin jokes: the hero's and the sidekick's new poses, built from their own sheets' "
              "parts, and the props.", width=700, defs=DEFS)
    hero = [s.image(name, SEAT_W, SEAT_H, body, hot=(42, 0), file=f"Hero/{name}") for name, body in HERO.items()]
    kicks = [s.image(name, KICK_W, KICK_H, body, hot=(22, 44), file=f"Kick/{name}") for name, body in KICK.items()]
    s.add_sprite("Cabin-Hero", hero)
    s.add_sprite("Cabin-Kick", kicks)
    s.add_sprite("Cabin-Hic", s.frames(["1", "2"], 56, 32, hic, (28, 30), prefix="hic"))
    s.add_sprite("Cabin-Flash", s.frames(["1", "2"], 100, 100, flash, (50, 50), prefix="flash"))
    s.add_sprite("Cabin-Photo", s.frames(["1", "2"], 64, 76, photo, (32, 0), prefix="photo"))
    return s
