"""What Dustora's and Ordavel's art scripts share: the marbled dialog background with its
palette, a supersampled drawing surface, the calendar page of both scheduler icons, and the
writers of Windows bitmaps and icons. Needs Debian's python3-pil (Pillow)."""

import math
import os
import struct
from io import BytesIO

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

TILE_WIDTH, TILE_HEIGHT = 217, 180


# ---------------------------------------------------------------------------------------------
# The marble: periodic noise, so the right edge continues into the left one and the bottom into
# the top, mapped through a dark blue-to-teal ramp that keeps yellow text readable.

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


MARBLE_PALETTE = [ramp_colour(i / 255) for i in range(256)]
# The marble's middle tone: what the edges of the 256-colour icons and the report logo are
# blended against, since that is what they sit on.
MARBLE_MIDDLE = ramp_colour(0.45)


def marble_tile(seed=11, veins=(2, 1)):
    """The 217 x 180 background tile as a 256-colour picture on the marble palette. `veins`
    counts the soft diagonal veins across and down the tile; whole numbers keep it seamless."""
    octaves = [(3, 2), (7, 5), (14, 12), (31, 26), (62, 45)]
    height = [[0.0] * TILE_WIDTH for _ in range(TILE_HEIGHT)]
    across, down = veins
    for y in range(TILE_HEIGHT):
        for x in range(TILE_WIDTH):
            turbulence = fractal(x, y, octaves, seed)
            phase = 2 * math.pi * (x / TILE_WIDTH * across + y / TILE_HEIGHT * down) + 7.0 * turbulence
            vein = 1.0 - abs(math.sin(phase))
            clouds = fractal(x, y, octaves[1:], seed - 6)
            height[y][x] = 0.50 * clouds + 0.28 * vein ** 2 + 0.22 * turbulence
    indices = bytearray()
    for y in range(TILE_HEIGHT):
        for x in range(TILE_WIDTH):
            h = height[y][x]
            # Light from the top left, taken across the tile's wrapped edges.
            slope = h - height[(y - 1) % TILE_HEIGHT][(x - 1) % TILE_WIDTH]
            grain = (_hash(x, y, 99) - 0.5) * 0.035
            t = (h - 0.20) * 1.40 + slope * 2.2 + grain
            indices.append(max(0, min(255, round(t * 255))))
    tile = Image.frombytes("P", (TILE_WIDTH, TILE_HEIGHT), bytes(indices))
    tile.putpalette([channel for colour in MARBLE_PALETTE for channel in colour])
    return tile


def tiled(tile, width, height):
    """The tile repeated over width x height, as the dialogs lay it from their corner."""
    out = Image.new("RGB", (width, height))
    rgb = tile.convert("RGB")
    for top in range(0, height, tile.height):
        for left in range(0, width, tile.width):
            out.paste(rgb, (left, top))
    return out


# ---------------------------------------------------------------------------------------------
# Drawing: shapes are drawn at `scale` times the picture's size and reduced by area averaging,
# so that shapes on whole-pixel bounds stay crisp and curves get smooth edges. Coordinates are
# the picture's own pixels; a box (x0, y0, x1, y1) covers x0 <= x < x1.

