#!/usr/bin/env python3
"""Draws the launcher's pictures and icon.

The drawings are computed here (gear teeth, chain, belts) and written as SVG;
the raster files are rendered from those SVG files:

    rsvg-convert (librsvg2-bin)   SVG -> PNG, anti-aliased
    convert      (imagemagick)    flatten, 256-colour palette, GIF

Run from anywhere:  python3 resources/images/make-images.py
The results are committed; the build does not run this script.

Output, beside this script:
    derize-zizir.svg               icon master (square, scalable)
    derize-zizir-{16,32,48,256}.png
    derize-zizir.ico               the four sizes, for the Windows program
    ani_image.png                  193 x 73, 8-bit palette, no alpha
    transmission.gif               140 x 131, one frame, no transparency
    ani_image.bmp, transmission.bmp   the same pixels, uncompressed 8-bit BMP:
                                   the Windows program's bitmap resources
    src/ani_image.svg, src/transmission.svg   sources of the two pictures
"""

import math
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "src")

BUTTON_FACE = "#f0f0f0"
TRANSMISSION_PAPER = "#f4f5ef"  # the drawing's paper, behind RxGIFAnimator1


# --------------------------------------------------------------------------
# Geometry
# --------------------------------------------------------------------------


def fmt(v):
    s = f"{v:.2f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def polygon_path(points):
    head = "M" + fmt(points[0][0]) + " " + fmt(points[0][1])
    rest = "".join("L" + fmt(x) + " " + fmt(y) for x, y in points[1:])
    return head + rest + "Z"


def circle_path(cx, cy, r):
    """A circle as a path, for even-odd holes inside other paths."""
    return (
        f"M{fmt(cx + r)} {fmt(cy)}"
        f"A{fmt(r)} {fmt(r)} 0 1 0 {fmt(cx - r)} {fmt(cy)}"
        f"A{fmt(r)} {fmt(r)} 0 1 0 {fmt(cx + r)} {fmt(cy)}Z"
    )


def gradient(ident, stops, kind="linearGradient", **attributes):
    """An SVG gradient for a <defs> block: `stops` as (offset, colour) pairs,
    then the gradient's own attributes in the order given."""
    head = " ".join([f'id="{ident}"'] + [f'{name}="{value}"' for name, value in attributes.items()])
    lines = [f"    <{kind} {head}>"]
    lines += [f'      <stop offset="{offset}" stop-color="{colour}"/>' for offset, colour in stops]
    lines.append(f"    </{kind}>")
    return "\n".join(lines)


# The directions of a linear gradient across its object's bounding box.
DOWN = {"x1": "0", "y1": "0", "x2": "0", "y2": "1"}
ACROSS = {"x1": "0", "y1": "0", "x2": "1", "y2": "0"}
DIAGONAL = {"x1": "0", "y1": "0", "x2": "1", "y2": "1"}


def horizontal_band(ident, stops, x_left, x_right):
    """A linear gradient from x_left to x_right in user space."""
    return gradient(ident, stops, gradientUnits="userSpaceOnUse",
                    x1=fmt(x_left), y1="0", x2=fmt(x_right), y2="0")


def involute(alpha):
    return math.tan(alpha) - alpha


def spur_gear(teeth, module, phase=0.0, pressure_deg=20.0, steps=6):
    """Outline of an involute spur gear centred on the origin.

    phase is the angle (radians) of the centre line of tooth 0.
    Returns a list of (x, y) points, counter-clockwise in maths terms.
    """
    r = module * teeth / 2.0
    ra = r + module
    rf = r - 1.25 * module
    alpha0 = math.radians(pressure_deg)
    rb = r * math.cos(alpha0)
    half_pitch_thickness = math.pi / (2.0 * teeth)

    def half_angle(radius):
        radius = max(radius, rb)
        a = math.acos(rb / radius)
        return half_pitch_thickness + involute(alpha0) - involute(a)

    start = max(rf, rb)
    flank = [start + (ra - start) * i / steps for i in range(steps + 1)]
    step = 2.0 * math.pi / teeth
    pts = []
    for k in range(teeth):
        c = phase + k * step
        # root, then the rising flank, the tip, the falling flank
        if rf < rb:
            pts.append((rf, c - half_angle(rb)))
        for rad in flank:
            pts.append((rad, c - half_angle(rad)))
        for rad in reversed(flank):
            pts.append((rad, c + half_angle(rad)))
        if rf < rb:
            pts.append((rf, c + half_angle(rb)))
        # root arc to the next tooth
        a0 = c + half_angle(rb if rf < rb else start)
        a1 = c + step - half_angle(rb if rf < rb else start)
        for i in range(1, 3):
            pts.append((rf, a0 + (a1 - a0) * i / 3))
    return [(rad * math.cos(a), rad * math.sin(a)) for rad, a in pts]


