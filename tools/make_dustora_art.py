#!/usr/bin/python3
"""Draws Dustora's artwork and writes it as Windows resource files, on the palette and marble
of Ordavel's (tools/artkit.py holds what the two share).

    resources/DustoraBackground.bmp  bitmap 130: the 217 x 180, 256-colour marble tile of the dialogs
    resources/DustoraBanner.bmp      bitmap 143: the 468 x 49 banner with the product's name
    resources/DustoraProgress.bmp    bitmap 166: the 500 x 23 second banner of the progress dialog
    resources/DustoraLogo.bmp        bitmap 163: the 160 x 36 report logo, pure red where it is see-through
    resources/DustoraSplash.bmp      bitmap 139: the 369 x 365 splash picture, 24 bits
    resources/DustoraSplashMask.bmp  bitmap 140: its 1-bit mask, black outside the rounded window
    resources/Dustora.ico            icon 128 and resources/icons/*.ico the main dialog's buttons,
                                     each 32 x 32 and 16 x 16, in 256 colours and 32 bits with alpha

Run from anywhere: /usr/bin/python3 tools/make_dustora_art.py [output folder]
Needs Debian's python3-pil, fonts-urw-base35 and fonts-dejavu-core. The output is deterministic,
so the files only change when this script or tools/artkit.py does.
"""

import functools
import math
import os
import sys

from PIL import Image, ImageChops, ImageFilter

import artkit
from artkit import Gradient, Sketch, inset

TITLE_FONT = "URWBookman-DemiItalic.otf"
LABEL_FONT = "URWGothic-Demi.otf"

YELLOW = (255, 255, 64)            # the dialogs' text
GOLD_RIM = [(0.0, (255, 240, 170)), (0.5, (200, 150, 40)), (1.0, (120, 70, 10))]
GOLD_STOPS = [(0.0, (255, 255, 190)), (0.45, (255, 226, 70)), (1.0, (214, 128, 12))]
RED_STOPS = [(0.0, (255, 130, 110)), (0.5, (210, 40, 40)), (1.0, (150, 16, 24))]   # the alarm clock, the seal
BLUE_GLASS = [(0.0, (150, 210, 255)), (0.5, (30, 100, 210)), (1.0, (10, 40, 120))]   # help and note signs
ICE_STOPS = [(0.0, (255, 255, 255)), (1.0, (150, 215, 255))]   # the second lines of lettering
INK = (3, 8, 34)                   # the marble's darkest tone, for outlines and shadows
STRAW_STOPS = [(0.0, (255, 236, 140)), (1.0, (196, 134, 30))]
WOOD_STOPS = [(0.0, (214, 130, 70)), (0.5, (160, 82, 36)), (1.0, (96, 44, 16))]


@functools.lru_cache(maxsize=None)
def background():
    return artkit.marble_tile(seed=23, veins=(-2, 1))


# ---------------------------------------------------------------------------------------------
# Pieces that several pictures share

class Place:
    """Maps a drawing's own coordinates onto a picture: scaled, turned and moved."""

    def __init__(self, x, y, scale=1.0, degrees=0.0):
        self.x, self.y, self.scale = x, y, scale
        a = math.radians(degrees)
        self.cos, self.sin = math.cos(a), math.sin(a)

    def __call__(self, points):
        return [(self.x + self.scale * (px * self.cos - py * self.sin),
                 self.y + self.scale * (px * self.sin + py * self.cos)) for px, py in points]

    def point(self, p):
        return self([p])[0]


def broom(sketch, place, detail=True, handle=64, weight=1.0):
    """A broom whose handle runs from (0, -handle) down to (0, 0), its straw fanning out
    below to y = 42."""
    outer = [(-8, 4), (8, 4), (22, 39), (14, 43), (5, 41), (-4, 43), (-13, 41), (-22, 38)]
    inner = [(-6.6, 5.5), (6.6, 5.5), (19.8, 37.6), (13.8, 40.8), (5, 39), (-4, 40.8), (-13, 38.9), (-19.7, 36.8)]
    stick = place([(0, -handle), (0, 2)])
    sketch.line(stick, 6.4 * place.scale * weight, INK)
    sketch.line(stick, 4.2 * place.scale * weight, Gradient(place.point((-2, 0)), place.point((2, 0)), WOOD_STOPS))
    sketch.polygon(place(outer), INK)
    sketch.polygon(place(inner), Gradient(place.point((-14, 0)), place.point((16, 0)), STRAW_STOPS))
    if detail:
        for x0, x1 in ((-4, -11), (-1, -4), (2, 4), (5, 12), (-2.5, -16), (3.5, 16)):
            sketch.line(place([(x0, 9), (x1, 37)]), 0.9 * place.scale, (170, 110, 24), opacity=0.8)
    sketch.polygon(place([(-9, 1), (9, 1), (10, 10), (-10, 10)]), INK)
    sketch.polygon(place([(-7.8, 2.2), (7.8, 2.2), (8.6, 8.8), (-8.6, 8.8)]),
                   Gradient(place.point((0, 2)), place.point((0, 9)), [(0, (240, 90, 90)), (1, (150, 16, 24))]))
    if detail:
        sketch.line(place([(-7.4, 4.6), (7.4, 4.6)]), 0.9 * place.scale, (255, 170, 160), opacity=0.8)


