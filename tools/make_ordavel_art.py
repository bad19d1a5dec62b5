#!/usr/bin/python3
"""Draws Ordavel's artwork and writes it as Windows resource files.

    resources/OrdavelBackground.bmp  bitmap 129: the 217 x 180, 256-colour marble tile of its dialog
    resources/Ordavel.ico            icon 128: a calendar page with a clock, 32 x 32 and 16 x 16,
                                     in 256 colours and in 32-bit colour with alpha

Run from anywhere: /usr/bin/python3 tools/make_ordavel_art.py [output folder]
Needs Debian's python3-pil. The output is deterministic, so the files only change when this
script or tools/artkit.py does.
"""

import os
import sys

import artkit
from artkit import NAVY

GOLD = (255, 206, 48)


def clock(sketch, small, cx=22.0, cy=22.0, r=9.3):
    sketch.ellipse((cx - r, cy - r, cx + r, cy + r), NAVY)
    sketch.ellipse((cx - r + 1.1, cy - r + 1.1, cx + r - 1.1, cy + r - 1.1), GOLD)
    sketch.ellipse((cx - r + 2.8, cy - r + 2.8, cx + r - 2.8, cy + r - 2.8), artkit.CLOCK_FACE)
    artkit.clock_hands(sketch, cx, cy, r - 2.8, small)


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
    os.makedirs(target, exist_ok=True)
    artkit.save_bitmap(artkit.marble_tile(), os.path.join(target, "OrdavelBackground.bmp"))
    artkit.save_icon([icon(32), icon(16)], os.path.join(target, "Ordavel.ico"))


if __name__ == "__main__":
    main()