def block_gear(teeth, r_tip, r_root, tip_share=0.42, root_share=0.62, phase=0.0):
    """Bold trapezoid teeth for small sizes (the icon)."""
    step = 2.0 * math.pi / teeth
    pts = []
    for k in range(teeth):
        c = phase + k * step
        hr = step * root_share / 2.0
        ht = step * tip_share / 2.0
        pts += [
            (r_root, c - hr),
            (r_tip, c - ht),
            (r_tip, c + ht),
            (r_root, c + hr),
        ]
    return [(rad * math.cos(a), rad * math.sin(a)) for rad, a in pts]


def moved(points, dx, dy, sx=1.0, sy=1.0):
    return [(dx + x * sx, dy + y * sy) for x, y in points]


def mesh_phases(n1, n2, direction):
    """Tooth phases that make gear 2 (at angle `direction` from gear 1) mesh."""
    phase1 = direction
    phase2 = direction + math.pi + math.pi / n2
    return phase1, phase2


# --------------------------------------------------------------------------
# Icon: two meshing gears, a bold silhouette that still reads at 16 px
# --------------------------------------------------------------------------


def icon_svg():
    size = 256
    # big gear lower left, small gear upper right
    n1, n2 = 8, 6
    tip1, root1 = 82.0, 61.0
    tip2, root2 = 57.0, 39.0
    # Centres on the 16-pixel grid (whole pixels at 16 px), so the bores stay
    # open at the smallest size; the centre distance leaves a little backlash.
    c1 = (96.0, 160.0)
    c2 = (176.0, 72.0)
    direction = math.atan2(c2[1] - c1[1], c2[0] - c1[0])
    p1, p2 = mesh_phases(n1, n2, direction)
    g1 = moved(block_gear(n1, tip1, root1, phase=p1), *c1)
    g2 = moved(block_gear(n2, tip2, root2, 0.40, 0.60, phase=p2), *c2)

    hole1 = 28.0
    hole2 = 22.0
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 {size} {size}">
  <title>DERIZE-Zizir</title>
  <defs>
{gradient("steel", (("0", "#5b8fc7"), ("1", "#2c5a8e")), **DOWN)}
{gradient("bronze", (("0", "#f6ae45"), ("1", "#d17a12")), **DOWN)}
  </defs>
  <g stroke-linejoin="round" fill-rule="evenodd" stroke-width="12">
    <path fill="url(#steel)" stroke="#173456"
          d="{polygon_path(g1)}{circle_path(c1[0], c1[1], hole1)}"/>
    <path fill="url(#bronze)" stroke="#6e3f06"
          d="{polygon_path(g2)}{circle_path(c2[0], c2[1], hole2)}"/>
  </g>