def dust(sketch, puffs, colour=(200, 218, 240), opacity=0.35):
    """A soft cloud of dust, from puffs (x, y, radius)."""
    cloud = sketch.blank()
    for x, y, r in puffs:
        cloud = ImageChops.lighter(cloud, sketch.ellipse_mask((x - r, y - r, x + r, y + r)))
    sketch.fill(cloud.filter(ImageFilter.GaussianBlur(1.5 * sketch.scale)), colour, opacity)


def bead_chain(sketch, x, y, step, count, radius, fade):
    """A row of gold beads from x on, each a little smaller and fainter than the one before."""
    def diamond(cx, r):
        return [(cx, y - r), (cx + r, y), (cx, y + r), (cx - r, y)]
    for i in range(count):
        cx, r = x + i * step, radius * (1 - 0.035 * i)
        sketch.polygon(diamond(cx, r + 1), INK)
        sketch.polygon(diamond(cx, r), Gradient((cx, y - r), (cx, y + r), [(0, (255, 244, 170)), (1, (200, 130, 20))]),
                       opacity=1 - i * fade)


def fancy_text(sketch, text, font, size, xy, anchor="ls", stops=GOLD_STOPS, outline=1.3,
               shadow=(2.0, 2.0), spacing=0):
    """Lettering of the year-2000 kind: a dark outline, a drop shadow and a gradient fill."""
    s = sketch.scale
    letters = sketch.text_mask(text, font, size, xy, anchor, spacing)
    x0, y0, x1, y1 = letters.getbbox()
    edged = sketch.grow(letters, outline) if outline else letters
    if shadow:
        soft = sketch.shifted(edged, *shadow).filter(ImageFilter.GaussianBlur(1.2 * s))
        sketch.fill(soft, INK, 0.85)
    sketch.fill(edged, INK)
    sketch.fill(letters, Gradient((0, y0 / s), (0, y1 / s), stops))
    # A thin light line along the letters' top edges.
    top_edge = ImageChops.subtract(letters, sketch.shifted(letters, 0, 0.9))
    sketch.fill(top_edge, (255, 255, 235), 0.7)
    return (x0 / s, y0 / s, x1 / s, y1 / s)


def plate(sketch, outline):
    """A glassy panel of marble with a gold rim, filling the mask `outline`: the ground of the
    banner and the splash."""
    s = sketch.scale
    x0, y0, x1, y1 = (v / s for v in outline.getbbox())
    sketch.fill(outline, INK)
    sketch.fill(sketch.shrink(outline, 1), Gradient((0, y0), (0, y1), GOLD_RIM))
    face = sketch.shrink(outline, 2)
    marble = artkit.tiled(background(), sketch.width, sketch.height).convert("RGBA")
    sketch.image.paste(marble.resize(sketch.image.size, Image.NEAREST), (0, 0), face)
    sketch.fill(ImageChops.multiply(face, sketch.rect_mask((x0, y0, x1, y0 + 24))),
                Gradient((0, y0), (0, y0 + 24), [(0, (160, 200, 255, 70)), (1, (160, 200, 255, 0))]))
    sketch.fill(ImageChops.multiply(face, sketch.rect_mask((x0, y1 - 6, x1, y1))),
                Gradient((0, y1 - 6), (0, y1), [(0, (0, 0, 0, 0)), (1, (0, 0, 20, 110))]))


