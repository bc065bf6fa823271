"""Drawing pieces the scene sheets share: faces, sparkles, clouds, and the two backgrounds a
planet scene stretches (a sky of horizontal bands, a ground strip), so that every world is
drawn in the same hand. Colours are master palette names (palette.C)."""
import itertools
import math

from palette import C
from sheet_layout import INK

_ids = itertools.count(1)


def uid(stem):
    """An id that no other drawing of any sheet uses (clip paths live in one SVG namespace)."""
    return f"{stem}{next(_ids)}"


def at(x, y, inner, extra=""):
    return f'<g transform="translate({x},{y}){extra}">{inner}</g>'


def outlined(d, fill, width=2.5, extra=""):
    return f'<path d="{d}" fill="{fill}" stroke="{INK}" stroke-width="{width}" stroke-linejoin="round"{extra}/>'


def shaded_blob(d, fill, shade, light, shade_at, light_at, width=3):
    """A flat body with one shade (an ellipse clipped to the body) and one highlight."""
    cid = uid("clip")
    sx, sy, srx, sry = shade_at
    lx, ly, lrx, lry, angle = light_at
    return (f'<clipPath id="{cid}"><path d="{d}"/></clipPath>'
            f'<path d="{d}" fill="{fill}"/>'
            f'<ellipse cx="{sx}" cy="{sy}" rx="{srx}" ry="{sry}" fill="{shade}" clip-path="url(#{cid})"/>'
            f'<ellipse cx="{lx}" cy="{ly}" rx="{lrx}" ry="{lry}" fill="{light}" transform="rotate({angle} {lx} {ly})"/>'
            f'<path d="{d}" class="ol" stroke-width="{width}"/>')


def eyes(cx, cy, dx, r, look=0.0, state="open"):
    """Two big cartoon eyes around (cx, cy), `dx` from the centre: open, closed, happy,
    sleepy (half shut) or wide (pupils small)."""
    out = ""
    for sx in (-1, 1):
        ex = cx + sx * dx
        if state == "closed":
            out += f'<path d="M{ex - r},{cy} Q{ex},{cy + r * 0.6} {ex + r},{cy}" class="ol" stroke-width="2.5"/>'
        elif state == "happy":
            out += f'<path d="M{ex - r},{cy + 2} Q{ex},{cy - r} {ex + r},{cy + 2}" class="ol" stroke-width="2.5"/>'
        else:
            pupil = r * (0.3 if state == "wide" else 0.48)
            out += (f'<ellipse cx="{ex}" cy="{cy}" rx="{r * 0.85}" ry="{r}" fill="#ffffff" stroke="{INK}" stroke-width="2"/>'
                    f'<circle cx="{ex + look}" cy="{cy + 1}" r="{pupil}" fill="{INK}"/>'
                    f'<circle cx="{ex + look + r * 0.2}" cy="{cy - r * 0.25}" r="{r * 0.18}" fill="#ffffff"/>')
            if state == "sleepy":
                out += (f'<path d="M{ex - r * 0.95},{cy} Q{ex},{cy - r * 1.3} {ex + r * 0.95},{cy} Z" '
                        f'fill="{C("grey22")}" stroke="{INK}" stroke-width="2"/>')
    return out


def mouth(kind, x, y, w=12):
    """A mouth centred at (x, y): smile, open, o, flat, grin or frown."""
    h = w / 2
    if kind == "open":
        return (f'<path d="M{x - h},{y - 2} Q{x},{y} {x + h},{y - 2} Q{x + h * 0.8},{y + w * 0.8} {x},{y + w * 0.8} '
                f'Q{x - h * 0.8},{y + w * 0.8} {x - h},{y - 2} Z" fill="{C("red03")}" stroke="{INK}" stroke-width="2"/>'
                f'<ellipse cx="{x}" cy="{y + w * 0.55}" rx="{w * 0.28}" ry="{w * 0.15}" fill="{C("pink08")}"/>')
    if kind == "o":
        return f'<ellipse cx="{x}" cy="{y + 2}" rx="{w * 0.25}" ry="{w * 0.32}" fill="{C("red03")}" stroke="{INK}" stroke-width="2"/>'
    if kind == "flat":
        return f'<path d="M{x - h * 0.7},{y} L{x + h * 0.7},{y}" class="ol" stroke-width="2"/>'
    if kind == "frown":
        return f'<path d="M{x - h},{y + 3} Q{x},{y - 4} {x + h},{y + 3}" class="ol" stroke-width="2"/>'
    if kind == "grin":
        return (f'<path d="M{x - h},{y - 2} Q{x},{y + w * 0.9} {x + h},{y - 2} Z" fill="#ffffff" stroke="{INK}" stroke-width="2" '
                f'stroke-linejoin="round"/><path d="M{x - h * 0.8},{y + 1} L{x + h * 0.8},{y + 1}" stroke="{INK}" stroke-width="1"/>')
    return f'<path d="M{x - h},{y - 1} Q{x},{y + h} {x + h},{y - 1}" class="ol" stroke-width="2"/>'