</svg>
"""


# --------------------------------------------------------------------------
# AniImage: a pictorial view of two spur gears meshing, on their shafts
# --------------------------------------------------------------------------


def ani_image_svg():
    w, h = 193, 73
    squash = 0.40  # vertical scale of a horizontal disc seen from above
    thick = 9  # face width, in pixels on screen
    m = 3.5
    n1, n2 = 28, 17
    r1, r2 = m * n1 / 2, m * n2 / 2
    dist = r1 + r2
    top = 25.0  # y of the gears' top faces' centres
    cx1 = (192 - (r1 + r2 + dist + 2 * m)) / 2 + r1 + m
    c1 = (cx1, top)
    c2 = (cx1 + dist, top)
    p1, p2 = mesh_phases(n1, n2, 0.0)
    # rotate a little so the mesh is not perfectly symmetric
    twist = math.radians(3.0)
    p1 += twist
    p2 -= twist * n1 / n2
    g1 = spur_gear(n1, m, p1)
    g2 = spur_gear(n2, m, p2)

    parts = []
    shaft1, shaft2 = 7.0, 5.5
    bore_top = 12  # shaft stub above the gear

    def shaft(cx, radius, y0, y1, grad):
        """A vertical cylinder from y0 (top face centre) down to y1."""
        ry = radius * squash
        return (
            f'<path fill="url(#{grad})" stroke="#2e3338" stroke-width="0.8" '
            f'd="M{fmt(cx - radius)} {fmt(y0)}L{fmt(cx - radius)} {fmt(y1)}'
            f"A{fmt(radius)} {fmt(ry)} 0 0 0 {fmt(cx + radius)} {fmt(y1)}"
            f'L{fmt(cx + radius)} {fmt(y0)}Z"/>'
        )

    def shaft_top(cx, radius, y, key):
        ry = radius * squash
        s = (
            f'<ellipse cx="{fmt(cx)}" cy="{fmt(y)}" rx="{fmt(radius)}" ry="{fmt(ry)}" '
            f'fill="#d9dde1" stroke="#2e3338" stroke-width="0.8"/>'
        )
        if key:
            s += (
                f'<rect x="{fmt(cx - 1.2)}" y="{fmt(y - ry)}" width="2.4" height="{fmt(ry * 0.8)}" '
                f'fill="#7b848c"/>'
            )
        return s

    # shafts below the gears, standing in a base plate (drawn first)
    plate_top, plate_face, plate_bottom = 59.5, 62.5, 69.5
    x0, x1 = 4.5, 186.5
    parts.append(shaft(c1[0], shaft1, top + thick, plate_top + 1.5, "shaftgrad"))
    parts.append(shaft(c2[0], shaft2, top + thick, plate_top + 1.5, "shaftgrad"))
    parts.append(
        f'<path fill="#c9ced3" stroke="#2e3338" stroke-width="1" stroke-linejoin="round" '
        f'd="M{fmt(x0 + 4)} {fmt(plate_top)}H{fmt(x1 - 4)}L{fmt(x1)} {fmt(plate_face)}H{fmt(x0)}Z"/>'
    )
    for c, radius in ((c1, shaft1), (c2, shaft2)):
        # the bearing bore where the shaft enters the plate
        parts.append(
            f'<ellipse cx="{fmt(c[0])}" cy="{fmt(plate_top + 1.5)}" rx="{fmt(radius + 2)}" ry="1.6" '
            f'fill="#8c949b" stroke="#2e3338" stroke-width="0.6"/>'
        )
        parts.append(shaft(c[0], radius, top + thick, plate_top + 1.5, "shaftgrad"))
    hatch = "".join(
        f"M{fmt(x)} {fmt(plate_bottom)}L{fmt(x + plate_bottom - plate_face)} {fmt(plate_face)}"
        for x in range(int(x0) + 2, int(x1) - 6, 4)
    )
    parts.append(
        f'<rect x="{fmt(x0)}" y="{fmt(plate_face)}" width="{fmt(x1 - x0)}" height="{fmt(plate_bottom - plate_face)}" '
        f'fill="#e3e6e9" stroke="#2e3338" stroke-width="1"/>'
    )
    parts.append(f'<path stroke="#5c656d" stroke-width="0.7" fill="none" d="{hatch}"/>')

    # gear bodies: stack the outline downward to give the face width
    for dz in range(thick, 0, -1):
        shade = "url(#side1)"
        parts.append(
            f'<path fill="{shade}" d="{polygon_path(moved(g1, c1[0], c1[1] + dz, 1, squash))}"/>'
        )
        parts.append(
            f'<path fill="url(#side2)" d="{polygon_path(moved(g2, c2[0], c2[1] + dz, 1, squash))}"/>'
        )
    # a dark outline at the bottom edge of the stack
    parts.append(
        f'<path fill="none" stroke="#1f2a33" stroke-width="0.7" stroke-linejoin="round" '
        f'd="{polygon_path(moved(g1, c1[0], c1[1] + thick, 1, squash))}"/>'
    )
    parts.append(
        f'<path fill="none" stroke="#4a2a08" stroke-width="0.7" stroke-linejoin="round" '
        f'd="{polygon_path(moved(g2, c2[0], c2[1] + thick, 1, squash))}"/>'
    )

    # top faces, with a hub ring and a web recess
    def face(points, c, grad, edge, r_pitch, hub, web_grad):
        f = (
            f'<path fill="url(#{grad})" stroke="{edge}" stroke-width="0.8" stroke-linejoin="round" '
            f'd="{polygon_path(moved(points, c[0], c[1], 1, squash))}"/>'
        )
        rim = r_pitch - 2.6 * m
        if rim > hub + 4:
            f += (
                f'<ellipse cx="{fmt(c[0])}" cy="{fmt(c[1])}" rx="{fmt(rim)}" ry="{fmt(rim * squash)}" '
                f'fill="url(#{web_grad})" stroke="{edge}" stroke-width="0.6" stroke-opacity="0.7"/>'
            )
        f += (
            f'<ellipse cx="{fmt(c[0])}" cy="{fmt(c[1])}" rx="{fmt(hub)}" ry="{fmt(hub * squash)}" '
            f'fill="url(#{grad})" stroke="{edge}" stroke-width="0.6"/>'
        )
        return f

    parts.append(face(g1, c1, "face1", "#1f2a33", r1, shaft1 + 6, "web1"))
    parts.append(face(g2, c2, "face2", "#4a2a08", r2, shaft2 + 5, "web2"))

    # shaft stubs above the gears
    parts.append(shaft(c1[0], shaft1, top - bore_top, top, "shaftgrad"))
    parts.append(shaft_top(c1[0], shaft1, top - bore_top, True))
    parts.append(shaft(c2[0], shaft2, top - bore_top + 2, top, "shaftgrad"))
    parts.append(shaft_top(c2[0], shaft2, top - bore_top + 2, True))

    # rotation arrows: a short arc over each gear's far side
    def arrow(cx, cy, rx, ry, a0, a1, colour):
        a0r, a1r = math.radians(a0), math.radians(a1)
        x0, y0 = cx + rx * math.cos(a0r), cy + ry * math.sin(a0r)
        x1, y1 = cx + rx * math.cos(a1r), cy + ry * math.sin(a1r)
        sweep = 1 if a1 > a0 else 0
        # arrow head at the end, along the tangent
        t = (-rx * math.sin(a1r), ry * math.cos(a1r))
        if a1 < a0:
            t = (-t[0], -t[1])
        ln = math.hypot(*t)
        t = (t[0] / ln, t[1] / ln)
        n = (-t[1], t[0])
        hx, hy = x1 + t[0] * 4.5, y1 + t[1] * 4.5
        head = [
            (hx, hy),
            (x1 - t[0] * 0.5 + n[0] * 3.0, y1 - t[1] * 0.5 + n[1] * 3.0),
            (x1 - t[0] * 0.5 - n[0] * 3.0, y1 - t[1] * 0.5 - n[1] * 3.0),
        ]
        return (
            f'<path fill="none" stroke="{colour}" stroke-width="1.5" '
            f'd="M{fmt(x0)} {fmt(y0)}A{fmt(rx)} {fmt(ry)} 0 0 {sweep} {fmt(x1)} {fmt(y1)}"/>'
            f'<path fill="{colour}" d="{polygon_path(head)}"/>'
        )

    parts.append(arrow(c1[0], c1[1] + thick / 2, r1 + m + 4, (r1 + m + 4) * squash, 105, 150, "#b3261e"))
    parts.append(arrow(c2[0], c2[1] + thick / 2, r2 + m + 4, (r2 + m + 4) * squash, 60, 20, "#b3261e"))

    # The gears' sides lit from the left, their faces and webs from the top
    # left, the shafts from the left.
    defs = [
        horizontal_band("side1", (("0", "#3c5a78"), ("0.35", "#8fb0cf"), ("1", "#2a4460")),
                        c1[0] - r1, c1[0] + r1),
        horizontal_band("side2", (("0", "#8a5714"), ("0.35", "#e2a95a"), ("1", "#6e430c")),
                        c2[0] - r2, c2[0] + r2),
    ]
    for ident, light, dark in (
        ("face1", "#c9dcee", "#7d9fc1"),
        ("web1", "#8eaccb", "#b5cce2"),
        ("face2", "#f7d7a4", "#d5994c"),
        ("web2", "#d39a52", "#f0c486"),
    ):
        defs.append(gradient(ident, (("0", light), ("1", dark)), **DIAGONAL))
    defs.append(gradient("shaftgrad", (("0", "#6d757c"), ("0.3", "#e4e7ea"), ("1", "#4d545a")), **ACROSS))

    body = "\n  ".join(parts)
    gradients = "\n".join(defs)
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">
  <defs>
{gradients}
  </defs>
  <rect width="{w}" height="{h}" fill="{BUTTON_FACE}"/>
  {body}
</svg>
"""