def disk(sketch, cx, cy, rx, ry, detail=True):
    """A hard disk's platter seen at a slant, with its hub."""
    sketch.ellipse((cx - rx, cy - ry + 2, cx + rx, cy + ry + 2), INK)           # its edge
    sketch.ellipse((cx - rx + 1, cy - ry + 2, cx + rx - 1, cy + ry + 1), (70, 80, 108))
    sketch.ellipse((cx - rx, cy - ry, cx + rx, cy + ry), INK)
    face_box = (cx - rx + 1, cy - ry + 1, cx + rx - 1, cy + ry - 1)
    face = sketch.ellipse_mask(face_box)
    sketch.fill(face, Gradient((cx, cy - ry), (cx, cy + ry), [(0, (226, 234, 246)), (1, (150, 164, 192))]))
    # Light caught by the polished surface: two wedges through the hub.
    for side in (-1, 1):
        wedge = [(cx, cy), (cx + side * rx * 1.1, cy - side * ry * 0.2), (cx + side * rx * 1.1, cy + side * ry * 1.4)]
        soft = sketch.polygon_mask(wedge).filter(ImageFilter.GaussianBlur(rx * 0.06 * sketch.scale)) if detail \
            else sketch.polygon_mask(wedge)
        sketch.fill(ImageChops.multiply(face, soft), (255, 255, 255), 0.55)
    if detail:
        for f in (0.8, 0.62):
            box = (cx - rx * f, cy - ry * f, cx + rx * f, cy + ry * f)
            ring = ImageChops.subtract(sketch.ellipse_mask(box), sketch.ellipse_mask(inset(box, 0.5)))
            sketch.fill(ring, (100, 116, 150), 0.35)
    for f, paint in ((0.27, INK), (0.25, (120, 132, 160)), (0.15, INK), (0.13, (236, 240, 248))):
        sketch.ellipse((cx - rx * f, cy - ry * f, cx + rx * f, cy + ry * f), paint)


def glint(sketch, cx, cy, r):
    """A white twinkle with a soft glow, for shining surfaces."""
    glow = sketch.ellipse_mask((cx - r * 0.7, cy - r * 0.7, cx + r * 0.7, cy + r * 0.7))
    sketch.fill(glow.filter(ImageFilter.GaussianBlur(r * 0.3 * sketch.scale)), (255, 255, 220), 0.8)
    sketch.polygon(artkit.star_points(cx, cy, r, 0.5), (255, 255, 245))


# ---------------------------------------------------------------------------------------------
# The pictures

def banner():
    sketch = Sketch(468, 49, scale=4)
    plate(sketch, sketch.rect_mask((0, 0, 468, 49), 7))
    dust(sketch, [(62, 41, 8), (50, 43, 6), (72, 44, 5), (40, 41, 4), (56, 36, 4)])
    broom(sketch, Place(100, 22, 0.62, 58), handle=52)
    for x, y, r in ((34, 15, 5.5), (22, 30, 3.0), (52, 8, 2.8), (64, 22, 2.2)):
        artkit.sparkle(sketch, x, y, r)
    box = fancy_text(sketch, "Dustora", TITLE_FONT, 37, (134, 37))
    glint(sketch, box[0] + 12, box[1] + 4, 6.5)
    label = dict(font=LABEL_FONT, size=15, outline=1.0, shadow=(1.2, 1.2))
    box = fancy_text(sketch, "System Cleaner", xy=(box[2] + 14, 37),
                     stops=ICE_STOPS, **label)
    fancy_text(sketch, "2.0", xy=(box[2] + 7, 37), **label)
    return sketch.result().convert("RGB")


def progress_banner():
    """A band across the progress dialog under the banner; it runs wider than the dialog, so
    its ends may be cut off and carry nothing that matters."""
    sketch = Sketch(500, 23, scale=4)
    sketch.rect((0, 0, 500, 23), INK)
    sketch.rect((0, 1, 500, 22), Gradient((0, 1), (0, 22), GOLD_RIM))
    sketch.rect((0, 2, 500, 21), Gradient((0, 2), (0, 21), [(0, (0, 0, 110)), (0.5, (0, 0, 84)), (1, (0, 0, 48))]))
    sketch.rect((0, 2, 500, 8), (150, 190, 255), opacity=0.10)
    box = fancy_text(sketch, "System Clean in progress", LABEL_FONT, 13.5, (250, 17), anchor="ms",
                     stops=[(0, (255, 255, 200)), (1, YELLOW)], outline=0.9, shadow=(1, 1), spacing=0.6)
    for side in (-1, 1):
        start = box[0] - 12 if side < 0 else box[2] + 12
        artkit.sparkle(sketch, start + side * 2, 11.5, 5)
        bead_chain(sketch, start + side * 12, 11.5, side * 11, 14, 2.6, 0.05)
    return sketch.result().convert("RGB")


def _on_red(picture, opaque_from=96):
    """A picture for drawing with pure red as the see-through colour: pixels more than
    `opaque_from` covered are blended against the marble they will sit on, the rest are pure red,
    and no drawn pixel is pure red."""
    flat = Image.new("RGB", picture.size, artkit.MARBLE_MIDDLE)
    flat.paste(picture, mask=picture.getchannel("A"))
    pixels = flat.load()
    alpha = picture.getchannel("A").load()
    for y in range(picture.height):
        for x in range(picture.width):
            if alpha[x, y] < opaque_from:
                pixels[x, y] = (255, 0, 0)
            elif pixels[x, y] == (255, 0, 0):
                pixels[x, y] = (254, 0, 0)
    return flat


