#!/usr/bin/env python3
"""Draws the job sender's icons and writes them as .ico files (16 and 32
pixels, 32-bit colour with alpha). Each icon is a few shapes in a unit
square, sampled 4 x 4 per pixel, so both sizes stay sharp and legible.

    make_icons.py OUTPUT_FOLDER
"""
import math
import struct
import sys

BLUE = (30, 90, 200)
DARK = (40, 40, 48)
RED = (210, 40, 40)
GREEN = (30, 150, 60)
ORANGE = (240, 150, 30)
WHITE = (250, 250, 250)
GREY = (150, 150, 160)


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def line(x0, y0, x1, y1, w):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    return inside


def triangle(ax, ay, bx, by, cx, cy):
    def side(px, py, qx, qy, x, y):
        return (qx - px) * (y - py) - (qy - py) * (x - px)

    def inside(x, y):
        s1 = side(ax, ay, bx, by, x, y)
        s2 = side(bx, by, cx, cy, x, y)
        s3 = side(cx, cy, ax, ay, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


# Icons as lists of (shape, colour), painted in order.
ICONS = {
    # The program: a blade over a cut line.
    "tarnik": [
        (disc(0.5, 0.5, 0.48), BLUE),
        (line(0.18, 0.74, 0.82, 0.74, 0.08), WHITE),
        (triangle(0.52, 0.16, 0.74, 0.30, 0.44, 0.66), WHITE),
        (line(0.44, 0.66, 0.40, 0.74, 0.06), WHITE),
    ],
    # Cancel the running job: a red cross in a ring.
    "cancel_work": [
        (disc(0.5, 0.5, 0.46), RED),
        (line(0.30, 0.30, 0.70, 0.70, 0.13), WHITE),
        (line(0.70, 0.30, 0.30, 0.70, 0.13), WHITE),
    ],
    # Options: a gear.
    "option": [
        (lambda x, y: (math.hypot(x - 0.5, y - 0.5) <=
                       0.36 + 0.09 * (math.cos(8 * math.atan2(y - 0.5, x - 0.5)) > 0)), DARK),
        (disc(0.5, 0.5, 0.15), WHITE),
    ],
    # The spare button: a plain dot.
    "spare": [
        (disc(0.5, 0.5, 0.30), GREY),
    ],
    # Cut from a PLT file: a page with a downward arrow.
    "cut_from_file": [
        (box(0.18, 0.06, 0.72, 0.94), DARK),
        (box(0.23, 0.11, 0.67, 0.89), WHITE),
        (line(0.32, 0.28, 0.58, 0.28, 0.06), GREY),
        (line(0.32, 0.42, 0.58, 0.42, 0.06), GREY),
        (line(0.64, 0.40, 0.64, 0.80, 0.14), GREEN),
        (triangle(0.44, 0.66, 0.84, 0.66, 0.64, 0.96), GREEN),
    ],
    # Exit: a power symbol.
    "exit": [
        (lambda x, y: ring(0.5, 0.56, 0.26, 0.38)(x, y) and not box(0.36, 0.0, 0.64, 0.5)(x, y),
         RED),
        (line(0.5, 0.08, 0.5, 0.52, 0.13), RED),
    ],
    # Sending, two frames: an arrow that moves along the line.
    "sending_a": [
        (disc(0.5, 0.5, 0.48), ORANGE),
        (line(0.14, 0.5, 0.60, 0.5, 0.14), WHITE),
        (triangle(0.52, 0.28, 0.52, 0.72, 0.80, 0.5), WHITE),
    ],
    "sending_b": [
        (disc(0.5, 0.5, 0.48), GREEN),
        (line(0.24, 0.5, 0.70, 0.5, 0.14), WHITE),
        (triangle(0.62, 0.28, 0.62, 0.72, 0.90, 0.5), WHITE),
    ],
}


def render(shapes, size):
    """Rows of (b, g, r, a) bytes, top row first."""
    n = 4
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for shape, c in shapes:
                        if shape(x, y):
                            colour = c
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            cover = acc[3]
            if cover == 0:
                row += bytes((0, 0, 0, 0))
            else:
                r, g, b = (acc[i] / cover for i in range(3))
                row += bytes((int(b), int(g), int(r), int(255 * cover / (n * n))))
        rows.append(bytes(row))
    return rows


def icon_image(shapes, size):
    rows = render(shapes, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            if row[4 * x + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def write_icon(path, shapes):
    write_icon_images(path, [icon_image(shapes, size) for size in (16, 32)])


def write_icon_images(path, images):
    """An .ico file of a 16 x 16 and a 32 x 32 image, in that order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_bmp(path, canvas):
    """A 24-bit .bmp of canvas.px (rows of (r, g, b), top row first)."""
    row_bytes = (canvas.w * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray()
        for r, g, b in canvas.px[y]:
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        pixels += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 24, 0, len(pixels), 2835, 2835,
                       0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    for name, shapes in ICONS.items():
        write_icon(f"{folder}/{name}.ico", shapes)


if __name__ == "__main__":
    main()