# --------------------------------------------------------------------------
# RxGIFAnimator1: a roller-chain drive, drawn like a technical drawing
# --------------------------------------------------------------------------


def sprocket(teeth, pitch, roller, phase):
    """Roller-chain sprocket outline centred on the origin.

    The roller seats lie on the pitch circle at phase + k * 2pi/teeth.
    """
    rp = pitch / (2.0 * math.sin(math.pi / teeth))
    seat = roller * 1.08
    tip = rp + 0.42 * pitch
    step = 2.0 * math.pi / teeth
    pts = []
    for k in range(teeth):
        a = phase + k * step
        ux, uy = math.cos(a), math.sin(a)
        tx, ty = -uy, ux
        px, py = rp * ux, rp * uy
        # seat arc, facing the centre
        for i in range(9):
            b = math.radians(-75 + 150 * i / 8)
            pts.append((px - seat * (ux * math.cos(b) - tx * math.sin(b)),
                        py - seat * (uy * math.cos(b) - ty * math.sin(b))))
        # flank up to a narrow tip half way to the next seat
        am = a + step / 2
        d = step * 0.09
        pts.append((tip * math.cos(am - d), tip * math.sin(am - d)))
        pts.append((tip * math.cos(am + d), tip * math.sin(am + d)))
    return pts, rp, tip