def report_logo():
    sketch = Sketch(160, 36, scale=8)
    # The top rows stay clear: the report's banner ends over them.
    disk(sketch, 17, 28, 14, 5.5)
    broom(sketch, Place(21, 17, 0.3, 48), handle=34)
    artkit.sparkle(sketch, 5, 18, 3.4)
    fancy_text(sketch, "Dustora", TITLE_FONT, 21, (38, 26), outline=1.1, shadow=None)
    fancy_text(sketch, "CLEAN REPORT", LABEL_FONT, 8.5, (156, 35), anchor="rs", outline=0.8, shadow=None,
               stops=ICE_STOPS, spacing=0.4)
    return _on_red(sketch.result())


SPLASH_SIZE = (369, 365)
FRAME = 2
# Extra black pixels in each corner, row by row inward from the frame: a rounded corner that is
# the same read along the rows and along the columns.
CORNER_STEPS = (5, 3, 2, 1, 1)


def splash_outside():
    """Where the splash window is cut away: a two-pixel frame, widening into rounded corners.
    A mode "1" picture, set outside."""
    width, height = SPLASH_SIZE
    outside = Image.new("1", SPLASH_SIZE, 1)
    outside.paste(0, (FRAME, FRAME, width - FRAME, height - FRAME))
    for row, run in enumerate(CORNER_STEPS):
        for x0, y in ((FRAME, FRAME + row), (width - FRAME - run, FRAME + row),
                      (FRAME, height - FRAME - 1 - row), (width - FRAME - run, height - FRAME - 1 - row)):
            outside.paste(1, (x0, y, x0 + run, y + 1))
    return outside


def maker_mark(sketch, cx, cy, r):
    """Halvex Software's mark: a gold hexagon holding an H."""
    hexagon = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a))) for a in range(0, 360, 60)]
    sketch.polygon(hexagon, INK)
    inner = Place(cx, cy, (r - 1.3) / r)
    sketch.polygon(inner([(x - cx, y - cy) for x, y in hexagon]), Gradient((cx, cy - r), (cx, cy + r), GOLD_STOPS))
    w, h = r * 0.5, r * 0.55
    for x in (cx - w, cx + w - r * 0.3):
        sketch.rect((x, cy - h, x + r * 0.3, cy + h), INK)
    sketch.rect((cx - w, cy - r * 0.12, cx + w, cy + r * 0.14), INK)


def splash():
    width, height = SPLASH_SIZE
    sketch = Sketch(width, height, scale=4)
    inside = ImageChops.invert(splash_outside().convert("L")).resize(sketch.image.size, Image.NEAREST)
    plate(sketch, inside)
    centre = width / 2
    box = fancy_text(sketch, "Dustora", TITLE_FONT, 68, (centre, 96), anchor="ms", outline=2.0, shadow=(3, 3))
    glint(sketch, box[0] + 22, box[1] + 8, 11)
    fancy_text(sketch, "System Cleaner", LABEL_FONT, 21, (centre, 128), anchor="ms", outline=1.2, shadow=(1.5, 1.5),
               stops=ICE_STOPS, spacing=1.0)
    # A platter swept clean: dust blown off its left edge, the broom still at work.
    disk(sketch, centre - 6, 214, 116, 40)
    dust(sketch, [(70, 236, 17), (52, 228, 13), (88, 244, 12), (38, 238, 9), (60, 214, 8), (28, 224, 6)],
         opacity=0.4)
    for x, y, r in ((22, 204, 1.6), (34, 196, 1.2), (16, 232, 1.3), (46, 204, 1.0), (28, 250, 1.1), (12, 216, 0.9)):
        sketch.ellipse((x - r, y - r, x + r, y + r), (200, 218, 240), 0.8)
    broom(sketch, Place(150, 180, 1.15, 64), handle=66)
    for x, y, r in ((250, 206, 9), (282, 226, 5.5), (226, 232, 4.5), (300, 196, 4), (36, 180, 6), (60, 160, 3.5)):
        artkit.sparkle(sketch, x, y, r)
    for side in (-1, 1):
        bead_chain(sketch, centre + side * 8, 282, side * 14, 11, 3.2, 0.06)
    fancy_text(sketch, "Version 2.0", LABEL_FONT, 18, (centre, 310), anchor="ms", outline=1.1, shadow=(1.5, 1.5))
    label = fancy_text(sketch, "Halvex Software", LABEL_FONT, 15, (centre + 12, 337), anchor="ms", outline=1.0,
                       shadow=(1.2, 1.2), stops=ICE_STOPS)
    maker_mark(sketch, label[0] - 14, 331.5, 8.5)
    fancy_text(sketch, "Copyright (C) 2000 Halvex Software. All rights reserved.", "DejaVuSans.ttf", 8.5,
               (centre, 354), anchor="ms", outline=0, shadow=None, stops=[(0, (190, 210, 235)), (1, (190, 210, 235))])
    return sketch.result().convert("RGB")