def mix(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


class Gradient:
    """A paint whose colour runs through stops [(t, colour), ...] along a line from p0 to p1,
    or outwards from p0 over a radius when `radius` is given."""

    def __init__(self, p0, p1, stops, radius=None):
        self.p0, self.p1, self.stops, self.radius = p0, p1, stops, radius

    def colour_at(self, x, y):
        x0, y0 = self.p0
        if self.radius:
            t = math.hypot(x - x0, y - y0) / self.radius
        else:
            dx, dy = self.p1[0] - x0, self.p1[1] - y0
            t = ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)
        t = max(0.0, min(1.0, t))
        for (t0, c0), (t1, c1) in zip(self.stops, self.stops[1:]):
            if t <= t1:
                return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 1.0)
        return self.stops[-1][1]

    def render(self, box, scale):
        """The paint over box (in working pixels), worked out at every half picture pixel."""
        x0, y0, x1, y1 = box
        step = max(1, scale // 2)
        w, h = (x1 - x0 + step - 1) // step, (y1 - y0 + step - 1) // step
        small = Image.new("RGBA", (w, h))
        small.putdata([self._rgba(((x0 + (i + 0.5) * step) / scale, (y0 + (j + 0.5) * step) / scale))
                       for j in range(h) for i in range(w)])
        return small.resize((w * step, h * step), Image.BILINEAR).crop((0, 0, x1 - x0, y1 - y0))

    def _rgba(self, point):
        colour = self.colour_at(*point)
        return colour if len(colour) == 4 else colour + (255,)


def solid(colour):
    return colour if len(colour) == 4 else tuple(colour) + (255,)


class Sketch:
    def __init__(self, width, height, scale=8):
        self.width, self.height, self.scale = width, height, scale
        self.image = Image.new("RGBA", (width * scale, height * scale), (0, 0, 0, 0))

    # Coverage masks, at working size.
    def blank(self):
        return Image.new("L", self.image.size, 0)

    def _box(self, box):
        s = self.scale
        x0, y0, x1, y1 = box
        return [round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1]

    def rect_mask(self, box, radius=0):
        mask = self.blank()
        ImageDraw.Draw(mask).rounded_rectangle(self._box(box), radius * self.scale, fill=255)
        return mask

    def ellipse_mask(self, box):
        mask = self.blank()
        ImageDraw.Draw(mask).ellipse(self._box(box), fill=255)
        return mask

    def polygon_mask(self, points):
        mask = self.blank()
        ImageDraw.Draw(mask).polygon([(x * self.scale, y * self.scale) for x, y in points], fill=255)
        return mask

    def line_mask(self, points, width):
        """A stroke through points with round joints and ends."""
        mask = self.blank()
        draw = ImageDraw.Draw(mask)
        s, r = self.scale, width / 2
        draw.line([(x * s, y * s) for x, y in points], fill=255, width=max(1, round(width * s)), joint="curve")
        for x, y in (points[0], points[-1]):
            draw.ellipse([(x - r) * s, (y - r) * s, (x + r) * s, (y + r) * s], fill=255)
        return mask

    def text_mask(self, text, font_file, size, xy, anchor="la", spacing=0):
        mask = self.blank()
        font = ImageFont.truetype(font_path(font_file), round(size * self.scale))
        x, y = xy[0] * self.scale, xy[1] * self.scale
        if not spacing:
            ImageDraw.Draw(mask).text((x, y), text, font=font, fill=255, anchor=anchor)
            return mask
        # Letter-spaced: place each letter after the previous one's advance.
        total = sum(font.getlength(c) for c in text) + spacing * self.scale * (len(text) - 1)
        x -= {"l": 0, "m": total / 2, "r": total}[anchor[0]]
        for c in text:
            ImageDraw.Draw(mask).text((x, y), c, font=font, fill=255, anchor="l" + anchor[1])
            x += font.getlength(c) + spacing * self.scale
        return mask

    # Painting.
    def fill(self, mask, paint, opacity=1.0):
        box = mask.getbbox()
        if not box:
            return
        coverage = mask.crop(box)
        if opacity < 1.0:
            coverage = coverage.point(lambda v: round(v * opacity))
        if isinstance(paint, Gradient):
            layer = paint.render(box, self.scale)
        else:
            layer = Image.new("RGBA", coverage.size, solid(paint))
        layer.putalpha(ImageChops.multiply(layer.getchannel("A"), coverage))
        self.image.alpha_composite(layer, dest=box[:2])

    def rect(self, box, paint, radius=0, opacity=1.0):
        self.fill(self.rect_mask(box, radius), paint, opacity)

    def ellipse(self, box, paint, opacity=1.0):
        self.fill(self.ellipse_mask(box), paint, opacity)

    def polygon(self, points, paint, opacity=1.0):
        self.fill(self.polygon_mask(points), paint, opacity)

    def line(self, points, width, paint, opacity=1.0):
        self.fill(self.line_mask(points, width), paint, opacity)

    # Masks changed.
    def grow(self, mask, pixels):
        """The mask widened by `pixels` picture pixels all round."""
        return mask.filter(ImageFilter.MaxFilter(2 * max(1, round(pixels * self.scale)) + 1))

    def shrink(self, mask, pixels):
        """The mask narrowed by `pixels` picture pixels all round."""
        return mask.filter(ImageFilter.MinFilter(2 * round(pixels * self.scale) + 1))

    def shifted(self, mask, dx, dy):
        return ImageChops.offset(mask, round(dx * self.scale), round(dy * self.scale))

    def result(self, width=None):
        """The picture at its own size, or reduced further to `width` pixels across."""
        return self.image.reduce(self.image.width // (width or self.width))


def inset(box, d):
    return (box[0] + d, box[1] + d, box[2] - d, box[3] - d)


def star_points(cx, cy, r, sharpness=0.6, count=64):
    """A four-pointed star: the curve |dx / r|^k + |dy / r|^k = 1 with k below 1."""
    e = 2 / sharpness
    points = []
    for i in range(count):
        a = 2 * math.pi * i / count
        c, s = math.cos(a), math.sin(a)
        points.append((cx + r * math.copysign(abs(c) ** e, c), cy + r * math.copysign(abs(s) ** e, s)))
    return points


def sparkle(sketch, cx, cy, r, rim=(150, 110, 0), colour=(255, 236, 90)):
    """The twinkle of both programs: a gold star with a darker rim."""
    sketch.polygon(star_points(cx, cy, r), rim)
    sketch.polygon(star_points(cx, cy, r * 0.78), colour)


FONT_FOLDERS = ("/usr/share/fonts/opentype/urw-base35", "/usr/share/fonts/truetype/dejavu",
                "/usr/share/fonts/truetype/liberation")


def font_path(name):
    for folder in FONT_FOLDERS:
        path = os.path.join(folder, name)
        if os.path.exists(path):
            return path
    raise SystemExit(f"font {name} not found: install fonts-urw-base35 and fonts-dejavu-core")


# ---------------------------------------------------------------------------------------------
# The calendar page of Ordavel's icon and of Dustora's Advanced Scheduler button. Icons are drawn
# on a 32 x 32 grid at both sizes; `small` selects the simpler 16 x 16 drawing.

NAVY = (10, 30, 80)
PAGE = (250, 250, 244)
MONTH_BAND = (18, 92, 150)
DAY = (120, 160, 210)
RED_DAY = (200, 40, 40)
RING = (190, 200, 214)
CLOCK_FACE = (255, 253, 236)
CLOCK_PIN = (200, 30, 30)


def calendar_page(sketch, small, dx=0.0, dy=0.0):
    def at(x0, y0, x1, y1):
        return (x0 + dx, y0 + dy, x1 + dx, y1 + dy)
    sketch.rect(at(2.5, 4.5, 26.5, 28.5), NAVY, 2.0)
    sketch.rect(at(3.5, 5.5, 25.5, 27.5), PAGE, 1.2)
    band = ImageChops.multiply(sketch.rect_mask(at(3.5, 5.5, 25.5, 27.5), 1.2),
                               sketch.rect_mask(at(3.5, 5.5, 25.5, 11.5)))
    sketch.fill(band, MONTH_BAND)
    sketch.rect(at(3.5, 11.5, 25.5, 12.5), NAVY)
    if small:
        for cx in (9.0, 19.5):
            sketch.rect(at(cx - 1.6, 2.0, cx + 1.6, 8.5), NAVY, 1.0)
        for row in range(2):
            for col in range(3):
                x, y = 6.0 + col * 6.5, 15.5 + row * 6.0
                sketch.rect(at(x, y, x + 4.0, y + 3.5), DAY, 0.3)
        return
    for cx in (9.0, 19.5):                                                 # binder rings
        sketch.rect(at(cx - 1.5, 2.0, cx + 1.5, 9.0), NAVY, 1.5)
        sketch.rect(at(cx - 0.6, 2.8, cx + 0.6, 8.2), RING, 0.6)
    for row in range(3):                                                   # the days
        for col in range(4):
            x, y = 6.0 + col * 5.0, 15.0 + row * 4.2
            sketch.rect(at(x, y, x + 3.0, y + 2.6), RED_DAY if (row, col) == (0, 2) else DAY, 0.5)


def clock_hands(sketch, cx, cy, face, small):
    """The hour marks (not at 16 x 16), the hands at ten to twelve and the pin of a clock face of
    radius `face`: Ordavel's clock and Dustora's alarm clock."""
    if not small:
        for hour in range(12):
            a = hour * math.pi / 6
            r0 = face - (1.4 if hour % 3 == 0 else 0.8)
            r1 = face - 0.2
            sketch.line([(cx + r0 * math.sin(a), cy - r0 * math.cos(a)),
                         (cx + r1 * math.sin(a), cy - r1 * math.cos(a))], 0.7, NAVY)
    hand = 2.5 if small else 1.1
    sketch.line([(cx, cy), (cx - face * 0.446, cy - face * 0.292)], hand, NAVY)
    sketch.line([(cx, cy), (cx + face * 0.031, cy - face * 0.769)], hand * 0.8, NAVY)
    pin = 0.8 if small else 0.9
    sketch.ellipse((cx - pin, cy - pin, cx + pin, cy + pin), CLOCK_PIN)


def icon_sketch(size):
    """A surface on the 32 x 32 icon grid whose result is `size` pixels square."""
    return Sketch(32, 32, scale=8 * size // 32)


# ---------------------------------------------------------------------------------------------
# Files

def save_bitmap(image, path):
    """A BMP of the picture's own mode: P as 256 colours, RGB as 24 bits."""
    image.save(path, "BMP")


def save_mask_bitmap(outside, path):
    """A 1-bit BMP whose palette entry 0 is white and entry 1 black; `outside` is a mode "1"
    picture set where the mask is black."""
    buffer = BytesIO()
    outside.save(buffer, "BMP")
    data = bytearray(buffer.getvalue())
    palette_at = 14 + 40
    assert data[palette_at:palette_at + 8] == b"\0" * 4 + b"\xff" * 4
    data[palette_at:palette_at + 8] = b"\xff\xff\xff\0\0\0\0\0"
    with open(path, "wb") as f:
        f.write(data)


def _and_mask(image):
    """Set bits where the icon lets the screen through: rows bottom-up, padded to 4 bytes."""
    see_through = image.getchannel("A").point(lambda a: 255 if a < 128 else 0).convert("1")
    return see_through.tobytes("raw", "1", ((image.width + 31) // 32) * 4, -1)


def _icon_entry(image, and_mask):
    """An icon image of the ICO format: a DIB whose height counts the AND mask, then the mask."""
    buffer = BytesIO()
    image.save(buffer, "DIB")
    dib = bytearray(buffer.getvalue())
    dib[8:12] = struct.pack("<i", image.height * 2)
    return bytes(dib) + and_mask


def _icon_256(image, matte):
    """256 colours: the half-covered edge pixels blended against the matte, the rest see-through
    and black, so that drawing through the AND mask leaves the screen as it was."""
    flat = Image.new("RGB", image.size, matte)
    flat.paste(image, mask=image.getchannel("A"))
    indexed = flat.quantize(255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = (indexed.getpalette() + [0] * 768)[:255 * 3] + [0, 0, 0]
    indexed.putpalette(palette)
    indexed.paste(255, mask=image.getchannel("A").point(lambda a: 255 if a < 128 else 0))
    return _icon_entry(indexed, _and_mask(image)), 8


def _icon_32(image):
    """32 bits with alpha; the pixels that the AND mask hides are black, so that the systems that
    draw through the mask and know nothing of alpha leave the screen as it was there."""
    hidden = image.getchannel("A").point(lambda a: 255 if a < 128 else 0)
    rgba = image.copy()
    rgba.paste((0, 0, 0), mask=hidden)
    rgba.putalpha(image.getchannel("A"))
    return _icon_entry(rgba, _and_mask(image)), 32


def save_icon(images, path, matte=MARBLE_MIDDLE):
    """An ICO with each RGBA picture twice, in 256 colours and in 32 bits with alpha, both in
    bitmap form (what Windows before Vista reads)."""
    entries = []
    for image in images:
        for data, bits in (_icon_256(image, matte), _icon_32(image)):
            entries.append((image.width, image.height, bits, data))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for width, height, bits, data in entries:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    for *_, data in entries:
        out += data
    with open(path, "wb") as f:
        f.write(out)