def outer_tangent_path(c1, r1, c2, r2):
    """The closed path of a belt or chain around two circles (open drive).

    Returns a list of segments: ("arc", centre, radius, a_start, a_end) with
    angles increasing (counter-clockwise in SVG's y-down frame means clockwise
    on screen), and ("line", p, q). Also returns the total length.
    """
    dx, dy = c2[0] - c1[0], c2[1] - c1[1]
    d = math.hypot(dx, dy)
    base = math.atan2(dy, dx)
    beta = math.acos((r1 - r2) / d)
    # tangent points: normal angles base +/- beta on both circles
    a_up = base - beta  # one side
    a_dn = base + beta  # other side
    # travel: along circle 2 from a_up to a_dn (short wrap), line to circle 1, wrap on 1, line back
    segs = []

    def pt(c, r, a):
        return (c[0] + r * math.cos(a), c[1] + r * math.sin(a))

    segs.append(("arc", c2, r2, a_up, a_dn))
    segs.append(("line", pt(c2, r2, a_dn), pt(c1, r1, a_dn)))
    segs.append(("arc", c1, r1, a_dn, a_up + 2 * math.pi))
    segs.append(("line", pt(c1, r1, a_up), pt(c2, r2, a_up)))
    total = 0.0
    for s in segs:
        if s[0] == "arc":
            total += s[2] * (s[4] - s[3])
        else:
            total += math.hypot(s[2][0] - s[1][0], s[2][1] - s[1][1])
    return segs, total


def point_at(segs, s):
    for seg in segs:
        if seg[0] == "arc":
            ln = seg[2] * (seg[4] - seg[3])
            if s <= ln:
                a = seg[3] + s / seg[2]
                return (seg[1][0] + seg[2] * math.cos(a), seg[1][1] + seg[2] * math.sin(a))
        else:
            ln = math.hypot(seg[2][0] - seg[1][0], seg[2][1] - seg[1][1])
            if s <= ln:
                t = s / ln
                return (seg[1][0] + (seg[2][0] - seg[1][0]) * t, seg[1][1] + (seg[2][1] - seg[1][1]) * t)
        s -= ln
    return point_at(segs, 0.0)