# ---------------------------------------------------------------------------------------------
# Icons: drawn on the 32 x 32 grid at both sizes (one pixel of the small image is two units);
# `small` selects a simpler drawing for 16 x 16. They sit on the marble, so every shape has a
# dark rim.

def pixel(small):
    return 2.0 if small else 1.0


def outlined(sketch, mask, paint, rim=INK, width=1.0):
    sketch.fill(mask, rim)
    sketch.fill(sketch.shrink(mask, width), paint)


def gloss(sketch, mask, box, strength=0.55):
    """The shine on the upper half of a rounded shape."""
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    shine = sketch.ellipse_mask((x0 + w * 0.16, y0 + h * 0.06, x1 - w * 0.16, y0 + h * 0.52))
    sketch.fill(ImageChops.multiply(shine, mask), Gradient((0, y0), (0, y0 + h * 0.52),
                [(0, (255, 255, 255, 230)), (1, (255, 255, 255, 20))]), strength)


def glossy_button(sketch, small, stops):
    box = (1, 1, 31, 31) if small else (2, 2, 30, 30)
    mask = sketch.ellipse_mask(box)
    outlined(sketch, mask, Gradient((9, 7), None, stops, radius=24), width=pixel(small))
    gloss(sketch, mask, inset(box, pixel(small)))


def program_icon(sketch, small):
    """A broom sweeping a hard disk's platter."""
    if small:
        disk(sketch, 16, 22, 15, 7, detail=False)
        broom(sketch, Place(13, 14, 0.3, 49), detail=False, handle=60, weight=1.9)
        return
    disk(sketch, 17, 22.5, 14, 6.5, detail=False)
    dust(sketch, [(5, 22, 3.2), (3, 25, 2.2), (8, 26, 2.0)], opacity=0.55)
    broom(sketch, Place(14, 13.5, 0.29, 49), handle=62, weight=1.15)
    artkit.sparkle(sketch, 26, 21.5, 3.4)
    artkit.sparkle(sketch, 6, 6, 4.2)


def exit_icon(sketch, small):
    o = pixel(small)
    frame = (2, 2, 20, 30) if small else (5, 3, 20, 29)
    sketch.rect(frame, INK)
    sketch.rect(inset(frame, o), Gradient((0, 3), (0, 29), [(0, (18, 30, 60)), (1, (40, 70, 110))]))
    # The door, swung open towards us on its left hinge.
    x0, y0, x1, y1 = frame
    leaf = [(x0, y0), (x0 + (10 if small else 9), y0 + 3), (x0 + (10 if small else 9), y1 + 1), (x0, y1)]
    outlined(sketch, sketch.polygon_mask(leaf), Gradient((x0, 0), (x0 + 9, 0), WOOD_STOPS), width=o)
    if not small:
        for top, bottom in ((4.5, 12), (15, 22.5)):                        # its panels
            panel = [(2.5, top), (7, top + 1.5), (7, bottom + 0.5), (2.5, bottom)]
            sketch.polygon([(x0 + x, y0 + y) for x, y in panel], (120, 60, 24), 0.7)
    knob = (x0 + 5.5, 17, x0 + 8, 19.5) if not small else (x0 + 6, 16, x0 + 8, 18)
    sketch.ellipse(knob, (255, 214, 60))
    # The way out.
    arrow = ([(12, 12), (20, 12), (20, 5), (31, 16), (20, 27), (20, 20), (12, 20)] if small else
             [(13, 13), (21, 13), (21, 8.5), (29.5, 16), (21, 23.5), (21, 19), (13, 19)])
    outlined(sketch, sketch.polygon_mask(arrow), Gradient((0, 8), (0, 24), [(0, (170, 255, 120)), (1, (30, 150, 40))]),
             width=o)


def help_icon(sketch, small):
    glossy_button(sketch, small, BLUE_GLASS)
    size = 25 if small else 21
    mark = sketch.text_mask("?", "DejaVuSans-Bold.ttf", size, (16.5, 17), anchor="mm")
    sketch.fill(sketch.grow(mark, pixel(small) * 0.8), (10, 40, 120), 0.8)
    sketch.fill(mark, (255, 255, 255))


def start_icon(sketch, small):
    glossy_button(sketch, small, [(0, (190, 255, 150)), (0.5, (40, 170, 50)), (1, (10, 80, 20))])
    triangle = [(12, 8), (25, 16), (12, 24)] if small else [(12.5, 9), (23.5, 16), (12.5, 23)]
    sketch.polygon([(x + 0.8, y + 0.8) for x, y in triangle], (10, 70, 20), 0.8)
    sketch.polygon(triangle, (255, 255, 255))
    if not small:
        artkit.sparkle(sketch, 26, 6, 4.4)


