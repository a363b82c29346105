#!/usr/bin/env python3
"""Draw the program's pictures and install icons.

Writes, relative to the repository root:
  app/pictures/digit.ico       window icon (32 x 32, 24-bit + 1-bit mask)
  app/pictures/arrow.ico       mouse pointer (32 x 32, 24-bit + 1-bit mask, tip at 12,8)
  app/pictures/star.gif        small turning star (24 x 22, 4 frames, transparent index 10)
  app/pictures/background.gif  vertical colour ramp (4 x 109, GIF87a)
  app/icons/hicolor/NxN/apps/shujian.png and app/icons/shujian.ico

Everything is drawn from shapes, never from fonts, and the output is the same
bytes on every run, so the files can be committed and regenerated at will.

Run from anywhere:  python3 tools/make_pictures.py
(needs Pillow, e.g. Debian's python3-pil)
"""

import io
import math
import struct
from pathlib import Path

from PIL import Image, ImageDraw

ROOT = Path(__file__).resolve().parent.parent
PICTURES = ROOT / "app" / "pictures"
ICONS = ROOT / "app" / "icons"

SS = 8  # supersampling factor: shapes are drawn this much larger, then reduced

YELLOW = (255, 214, 0)
BROWN = (190, 100, 10)
SHADOW = (128, 128, 128)


# ---------------------------------------------------------------- the digit 8

# Geometry on a 32-unit grid; every size is drawn from these same shapes.
# Edges sit on half units so that, with the 1.5 outline, the outer rim falls
# on whole pixels at 32 px and the 1-bit mask gets no stray half-covered nubs.
TOP_LOOP = (7.5, 2.5, 22.5, 15.5)
TOP_HOLE = (11.5, 5.5, 18.5, 11.5)
BOTTOM_LOOP = (5.5, 13.5, 24.5, 27.5)
BOTTOM_HOLE = (10.5, 17.5, 19.5, 23.5)
OUTLINE = 1.5  # units
SHADOW_OFFSET = 2.0  # units, to the lower right


def _ellipse(draw, box, scale, grow, value):
    x0, y0, x1, y1 = (round(v * scale) for v in box)
    g = round(grow)
    draw.ellipse((x0 - g, y0 - g, x1 + g - 1, y1 + g - 1), fill=value)


def _ring_mask(px, scale, grow, holes=True):
    """Both loops widened by `grow` pixels, with holes narrowed by the same."""
    mask = Image.new("L", (px, px), 0)
    draw = ImageDraw.Draw(mask)
    for loop in (TOP_LOOP, BOTTOM_LOOP):
        _ellipse(draw, loop, scale, grow, 255)
    for hole in (TOP_HOLE, BOTTOM_HOLE) if holes else ():
        _ellipse(draw, hole, scale, -grow, 0)
    return mask


def draw_eight(size):
    """The digit 8 at `size` pixels as an antialiased RGBA image."""
    px = size * SS
    scale = px / 32.0
    # Thin lines vanish at 16 px, so keep outline and shadow at least a pixel.
    outline = max(OUTLINE * size / 32.0, 1.0) * SS
    offset = round(max(SHADOW_OFFSET * size / 32.0, 1.0) * SS)

    fill = _ring_mask(px, scale, 0)
    outer = _ring_mask(px, scale, outline)
    # The shadow is cast by the solid outline, holes included: a shadow seen
    # through the holes would leave lone see-through specks at 32 px.
    shadow = Image.new("L", (px, px), 0)
    shadow.paste(_ring_mask(px, scale, outline, holes=False), (offset, offset))

    big = Image.new("RGBA", (px, px), (0, 0, 0, 0))
    for colour, mask in ((SHADOW, shadow), (BROWN, outer), (YELLOW, fill)):
        big.paste(colour + (255,), (0, 0), mask)
    return big.resize((size, size), Image.Resampling.BOX)


# ---------------------------------------------------------------- the arrow

# Classic pointer outline, tip first, in pixels relative to the tip.
ARROW = [(0, 0), (0, 18), (4, 14), (7, 21), (10, 20), (7, 13), (13, 13)]
ARROW_TIP = (12, 8)
GREEN = (60, 200, 40)
DARK_GREEN = (0, 100, 0)


def draw_arrow():
    # Drawn at pixel size without smoothing: a pointer with a 1-bit mask
    # must have crisp edges, and the tip must land on an exact pixel.
    img = Image.new("RGBA", (32, 32), (0, 0, 0, 0))
    points = [(x + ARROW_TIP[0], y + ARROW_TIP[1]) for x, y in ARROW]
    ImageDraw.Draw(img).polygon(points, fill=GREEN + (255,), outline=DARK_GREEN + (255,))
    return img


# ---------------------------------------------------------------- ICO writing


def _bmp_entry(img):
    """24-bit BI_RGB bitmap plus 1-bit AND mask, as stored inside an ICO."""
    w, h = img.size
    px = img.load()
    xor_rows, and_rows = [], []
    for y in range(h - 1, -1, -1):  # bottom-up
        row = bytearray()
        bits = bytearray((w + 31) // 32 * 4)
        for x in range(w):
            if px[x, y][3] >= 128:
                r, g, b, _ = px[x, y]
                row += bytes((b, g, r))
            else:
                # Black under a set mask bit leaves the screen unchanged.
                row += b"\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
        row += b"\0" * (-len(row) % 4)
        xor_rows.append(bytes(row))
        and_rows.append(bytes(bits))
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    return header + pixels, 24


def _png_entry(img):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=True)
    return buf.getvalue(), 32