def transmission_svg():
    w, h = 140, 131
    pitch = 7.4
    roller = 2.3
    n1, n2 = 21, 13
    c1 = (50.5, 87.5)
    c2 = (107.5, 38.5)
    rp1 = pitch / (2.0 * math.sin(math.pi / n1))
    rp2 = pitch / (2.0 * math.sin(math.pi / n2))
    segs, total = outer_tangent_path(c1, rp1, c2, rp2)
    links = 2 * round(total / pitch / 2)  # an even number of links
    spacing = total / links
    rollers = [point_at(segs, i * spacing) for i in range(links)]

    def phase_for(c, rp):
        # align a seat with the roller that sits nearest the sprocket's far side
        best = min(rollers, key=lambda p: abs(math.hypot(p[0] - c[0], p[1] - c[1]) - rp)
                   + 0.02 * math.hypot(p[0] - (2 * c[0] - (c1[0] + c2[0]) / 2), p[1] - (2 * c[1] - (c1[1] + c2[1]) / 2)))
        return math.atan2(best[1] - c[1], best[0] - c[0])

    s1, _, tip1 = sprocket(n1, pitch, roller, phase_for(c1, rp1))
    s2, _, tip2 = sprocket(n2, pitch, roller, phase_for(c2, rp2))

    ink = "#1d2b3a"
    axis = "#c0392b"
    parts = []

    # centre lines (dash-dot), drawn under everything
    ext = 8
    cl = f'stroke="{axis}" stroke-width="1" stroke-dasharray="10 2 2 2" fill="none"'
    for c, t in ((c1, tip1), (c2, tip2)):
        parts.append(f'<path {cl} d="M{fmt(c[0] - t - ext)} {fmt(c[1])}H{fmt(c[0] + t + ext)}"/>')
        parts.append(f'<path {cl} d="M{fmt(c[0])} {fmt(c[1] - t - ext)}V{fmt(c[1] + t + ext)}"/>')
    parts.append(
        f'<path {cl} d="M{fmt(c1[0])} {fmt(c1[1])}L{fmt(c2[0])} {fmt(c2[1])}"/>'
    )

    def body(points, c, rp, hub, bore, lightening):
        d = polygon_path(moved(points, *c))
        s = f'<path fill="url(#steel)" stroke="{ink}" stroke-width="0.9" stroke-linejoin="round" d="{d}"/>'
        # root circle (thin) and hub
        s += (f'<circle cx="{fmt(c[0])}" cy="{fmt(c[1])}" r="{fmt(rp - roller * 1.8)}" fill="none" '
              f'stroke="{ink}" stroke-width="0.5" stroke-opacity="0.6"/>')
        if lightening:
            rr = (rp - roller * 1.8 + hub) / 2
            hr = (rp - roller * 1.8 - hub) / 2 - 2.0
            for k in range(lightening):
                a = math.pi / 4 + k * 2 * math.pi / lightening
                s += (f'<circle cx="{fmt(c[0] + rr * math.cos(a))}" cy="{fmt(c[1] + rr * math.sin(a))}" '
                      f'r="{fmt(hr)}" fill="{TRANSMISSION_PAPER}" stroke="{ink}" stroke-width="0.8"/>')
        s += (f'<circle cx="{fmt(c[0])}" cy="{fmt(c[1])}" r="{fmt(hub)}" fill="url(#hub)" '
              f'stroke="{ink}" stroke-width="0.8"/>')
        s += (f'<circle cx="{fmt(c[0])}" cy="{fmt(c[1])}" r="{fmt(bore)}" fill="{TRANSMISSION_PAPER}" '
              f'stroke="{ink}" stroke-width="0.8"/>')
        # keyway at the top of the bore
        s += (f'<rect x="{fmt(c[0] - bore * 0.35)}" y="{fmt(c[1] - bore - 1.4)}" width="{fmt(bore * 0.7)}" '
              f'height="2.2" fill="{TRANSMISSION_PAPER}" stroke="{ink}" stroke-width="0.7"/>')
        return s

    parts.append(body(s1, c1, rp1, 8.5, 4.2, 4))
    parts.append(body(s2, c2, rp2, 6.0, 3.0, 0))

    # redraw the centre-line cross over the bores, as a drawing does
    for c in (c1, c2):
        parts.append(f'<path stroke="{axis}" stroke-width="0.8" d="M{fmt(c[0] - 6)} {fmt(c[1])}H{fmt(c[0] + 6)}'
                     f'M{fmt(c[0])} {fmt(c[1] - 6)}V{fmt(c[1] + 6)}"/>')

    # chain: link plates (outer and inner alternate), then rollers
    plates_outer = []
    plates_inner = []
    for i in range(links):
        p, q = rollers[i], rollers[(i + 1) % links]
        seg = f"M{fmt(p[0])} {fmt(p[1])}L{fmt(q[0])} {fmt(q[1])}"
        (plates_outer if i % 2 == 0 else plates_inner).append(seg)
    parts.append(f'<path fill="none" stroke="{ink}" stroke-width="{fmt(roller * 2.5)}" '
                 f'stroke-linecap="round" d="{"".join(plates_outer)}"/>')
    parts.append(f'<path fill="none" stroke="#5d6b78" stroke-width="{fmt(roller * 2.5 - 1.4)}" '
                 f'stroke-linecap="round" d="{"".join(plates_outer)}"/>')
    parts.append(f'<path fill="none" stroke="{ink}" stroke-width="{fmt(roller * 2.1)}" '
                 f'stroke-linecap="round" d="{"".join(plates_inner)}"/>')
    parts.append(f'<path fill="none" stroke="#8a98a5" stroke-width="{fmt(roller * 2.1 - 1.4)}" '
                 f'stroke-linecap="round" d="{"".join(plates_inner)}"/>')
    for p in rollers:
        parts.append(f'<circle cx="{fmt(p[0])}" cy="{fmt(p[1])}" r="{fmt(roller * 0.62)}" '
                     f'fill="#d7dde2" stroke="{ink}" stroke-width="0.6"/>')

    # direction of motion on the tight (upper) span
    body_parts = "\n  ".join(parts)
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">
  <defs>
{gradient("steel", (("0", "#c4d2de"), ("1", "#8397aa")), **DIAGONAL)}
{gradient("hub", (("0", "#eef2f5"), ("1", "#a7b5c2")), "radialGradient", cx="0.4", cy="0.4", r="0.7")}
  </defs>
  <rect width="{w}" height="{h}" fill="{TRANSMISSION_PAPER}"/>
  <rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" fill="none" stroke="{ink}" stroke-width="1" stroke-opacity="0.35"/>
  {body_parts}
