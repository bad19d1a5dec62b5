#!/usr/bin/python3
"""Draws Ordavel's artwork and writes it as Windows resource files.

    resources/OrdavelBackground.bmp  bitmap 129: the 217 x 180, 256-colour marble tile of its dialog
    resources/Ordavel.ico            icon 128: a calendar page with a clock, 32 x 32 and 16 x 16,
                                     in 256 colours and in 32-bit colour with alpha

Run from anywhere: /usr/bin/python3 tools/make_ordavel_art.py [output folder]
Needs Debian's python3-pil. The output is deterministic, so the files only change when this
script or tools/artkit.py does.
"""

import math
import os
import sys

import artkit
from artkit import NAVY

GOLD, FACE, RED = (255, 206, 48), (255, 253, 236), (200, 30, 30)


def clock(sketch, small, cx=22.0, cy=22.0, r=9.3):
    sketch.ellipse((cx - r, cy - r, cx + r, cy + r), NAVY)
    sketch.ellipse((cx - r + 1.1, cy - r + 1.1, cx + r - 1.1, cy + r - 1.1), GOLD)
    sketch.ellipse((cx - r + 2.8, cy - r + 2.8, cx + r - 2.8, cy + r - 2.8), FACE)
    if not small:
        for hour in range(12):
            a = hour * math.pi / 6
            r0 = r - 4.2 if hour % 3 == 0 else r - 3.6
            r1 = r - 3.0
            sketch.line([(cx + r0 * math.sin(a), cy - r0 * math.cos(a)),
                         (cx + r1 * math.sin(a), cy - r1 * math.cos(a))], 0.7, NAVY)
    hand = 2.5 if small else 1.1
    sketch.line([(cx, cy), (cx - 2.9, cy - 1.9)], hand, NAVY)              # ten o'clock
    sketch.line([(cx, cy), (cx + 0.2, cy - 5.0)], hand * 0.8, NAVY)        # the minutes
    pin = 0.8 if small else 0.9
    sketch.ellipse((cx - pin, cy - pin, cx + pin, cy + pin), RED)


def icon(size):
    small = size <= 16
    sketch = artkit.icon_sketch(size)
    artkit.calendar_page(sketch, small)
    clock(sketch, small)
    if not small:
        artkit.sparkle(sketch, 27.5, 5.5, 4.6)
    return sketch.result(size)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    artkit.save_bitmap(artkit.marble_tile(), os.path.join(target, "OrdavelBackground.bmp"))
    artkit.save_icon([icon(32), icon(16)], os.path.join(target, "Ordavel.ico"))


if __name__ == "__main__":
    main()