def blush(x1, x2, y, rx=4, ry=2.5):
    return (f'<ellipse cx="{x1}" cy="{y}" rx="{rx}" ry="{ry}" fill="{C("pink10")}"/>'
            f'<ellipse cx="{x2}" cy="{y}" rx="{rx}" ry="{ry}" fill="{C("pink10")}"/>')


def sparkle(x, y, r, fill, stroke=True):
    """A four-pointed twinkle."""
    d = (f"M{x},{y - r * 2} L{x + r * 0.4},{y - r * 0.4} L{x + r * 2},{y} L{x + r * 0.4},{y + r * 0.4} "
         f"L{x},{y + r * 2} L{x - r * 0.4},{y + r * 0.4} L{x - r * 2},{y} L{x - r * 0.4},{y - r * 0.4} Z")
    line = f' stroke="{INK}" stroke-width="1.2" stroke-linejoin="round"' if stroke else ""
    return f'<path d="{d}" fill="{fill}"{line}/>'


def star5(x, y, r, fill, width=1.8):
    pts = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        rr = r if i % 2 == 0 else r * 0.45
        pts.append(f"{x + rr * math.cos(a):.1f},{y + rr * math.sin(a):.1f}")
    return f'<path d="M{" L".join(pts)} Z" fill="{fill}" stroke="{INK}" stroke-width="{width}" stroke-linejoin="round"/>'


def cloud(w, h, fill, shade, light=None):
    """A flat cartoon cloud filling a w x h cell, flat-bottomed, with a shaded base."""
    b = h - 3
    d = (f"M{w * 0.08},{b} Q{w * 0.0},{b - h * 0.35} {w * 0.18},{b - h * 0.45} Q{w * 0.2},{b - h * 0.9} {w * 0.42},{b - h * 0.78} "
         f"Q{w * 0.55},{3} {w * 0.72},{b - h * 0.6} Q{w * 0.98},{b - h * 0.62} {w * 0.92},{b} Z")
    cid = uid("cl")
    out = (f'<clipPath id="{cid}"><path d="{d}"/></clipPath><path d="{d}" fill="{fill}"/>'
           f'<rect x="0" y="{b - h * 0.22}" width="{w}" height="{h}" fill="{shade}" clip-path="url(#{cid})"/>')
    if light:
        out += f'<ellipse cx="{w * 0.4}" cy="{b - h * 0.6}" rx="{w * 0.09}" ry="{h * 0.1}" fill="{light}"/>'
    return out + f'<path d="{d}" class="ol" stroke-width="2.5"/>'


def wave_path(width, y, amp, period, phase=0.0):
    """A horizon of gentle waves whose period divides `width`, so the picture tiles and stretches."""
    n = max(1, round(width / period))
    step = width / n
    d = f"M0,{y + amp * math.sin(phase):.1f}"
    for i in range(n):
        x0 = i * step
        d += (f" Q{x0 + step * 0.25:.1f},{y - amp:.1f} {x0 + step * 0.5:.1f},{y:.1f}"
              f" Q{x0 + step * 0.75:.1f},{y + amp:.1f} {x0 + step:.1f},{y:.1f}")
    return d


def band_sky(width, height, bands, streaks=(), edge_amp=0, edge_period=100):
    """A sky of horizontal bands: `bands` is [(top, colour)] from the top; each band edge may
    wave gently (a period that divides the width, so tiles meet). `streaks` are thin
    horizontal highlights (x, y, length, colour) kept inside the tile. Nothing round: the
    picture is tiled across the stage and stretched to its height."""
    g = ""
    for i, (top, colour) in enumerate(bands):
        if i == 0 or not edge_amp:
            g += f'<rect x="0" y="{top}" width="{width}" height="{height - top}" fill="{colour}"/>'
        else:
            g += (f'<path d="{wave_path(width, top, edge_amp, edge_period, 0)} L{width},{height} L0,{height} Z" '
                  f'fill="{colour}"/>')
    for x, y, length, colour in streaks:
        g += f'<rect x="{x}" y="{y}" width="{length}" height="2" rx="1" fill="{colour}"/>'
    return g


def ground_strip(width, height, top_colour, layers, behind="", outline=True, amp=3, period=400):
    """The planet strip: sky colour above, `behind` (far ridges, long and flat), then ground
    layers [(y, colour)] of gentle waves; the first layer's edge is the surface (row 80 in every
    strip), where the landing gear touches. Nothing round: the strip is stretched to the width."""
    g = f'<rect x="0" y="0" width="{width}" height="{height}" fill="{top_colour}"/>' + behind
    for i, (y, colour) in enumerate(layers):
        a = amp if i == 0 else max(1, amp - 1)
        g += f'<path d="{wave_path(width, y, a, period, i)} L{width},{height} L0,{height} Z" fill="{colour}"/>'
    if outline:
        g += f'<path d="{wave_path(width, layers[0][0], amp, period)}" class="ol" stroke-width="3"/>'
    return g


def strata(lines, width=2):
    """Thin layer lines across a ground strip, [(y, colour)], each gently waving."""
    return "".join(f'<path d="M0,{y} Q200,{y - 3} 400,{y} Q600,{y + 3} 800,{y}" fill="none" stroke="{colour}" '
                   f'stroke-width="{width}"/>' for y, colour in lines)