def page(sketch, box, small, fold=6, lines=True):
    """A sheet of paper with a folded corner."""
    o = pixel(small)
    x0, y0, x1, y1 = box
    sheet = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    paper = Gradient((x0, y0), (x1, y1), [(0, (255, 255, 255)), (1, (206, 214, 228))])
    outlined(sketch, sketch.polygon_mask(sheet), paper, width=o)
    sketch.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], INK)
    sketch.polygon([(x1 - fold + o, y0 + o * 1.5), (x1 - fold + o, y0 + fold - o), (x1 - o * 1.5, y0 + fold - o)],
                   (190, 200, 220))
    if lines:
        for y in range(int(y0 + fold + 2 * o), int(y1 - 2 * o), int(3 * o)):
            sketch.rect((x0 + 2 * o, y, x1 - 2 * o, y + o), (130, 150, 190))


def globe(sketch, cx, cy, r, small):
    o = pixel(small)
    box = (cx - r, cy - r, cx + r, cy + r)
    mask = sketch.ellipse_mask(box)
    outlined(sketch, mask, Gradient((cx - r * 0.4, cy - r * 0.4), None,
                                    [(0, (140, 220, 255)), (0.6, (30, 120, 210)), (1, (10, 50, 130))], radius=r * 1.5),
             width=o)
    land = [
        [(-0.55, -0.65), (-0.1, -0.8), (0.1, -0.45), (-0.2, -0.15), (-0.1, 0.2), (-0.45, 0.35), (-0.8, 0.0)],
        [(0.2, -0.1), (0.6, -0.35), (0.85, 0.05), (0.65, 0.45), (0.35, 0.7), (0.15, 0.35)],
        [(-0.35, 0.55), (-0.05, 0.6), (-0.15, 0.85), (-0.4, 0.8)],
    ]
    inside = sketch.shrink(mask, o)
    for blob in land[:2] if small else land:
        shape = sketch.polygon_mask([(cx + x * r, cy + y * r) for x, y in blob])
        sketch.fill(ImageChops.multiply(shape, inside), Gradient((cx, cy - r), (cx, cy + r),
                                                                  [(0, (150, 230, 90)), (1, (40, 130, 40))]))
    if not small:                                                          # a meridian and the equator
        meridian = ImageChops.subtract(sketch.ellipse_mask((cx - r * 0.45, cy - r, cx + r * 0.45, cy + r)),
                                       sketch.ellipse_mask((cx - r * 0.45 + 0.6, cy - r, cx + r * 0.45 - 0.6, cy + r)))
        sketch.fill(ImageChops.multiply(meridian, inside), (230, 245, 255), 0.45)
        equator = sketch.rect_mask((cx - r, cy - 0.3, cx + r, cy + 0.3))
        sketch.fill(ImageChops.multiply(equator, inside), (230, 245, 255), 0.45)
    gloss(sketch, inside, inset(box, o), 0.45)


def web_icon(sketch, small):
    if small:
        page(sketch, (2, 1, 20, 24), small, fold=6, lines=False)
        globe(sketch, 19, 19, 12, small)
        return
    page(sketch, (3, 2, 21, 26), small)
    globe(sketch, 20, 20, 10.5, small)


def wheel_icon(sketch, small):
    """A ship's wheel. At 16 x 16 its parts go without rims, which would fill the gaps."""
    o = pixel(small)
    cx = cy = 16
    reach, ring_r, ring_w, knob = (14.6, 9, 2.2, 2.4) if small else (14.5, 10, 2.6, 2.4)
    wood = Gradient((6, 6), (26, 26), WOOD_STOPS)
    light_wood = Gradient((6, 6), (26, 26), [(0, (250, 190, 110)), (1, (170, 90, 36))])
    tips = [(cx + reach * math.cos(k * math.pi / 4), cy + reach * math.sin(k * math.pi / 4)) for k in range(8)]
    for tip in tips:
        if not small:
            sketch.line([(cx, cy), tip], 3.6, INK)
        sketch.ellipse((tip[0] - knob, tip[1] - knob, tip[0] + knob, tip[1] + knob), INK)
    for tip in tips:
        sketch.line([(cx, cy), tip], o if small else 1.6, light_wood if small else wood)
        k = knob - o * 0.7
        sketch.ellipse((tip[0] - k, tip[1] - k, tip[0] + k, tip[1] + k), wood)
    outer = (cx - ring_r - ring_w / 2, cy - ring_r - ring_w / 2, cx + ring_r + ring_w / 2, cy + ring_r + ring_w / 2)
    ring = ImageChops.subtract(sketch.ellipse_mask(outer), sketch.ellipse_mask(inset(outer, ring_w)))
    if not small:
        sketch.fill(sketch.grow(ring, o), INK)
    sketch.fill(ring, Gradient((6, 6), (26, 26), [(0, (250, 190, 110)), (1, (130, 64, 22))]))
    hub = 2.4 if small else 3.4
    if not small:
        sketch.ellipse((cx - hub - o, cy - hub - o, cx + hub + o, cy + hub + o), INK)
    sketch.ellipse((cx - hub, cy - hub, cx + hub, cy + hub), Gradient((cx - hub, cy - hub), (cx + hub, cy + hub),
                                                                      GOLD_STOPS))