def write_ico(path, images, entry):
    """Write `images` (square RGBA) as one ICO, each encoded by `entry`."""
    blobs = [entry(img) for img in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, (data, bpp) in zip(images, blobs):
        side = img.size[0] % 256  # 256 is stored as 0
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    for data, _ in blobs:
        out += data
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(bytes(out))


# ---------------------------------------------------------------- the star

STAR_SIZE = (24, 22)
STAR_TRANSPARENT = 10
# Palette slots used by the star; the other entries are a grey ramp.
STAR_COLOURS = {11: (200, 80, 0), 12: (255, 140, 0), 13: (255, 200, 60)}
STAR_BACKDROP = (231, 246, 255)  # shown only by viewers that ignore transparency


def _star_points(cx, cy, outer, inner, angle):
    points = []
    for i in range(16):
        a = math.radians(angle + i * 22.5 - 90)
        r = outer if i % 2 == 0 else inner
        points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def draw_star(angle):
    w, h = STAR_SIZE
    big = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    cx, cy = w * SS / 2, h * SS / 2
    draw.polygon(_star_points(cx, cy, 10.8 * SS, 4.6 * SS, angle), fill=STAR_COLOURS[11] + (255,))
    draw.polygon(_star_points(cx, cy, 9.3 * SS, 3.6 * SS, angle), fill=STAR_COLOURS[12] + (255,))
    r = 2.2 * SS
    draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=STAR_COLOURS[13] + (255,))
    small = big.resize(STAR_SIZE, Image.Resampling.BOX)

    # GIF has no partial transparency: threshold, then take the nearest colour.
    frame = Image.new("P", STAR_SIZE, STAR_TRANSPARENT)
    src, dst = small.load(), frame.load()
    for y in range(h):
        for x in range(w):
            r_, g_, b_, a = src[x, y]
            if a >= 128:
                dst[x, y] = min(
                    STAR_COLOURS,
                    key=lambda i: sum((c - v) ** 2 for c, v in zip(STAR_COLOURS[i], (r_, g_, b_))),
                )
    return frame


def star_palette():
    # Every entry distinct: Pillow matches a given palette by colour, and
    # duplicates would let it shuffle indices, moving the transparent one.
    colours = [(i, i, i) for i in range(256)]
    colours[STAR_TRANSPARENT] = STAR_BACKDROP
    for index, colour in STAR_COLOURS.items():
        colours[index] = colour
    return [c for colour in colours for c in colour]


def write_star(path):
    # Eight rays repeat every 45 degrees, so four steps of 11.25 loop smoothly.
    palette = star_palette()
    frames = [draw_star(i * 11.25) for i in range(4)]
    for frame in frames:
        frame.putpalette(palette)
    # Passing the palette keeps one global table instead of a local one per frame.
    frames[0].save(
        path, "GIF", save_all=True, append_images=frames[1:], duration=100, loop=0,
        disposal=2, transparency=STAR_TRANSPARENT, optimize=False, interlace=False,
        palette=bytes(palette),
    )


# ---------------------------------------------------------------- the background


def _ramp(start, end, steps):
    """`steps` colours from start to end inclusive, linear per channel.

    Halves round up (Python's round() would round them to even).
    """
    return [
        tuple(math.floor(a + (b - a) * i / (steps - 1) + 0.5) for a, b in zip(start, end))
        for i in range(steps)
    ]


def background_rows():
    rows = _ramp((0xEB, 0xF7, 0xFF), (0xE7, 0xF6, 0xFF), 8)  # rows 0-7
    rows.append((0xE7, 0xF9, 0xD6))  # row 8
    rows += _ramp((0xE8, 0xFB, 0xC9), (0xAF, 0xF4, 0x8F), 77)  # rows 9-85
    rows += [(0xAF, 0xF4, 0x8F)] * 23  # rows 86-108
    return rows


def write_background(path):
    rows = background_rows()
    colours = list(dict.fromkeys(rows))  # first-seen order, no duplicates
    img = Image.new("P", (4, len(rows)))
    img.putpalette([c for colour in colours + [(0, 0, 0)] * (256 - len(colours)) for c in colour])
    px = img.load()
    for y, colour in enumerate(rows):
        for x in range(4):
            px[x, y] = colours.index(colour)
    # With no transparency, delay or loop given, Pillow writes plain GIF87a;
    # stop loudly should a Pillow change ever add an 89a extension here.
    img.save(path, "GIF", optimize=False, interlace=False)
    if path.read_bytes()[:6] != b"GIF87a":
        raise SystemExit(f"{path.name}: Pillow did not write a GIF87a file")


# ---------------------------------------------------------------- main


def main():
    PICTURES.mkdir(parents=True, exist_ok=True)
    write_ico(PICTURES / "digit.ico", [draw_eight(32)], _bmp_entry)
    write_ico(PICTURES / "arrow.ico", [draw_arrow()], _bmp_entry)
    write_star(PICTURES / "star.gif")
    write_background(PICTURES / "background.gif")

    for size in (32, 48, 64, 128, 256):
        path = ICONS / "hicolor" / f"{size}x{size}" / "apps" / "shujian.png"
        path.parent.mkdir(parents=True, exist_ok=True)
        draw_eight(size).save(path, "PNG", optimize=True)
    write_ico(ICONS / "shujian.ico", [draw_eight(s) for s in (16, 32, 48, 256)], _png_entry)


if __name__ == "__main__":
    main()
