#!/usr/bin/env python3
"""Draws Mirando's artwork: the dialog's background (a 338 x 231 24-bit
.bmp) and the program icon (16 and 32 pixels, 32-bit colour with alpha).

The background shows what the user measures: four registration marks at
the corners, a cross of printed lines with the knife's cut lines beside
them, red arrows at the four sides (the four offset edits stand next to
them) and a legend naming the print line and the cut line. The edits'
places in markoffset/win32/mirando_dlg.cpp follow the arrows drawn here.

    make_art.py OUTPUT_FOLDER
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "sender", "res"))
from make_icons import write_bmp, write_icon_images  # noqa: E402

W, H = 338, 231
PAPER = (252, 252, 246)
BLACK = (20, 20, 20)
CUT = (30, 90, 200)
RED = (220, 30, 30)
FRAME = (150, 150, 160)

# A 5 x 7 font for the legend's letters.
FONT = {
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    "i": ["00100", "00000", "01100", "00100", "00100", "00100", "01110"],
    "n": ["00000", "00000", "10110", "11001", "10001", "10001", "10001"],
    "t": ["01000", "01000", "11100", "01000", "01000", "01001", "00110"],
    "l": ["01100", "00100", "00100", "00100", "00100", "00100", "01110"],
    "e": ["00000", "00000", "01110", "10001", "11111", "10000", "01110"],
    "u": ["00000", "00000", "10001", "10001", "10001", "10011", "01101"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, w, h, colour):
        self.w, self.h = w, h
        self.px = [[colour] * w for _ in range(h)]

    def dot(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = colour

    def box(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, colour)

    def hline(self, x0, x1, y, colour, width=2, dash=0):
        for x in range(x0, x1 + 1):
            if dash == 0 or (x - x0) % (2 * dash) < dash:
                self.box(x, y, x, y + width - 1, colour)

    def vline(self, x, y0, y1, colour, width=2, dash=0):
        for y in range(y0, y1 + 1):
            if dash == 0 or (y - y0) % (2 * dash) < dash:
                self.box(x, y, x + width - 1, y, colour)

    def arrow(self, x, y, direction, length=26, colour=RED):
        """An arrow whose tip is at (x, y), pointing up, down, left or right."""
        head = 7
        for step in range(length):
            half = step if step < head else 1
            for offset in range(-half, half + 1):
                if direction == "up":
                    self.dot(x + offset, y + step, colour)
                elif direction == "down":
                    self.dot(x + offset, y - step, colour)
                elif direction == "left":
                    self.dot(x + step, y + offset, colour)
                else:
                    self.dot(x - step, y + offset, colour)

    def corner_mark(self, x, y, dx, dy):
        """An L-shaped registration mark with its corner at (x, y)."""
        self.hline(min(x, x + dx * 16), max(x, x + dx * 16), y, BLACK, width=4)
        self.vline(x, min(y, y + dy * 16), max(y, y + dy * 16), BLACK, width=4)

    def text(self, x, y, words, colour):
        for index, letter in enumerate(words):
            rows = FONT[letter]
            for row, bits in enumerate(rows):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.dot(x + index * 6 + col, y + row, colour)


def background():
    c = Canvas(W, H, PAPER)
    c.box(0, 0, W - 1, 0, FRAME)
    c.box(0, H - 1, W - 1, H - 1, FRAME)
    c.box(0, 0, 0, H - 1, FRAME)
    c.box(W - 1, 0, W - 1, H - 1, FRAME)
    # Registration marks at the corners of the printed area.
    c.corner_mark(10, 10, 1, 1)
    c.corner_mark(W - 14, 10, -1, 1)
    c.corner_mark(10, H - 14, 1, -1)
    c.corner_mark(W - 14, H - 14, -1, -1)
    # The printed cross, and the knife's cut lines beside it (dashed).
    cx, cy = 150, 104
    c.hline(84, 236, cy, BLACK)
    c.vline(cx, 48, 172, BLACK)
    c.hline(84, 236, cy + 8, CUT, dash=4)
    c.vline(cx + 8, 48, 172, CUT, dash=4)
    # Red arrows at the four sides; the edits stand beside them.
    c.arrow(cx, 14, "up")      # upper: edit to its right
    c.arrow(cx, 200, "down")   # lower: edit to its right
    c.arrow(12, 82, "left")    # left: edit below it
    c.arrow(W - 30, 82, "right")  # right: edit below it
    # Legend: which line is which.
    c.hline(40, 62, 184, BLACK)
    c.text(68, 181, "Print line", BLACK)
    c.hline(40, 62, 198, CUT, dash=4)
    c.text(68, 195, "Cut line", CUT)
    return c


def icon_canvas(size):
    """The icon: a corner mark and a red arrow onto a cross, on white."""
    n = 4  # samples per pixel, for smooth edges at 16 pixels
    big = Canvas(size * n, size * n, None)
    s = size * n / 32.0

    def rect(x0, y0, x1, y1, colour):
        big.box(int(x0 * s), int(y0 * s), int(x1 * s) - 1, int(y1 * s) - 1, colour)

    rect(1, 1, 31, 31, (250, 250, 250))
    rect(3, 3, 12, 6, BLACK)
    rect(3, 3, 6, 12, BLACK)
    rect(8, 19, 29, 22, BLACK)   # print line
    rect(18, 9, 21, 30, BLACK)
    rect(8, 24, 29, 26, CUT)     # cut line beside it
    for step in range(int(10 * s)):
        half = max(1, int(5 * s) - step)
        for offset in range(-half, half + 1):
            big.dot(int(24 * s) + offset, int(3 * s) + step, RED)
    big.box(int(23 * s), int(3 * s), int(25 * s), int(15 * s), RED)
    out = []
    for y in range(size):
        row = []
        for x in range(size):
            cells = [big.px[y * n + j][x * n + i] for j in range(n) for i in range(n)]
            hit = [cell for cell in cells if cell is not None]
            if not hit:
                row.append((0, 0, 0, 0))
                continue
            r = sum(p[0] for p in hit) // len(hit)
            g = sum(p[1] for p in hit) // len(hit)
            b = sum(p[2] for p in hit) // len(hit)
            row.append((r, g, b, 255 * len(hit) // len(cells)))
        out.append(row)
    return out


def icon_image(size):
    rows = icon_canvas(size)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    and_row = ((size + 31) // 32) * 4
    mask = b"\0" * (and_row * size)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    return info + bytes(xor) + mask


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    write_bmp(f"{folder}/background.bmp", background())
    write_icon_images(f"{folder}/mirando.ico", [icon_image(16), icon_image(32)])


if __name__ == "__main__":
    main()
