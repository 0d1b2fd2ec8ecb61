#!/usr/bin/env python3
"""Draws the installer's icon with the job sender's icon painter: a box
with an arrow going into it.

    make_icon.py OUTPUT_FOLDER
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "sender", "res"))
from make_icons import BLUE, DARK, GREEN, WHITE, box, disc, line, triangle, write_icon  # noqa: E402

OSTREL = [
    (disc(0.5, 0.5, 0.48), GREEN),
    (box(0.24, 0.52, 0.76, 0.80), WHITE),
    (box(0.30, 0.52, 0.70, 0.74), BLUE),
    (line(0.5, 0.14, 0.5, 0.46, 0.14), DARK),
    (triangle(0.34, 0.40, 0.66, 0.40, 0.5, 0.62), DARK),
]

if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    write_icon(f"{folder}/ostrel.ico", OSTREL)
