#!/usr/bin/env python3
"""Draws the combo boxes' drop-down arrows (bitmap 166): a strip of images
9 pixels wide and 7 high on magenta, which the controls draw as
transparent. Image 0 is the arrow of an enabled box, image 1 the greyed
arrow of a disabled one (grey, with a white edge below it as disabled
controls draw their marks).

    make_arrows.py OUTPUT_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icons import write_bmp  # noqa: E402

WIDTH, HEIGHT = 9, 7
MAGENTA = (255, 0, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
WHITE = (255, 255, 255)
# A triangle pointing down, 7 pixels wide at the top, centred in the image.
TRIANGLE = [(1, 7), (2, 5), (3, 3), (4, 1)]  # (row, width)


class Strip:
    def __init__(self, images):
        self.w, self.h = WIDTH * images, HEIGHT
        self.px = [[MAGENTA] * self.w for _ in range(self.h)]

    def triangle(self, image, colour, dx=0, dy=0):
        for row, width in TRIANGLE:
            left = image * WIDTH + (WIDTH - width) // 2 + dx
            for x in range(left, left + width):
                self.px[row + dy][x] = colour


def arrows():
    strip = Strip(2)
    strip.triangle(0, BLACK)
    strip.triangle(1, WHITE, dx=1, dy=1)
    strip.triangle(1, GREY)
    return strip


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    write_bmp(f"{folder}/dropdown_arrows.bmp", arrows())


if __name__ == "__main__":
    main()