def note_icon(sketch, small):
    """A small round sign with an i, kept near the middle: the buttons that show it are tiny."""
    o = pixel(small)
    box = (2, 2, 30, 30) if small else (6, 6, 26, 26)
    mask = sketch.ellipse_mask(box)
    outlined(sketch, mask, Gradient((box[0] + 4, box[1] + 4), None, BLUE_GLASS, radius=20), width=o)
    gloss(sketch, mask, inset(box, o), 0.45)
    if small:
        sketch.rect((14, 7, 18, 11), (255, 255, 255))
        sketch.rect((14, 13, 18, 25), (255, 255, 255))
    else:
        sketch.ellipse((14.5, 9.5, 17.5, 12.5), (255, 255, 255))
        sketch.rect((14.5, 14, 17.5, 22), (255, 255, 255), 0.5)


def mail_icon(sketch, small):
    o = pixel(small)
    box = (0, 6, 32, 26) if small else (2, 7, 30, 25)
    x0, y0, x1, y1 = box
    outlined(sketch, sketch.rect_mask(box, o), Gradient((0, y0), (0, y1), [(0, (255, 255, 250)), (1, (214, 206, 180))]),
             width=o)
    mx = (x0 + x1) / 2
    for points, opacity in (([(x0 + o, y1 - o), (mx, y0 + (y1 - y0) * 0.45), (x1 - o, y1 - o)], 0.5),
                            ([(x0 + o, y0 + o), (mx, y0 + (y1 - y0) * 0.6), (x1 - o, y0 + o)], 1.0)):
        sketch.line(points, o, (110, 100, 80), opacity)
    seal = (mx - 3.2 * o, y0 + (y1 - y0) * 0.6 - 2.6 * o, mx + 3.2 * o, y0 + (y1 - y0) * 0.6 + 2.6 * o) if small else \
        (mx - 3, y0 + 8, mx + 3, y0 + 14)
    sketch.ellipse(seal, INK)
    sketch.ellipse(inset(seal, o * 0.8), Gradient((0, seal[1]), (0, seal[3]), RED_STOPS[::2]))


def alarm_clock(sketch, small):
    o = pixel(small)
    cx, cy, r = (16, 18, 12) if small else (16, 18, 11)
    for side in (-1, 1):                                                   # the legs and bells
        sketch.line([(cx + side * r * 0.55, cy + r * 0.7), (cx + side * r * 0.85, cy + r + (1 if small else 2.5))],
                    2.2 * o if small else 2.6, INK)
        bell = (cx + side * r * 0.78, cy - r * 0.86)
        br = 5.4 if small else 5
        mask = sketch.ellipse_mask((bell[0] - br, bell[1] - br, bell[0] + br, bell[1] + br))
        shine = Gradient((bell[0] - br, bell[1] - br), (bell[0] + br, bell[1] + br), GOLD_STOPS)
        outlined(sketch, mask, shine, width=o)
    if not small:
        sketch.line([(cx - 6, cy - r - 2.5), (cx + 6, cy - r - 2.5)], 2.2, INK)
        sketch.line([(cx, cy - r - 2.5), (cx, cy - r + 1)], 2.2, INK)
    body = (cx - r, cy - r, cx + r, cy + r)
    outlined(sketch, sketch.ellipse_mask(body), Gradient((cx - r, cy - r), (cx + r, cy + r), RED_STOPS), width=o)
    face = inset(body, 4 if small else 2.6)
    sketch.ellipse(face, INK)
    sketch.ellipse(inset(face, o * 0.7), artkit.CLOCK_FACE)
    artkit.clock_hands(sketch, cx, cy, face[2] - cx, small)


