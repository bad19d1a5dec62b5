#!/usr/bin/env python3
"""Draws Ordavel's artwork and writes it as Windows resource files (standard library only).

    resources/OrdavelBackground.bmp  bitmap 129: a 217 x 180, 256-colour tile for dialog backgrounds
    resources/Ordavel.ico            icon 128: a calendar page with a clock, 32 x 32 and 16 x 16,
                                     in 256 colours and in 32-bit colour with alpha

Run from anywhere: python3 tools/make_ordavel_art.py [output folder]
The output is deterministic, so the files only change when this script does.
"""

import math
import os
import struct
import sys

TILE_WIDTH, TILE_HEIGHT = 217, 180


# ---------------------------------------------------------------------------------------------
# File formats

def _rows_bottom_up(height):
    return range(height - 1, -1, -1)


def _pad4(data):
    return data + b"\0" * (-len(data) % 4)


def bitmap_info_header(width, height, bits, image_size, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                       colours, colours)


def palette_bytes(palette):
    out = bytearray()
    for r, g, b in palette:
        out += bytes((b, g, r, 0))
    out += b"\0" * (4 * (256 - len(palette)))
    return bytes(out)


def write_bmp8(path, width, height, indices, palette):
    pixels = b"".join(_pad4(bytes(indices[y * width:(y + 1) * width])) for y in _rows_bottom_up(height))
    info = bitmap_info_header(width, height, 8, len(pixels), 256) + palette_bytes(palette)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def and_mask(size, alpha):
    rows = []
    for y in _rows_bottom_up(size):
        bits = bytearray((size + 7) // 8)
        for x in range(size):
            if alpha[y * size + x] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(_pad4(bytes(bits)))
    return b"".join(rows)


def icon_image_8bit(size, rgba):
    opaque = [(r, g, b) for r, g, b, a in rgba if a >= 128]
    palette = median_cut(opaque or [(0, 0, 0)], 256)
    lookup = {}
    indices = []
    for r, g, b, a in rgba:
        indices.append(nearest(palette, (r, g, b), lookup) if a >= 128 else 0)
    pixels = b"".join(_pad4(bytes(indices[y * size:(y + 1) * size])) for y in _rows_bottom_up(size))
    mask = and_mask(size, [p[3] for p in rgba])
    header = bitmap_info_header(size, size * 2, 8, len(pixels) + len(mask), 256)
    return header + palette_bytes(palette) + pixels + mask, 8


def icon_image_32bit(size, rgba):
    rows = []
    for y in _rows_bottom_up(size):
        row = bytearray()
        for r, g, b, a in rgba[y * size:(y + 1) * size]:
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    mask = and_mask(size, [p[3] for p in rgba])
    header = bitmap_info_header(size, size * 2, 32, len(pixels) + len(mask), 0)
    return header + pixels + mask, 32


def write_ico(path, images):
    """images: list of (size, data, bits)."""
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data, bits in images:
        colours = 0 if bits >= 8 else 1 << bits
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    for _, data, _ in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


# ---------------------------------------------------------------------------------------------
# Colour reduction for the 256-colour icons

def median_cut(colours, count):
    unique = sorted(set(colours))
    if len(unique) <= count:
        return unique
    boxes = [list(colours)]
    while len(boxes) < count:
        widest, channel, spread = None, 0, -1
        for box in boxes:
            for c in range(3):
                values = [p[c] for p in box]
                s = max(values) - min(values)
                if s > spread and len(set(box)) > 1:
                    widest, channel, spread = box, c, s
        if widest is None:
            break
        boxes.remove(widest)
        widest.sort(key=lambda p: p[channel])
        half = len(widest) // 2
        boxes += [widest[:half], widest[half:]]
    return [tuple(sum(p[c] for p in box) // len(box) for c in range(3)) for box in boxes]


def nearest(palette, colour, lookup):
    if colour not in lookup:
        lookup[colour] = min(range(len(palette)),
                             key=lambda i: sum((palette[i][c] - colour[c]) ** 2 for c in range(3)))
    return lookup[colour]


# ---------------------------------------------------------------------------------------------
# The background tile: periodic noise, so the right edge continues into the left one and the
# bottom into the top, mapped through a dark blue-to-teal ramp that keeps yellow text readable.

def _hash(ix, iy, seed):
    h = (ix * 374761393 + iy * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0


def _smooth(t):
    return t * t * t * (t * (t * 6 - 15) + 10)


def periodic_noise(x, y, cells_x, cells_y, seed):
    u = x / TILE_WIDTH * cells_x
    v = y / TILE_HEIGHT * cells_y
    x0, y0 = int(math.floor(u)), int(math.floor(v))
    fx, fy = _smooth(u - x0), _smooth(v - y0)
    corners = [_hash((x0 + dx) % cells_x, (y0 + dy) % cells_y, seed) for dy in (0, 1) for dx in (0, 1)]
    top = corners[0] + (corners[1] - corners[0]) * fx
    bottom = corners[2] + (corners[3] - corners[2]) * fx
    return top + (bottom - top) * fy


def fractal(x, y, octaves, seed):
    total, weight, norm = 0.0, 1.0, 0.0
    for cells_x, cells_y in octaves:
        total += weight * periodic_noise(x, y, cells_x, cells_y, seed)
        norm += weight
        weight *= 0.5
        seed += 17
    return total / norm


RAMP = [  # position, colour
    (0.00, (3, 8, 34)),
    (0.30, (6, 24, 66)),
    (0.55, (9, 44, 88)),
    (0.78, (14, 72, 108)),
    (0.92, (26, 98, 124)),
    (1.00, (52, 128, 146)),
]


def ramp_colour(t):
    for (p0, c0), (p1, c1) in zip(RAMP, RAMP[1:]):
        if t <= p1:
            f = (t - p0) / (p1 - p0)
            return tuple(round(a + (b - a) * f) for a, b in zip(c0, c1))
    return RAMP[-1][1]


def background_tile():
    octaves = [(3, 2), (7, 5), (14, 12), (31, 26), (62, 45)]
    height = [[0.0] * TILE_WIDTH for _ in range(TILE_HEIGHT)]
    for y in range(TILE_HEIGHT):
        for x in range(TILE_WIDTH):
            turbulence = fractal(x, y, octaves, 11)
            # Soft diagonal veins, one and two periods across the tile, bent by the noise.
            phase = 2 * math.pi * (x / TILE_WIDTH * 2 + y / TILE_HEIGHT) + 7.0 * turbulence
            vein = 1.0 - abs(math.sin(phase))
            clouds = fractal(x, y, octaves[1:], 5)
            height[y][x] = 0.50 * clouds + 0.28 * vein ** 2 + 0.22 * turbulence
    indices = []
    for y in range(TILE_HEIGHT):
        for x in range(TILE_WIDTH):
            h = height[y][x]
            # Light from the top left, taken across the tile's wrapped edges.
            slope = h - height[(y - 1) % TILE_HEIGHT][(x - 1) % TILE_WIDTH]
            grain = (_hash(x, y, 99) - 0.5) * 0.035
            t = (h - 0.20) * 1.40 + slope * 2.2 + grain
            indices.append(max(0, min(255, round(t * 255))))
    palette = [ramp_colour(i / 255) for i in range(256)]
    return indices, palette


# ---------------------------------------------------------------------------------------------
# The icon: drawn in a 32-unit square at any size, with supersampled coverage

def _rounded_rect(x0, y0, x1, y1, r):
    def inside(px, py):
        cx = min(max(px, x0 + r), x1 - r)
        cy = min(max(py, y0 + r), y1 - r)
        return (px - cx) ** 2 + (py - cy) ** 2 <= r * r and x0 <= px <= x1 and y0 <= py <= y1
    return inside


def _circle(cx, cy, r):
    return lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r


def _segment(ax, ay, bx, by, half_width):
    def inside(px, py):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        return (px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2 <= half_width ** 2
    return inside


def _star(cx, cy, r):
    def inside(px, py):
        dx, dy = abs(px - cx), abs(py - cy)
        return (dx / r) ** 0.6 + (dy / r) ** 0.6 <= 1.0
    return inside


def icon_shapes(small):
    """Back to front: (shape, colour). Coordinates on a 32 x 32 grid."""
    navy, page, header = (10, 30, 80), (250, 250, 244), (18, 92, 150)
    shapes = [
        (_rounded_rect(2.5, 4.5, 26.5, 28.5, 2.0), navy),                 # page outline
        (_rounded_rect(3.5, 5.5, 25.5, 27.5, 1.2), page),
        (lambda px, py: 3.5 <= px <= 25.5 and 5.5 <= py <= 11.5 and
         _rounded_rect(3.5, 5.5, 25.5, 27.5, 1.2)(px, py), header),      # month band
        (lambda px, py: 3.5 <= px <= 25.5 and 11.5 <= py <= 12.5, navy),
    ]
    if not small:
        for cx in (9.0, 19.5):                                             # binder rings
            shapes.append((_rounded_rect(cx - 1.5, 2.0, cx + 1.5, 9.0, 1.5), navy))
            shapes.append((_rounded_rect(cx - 0.6, 2.8, cx + 0.6, 8.2, 0.6), (190, 200, 214)))
        for row in range(3):                                               # the days
            for col in range(4):
                x, y = 6.0 + col * 5.0, 15.0 + row * 4.2
                colour = (200, 40, 40) if (row, col) == (0, 2) else (120, 160, 210)
                shapes.append((_rounded_rect(x, y, x + 3.0, y + 2.6, 0.5), colour))
    else:
        for cx in (9.0, 19.5):
            shapes.append((_rounded_rect(cx - 1.6, 2.0, cx + 1.6, 8.5, 1.0), navy))
        for row in range(2):
            for col in range(3):
                x, y = 6.0 + col * 6.5, 15.5 + row * 6.0
                shapes.append((_rounded_rect(x, y, x + 4.0, y + 3.5, 0.3), (120, 160, 210)))
    clock_x, clock_y, clock_r = 22.0, 22.0, 9.3
    gold, face = (255, 206, 48), (255, 253, 236)
    shapes += [
        (_circle(clock_x, clock_y, clock_r), navy),
        (_circle(clock_x, clock_y, clock_r - 1.1), gold),
        (_circle(clock_x, clock_y, clock_r - 2.8), face),
    ]
    if not small:
        for hour in range(12):
            a = hour * math.pi / 6
            r0 = clock_r - 4.2 if hour % 3 == 0 else clock_r - 3.6
            r1 = clock_r - 3.0
            shapes.append((_segment(clock_x + r0 * math.sin(a), clock_y - r0 * math.cos(a),
                                    clock_x + r1 * math.sin(a), clock_y - r1 * math.cos(a), 0.35), navy))
    hand = 1.25 if small else 0.55
    shapes += [
        (_segment(clock_x, clock_y, clock_x - 2.9, clock_y - 1.9, hand), navy),      # ten o'clock
        (_segment(clock_x, clock_y, clock_x + 0.2, clock_y - 5.0, hand * 0.8), navy),  # the minutes
        (_circle(clock_x, clock_y, 0.8 if small else 0.9), (200, 30, 30)),
    ]
    if not small:
        shapes.append((_star(27.5, 5.5, 4.6), (150, 110, 0)))                  # the sparkle
        shapes.append((_star(27.5, 5.5, 3.6), (255, 236, 90)))
    return shapes


def render_icon(size, samples=8):
    small = size <= 16
    shapes = icon_shapes(small)
    scale = 32.0 / size
    out = []
    for y in range(size):
        for x in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied colour and coverage
            for sy in range(samples):
                for sx in range(samples):
                    px = (x + (sx + 0.5) / samples) * scale
                    py = (y + (sy + 0.5) / samples) * scale
                    colour = None
                    for inside, c in shapes:
                        if inside(px, py):
                            colour = c
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = samples * samples
            if acc[3] == 0:
                out.append((0, 0, 0, 0))
            else:
                out.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]),
                            round(255 * acc[3] / n)))
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    indices, palette = background_tile()
    write_bmp8(os.path.join(target, "OrdavelBackground.bmp"), TILE_WIDTH, TILE_HEIGHT, indices, palette)
    images = []
    for size in (32, 16):
        rgba = render_icon(size)
        for encode in (icon_image_8bit, icon_image_32bit):
            data, bits = encode(size, rgba)
            images.append((size, data, bits))
    write_ico(os.path.join(target, "Ordavel.ico"), images)


if __name__ == "__main__":
    main()