</svg>
"""


# --------------------------------------------------------------------------
# Rendering
# --------------------------------------------------------------------------


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def run(*cmd):
    print("+", " ".join(cmd))
    subprocess.run(cmd, check=True)


def picture(svg, name, width, height, background, *options, prefix=""):
    """One of the window's pictures: `svg` rendered at its size on its
    background, flattened to at most 256 colours without dithering, written
    as `name` (after `options`, with ImageMagick's format `prefix`); then the
    same pixels as an uncompressed 8-bit BMP beside it, the bitmap resource
    the Windows program draws without decoding anything."""
    out = os.path.join(HERE, name)
    with tempfile.TemporaryDirectory() as tmp:
        raw = os.path.join(tmp, "raw.png")
        run("rsvg-convert", "-w", str(width), "-h", str(height), "-b", background, "-o", raw, svg)
        run("convert", raw, "-background", background, "-flatten", "-alpha", "off",
            "-dither", "None", "-colors", "256", "-strip", *options, prefix + out)
    run("convert", out, "-type", "Palette", "-compress", "None",
        "BMP3:" + os.path.splitext(out)[0] + ".bmp")


def main():
    os.makedirs(SRC, exist_ok=True)
    icon = os.path.join(HERE, "derize-zizir.svg")
    ani = os.path.join(SRC, "ani_image.svg")
    trans = os.path.join(SRC, "transmission.svg")
    write(icon, icon_svg())
    write(ani, ani_image_svg())
    write(trans, transmission_svg())

    # Icons: straight from the master, RGBA, no metadata.
    for size in (16, 32, 48, 256):
        out = os.path.join(HERE, f"derize-zizir-{size}.png")
        run("rsvg-convert", "-w", str(size), "-h", str(size), "-o", out, icon)
    # The Windows program's icon file: the same four sizes in one .ico.
    run("convert", *(os.path.join(HERE, f"derize-zizir-{size}.png") for size in (16, 32, 48, 256)),
        os.path.join(HERE, "derize-zizir.ico"))

    # AniImage: 8-bit palette PNG, no alpha channel, no transparent entry.
    picture(ani, "ani_image.png", 193, 73, BUTTON_FACE,
            "-define", "png:exclude-chunks=date,time", prefix="PNG8:")
    # RxGIFAnimator1: one GIF frame, no transparency.
    picture(trans, "transmission.gif", 140, 131, TRANSMISSION_PAPER)
    return 0


if __name__ == "__main__":
    sys.exit(main())