def gear(sketch, cx, cy, r, small, teeth=8):
    o = pixel(small)
    points = []
    for k in range(teeth * 4):
        a = 2 * math.pi * (k + 0.5) / (teeth * 4)
        reach = r if k % 4 in (1, 2) else r * 0.74
        points.append((cx + reach * math.cos(a), cy + reach * math.sin(a)))
    mask = ImageChops.subtract(sketch.polygon_mask(points),
                               sketch.ellipse_mask((cx - r * 0.28, cy - r * 0.28, cx + r * 0.28, cy + r * 0.28)))
    sketch.fill(sketch.grow(mask, o * 0.5), INK)
    steel = [(0, (240, 244, 250)), (0.5, (160, 172, 196)), (1, (80, 92, 120))]
    sketch.fill(sketch.shrink(mask, o * 0.5), Gradient((cx - r, cy - r), (cx + r, cy + r), steel))
    hole = r * 0.28 - o * 0.5
    sketch.ellipse((cx - hole, cy - hole, cx + hole, cy + hole), (40, 50, 80))


def advanced_scheduler_icon(sketch, small):
    """Ordavel's calendar page with a gear."""
    artkit.calendar_page(sketch, small)
    gear(sketch, 22.5, 22.5, 9.5 if small else 9, small, teeth=8 if small else 9)


def folders_icon(sketch, small):
    o = pixel(small)
    manila = [(0, (255, 240, 160)), (1, (222, 160, 40))]
    rim = (110, 66, 8)

    def folder(x0, y0, x1, y1, depth):
        tab = [(x0, y0 + 3 * o), (x0 + 1 * o, y0), (x0 + 9 * o, y0), (x0 + 10 * o, y0 + 2 * o), (x1, y0 + 2 * o),
               (x1, y1), (x0, y1)]
        back = Gradient((0, y0), (0, y1), [(0, (240, 200, 90)), (1, (190, 120, 20))])
        outlined(sketch, sketch.polygon_mask(tab), back, rim, o)
        front = [(x0 + depth, y0 + 6 * o), (x1 + depth * 0.4, y0 + 6 * o), (x1, y1), (x0, y1)]
        outlined(sketch, sketch.polygon_mask(front), Gradient((0, y0 + 6 * o), (0, y1), manila), rim, o)

    if small:
        folder(0, 6, 28, 30, 4)
        return
    folder(6, 2, 30, 20, 3)
    folder(1, 9, 26, 29, 3.5)


def office_icon(sketch, small):
    if small:
        page(sketch, (8, 0, 30, 24), small, fold=8, lines=False)
        page(sketch, (2, 6, 24, 32), small, fold=8, lines=False)
        for y, colour in ((18, (40, 90, 190)), (22, (130, 150, 190)), (26, (130, 150, 190))):
            sketch.rect((6, y, 20, y + 2), colour)
        return
    page(sketch, (12, 1, 29, 21), small, fold=5, lines=False)
    page(sketch, (8, 4, 25, 25), small, fold=5, lines=False)
    page(sketch, (3, 8, 21, 31), small, fold=6, lines=False)
    sketch.rect((6, 16, 15, 18), (40, 90, 190))                            # a heading, text and a chart
    for y in (20, 23):
        sketch.rect((6, y, 18, y + 1), (130, 150, 190))
    bars = ((6, 3, (220, 60, 50)), (9, 5, (60, 170, 60)), (12, 4, (40, 100, 200)), (15, 6, (240, 180, 40)))
    for x, h, colour in bars:
        sketch.rect((x, 29 - h, x + 2, 29), colour)


ICONS = [  # file name under resources/, drawing
    ("Dustora.ico", program_icon),
    ("icons/Exit.ico", exit_icon),
    ("icons/Help.ico", help_icon),
    ("icons/Start.ico", start_icon),
    ("icons/WebItems.ico", web_icon),
    ("icons/NavigatorItems.ico", wheel_icon),
    ("icons/Note.ico", note_icon),
    ("icons/MailItems.ico", mail_icon),
    ("icons/Schedule.ico", alarm_clock),
    ("icons/AdvancedScheduler.ico", advanced_scheduler_icon),
    ("icons/Folders.ico", folders_icon),
    ("icons/OfficeItems.ico", office_icon),
]


def icon(draw, size):
    sketch = artkit.icon_sketch(size)
    draw(sketch, size <= 16)
    return sketch.result(size)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    os.makedirs(os.path.join(target, "icons"), exist_ok=True)
    artkit.save_bitmap(background(), os.path.join(target, "DustoraBackground.bmp"))
    artkit.save_bitmap(banner(), os.path.join(target, "DustoraBanner.bmp"))
    artkit.save_bitmap(progress_banner(), os.path.join(target, "DustoraProgress.bmp"))
    artkit.save_bitmap(report_logo(), os.path.join(target, "DustoraLogo.bmp"))
    artkit.save_bitmap(splash(), os.path.join(target, "DustoraSplash.bmp"))
    artkit.save_mask_bitmap(splash_outside(), os.path.join(target, "DustoraSplashMask.bmp"))
    for name, draw in ICONS:
        artkit.save_icon([icon(draw, 32), icon(draw, 16)], os.path.join(target, name))


if __name__ == "__main__":
    main()
