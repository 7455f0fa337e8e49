#!/usr/bin/env python3
"""Draws the shortcut-button faces Images/addsmallbutton.bmp (blue-grey, a listed box)
and Images/yellowsmallbutton.bmp (yellow, the box just chosen) as 24-bit BMP files.

Run from the repository root: python3 scripts/make_button_pictures.py
"""

import os
import struct

WIDTH, HEIGHT, RADIUS = 96, 24, 6
# The window background, so the rounded corners blend into the window.
BACKGROUND = (239, 239, 239)

FACES = {
    "addsmallbutton.bmp": {"top": (226, 233, 245), "bottom": (152, 172, 204),
                           "border": (88, 106, 138), "shine": (250, 252, 255)},
    "yellowsmallbutton.bmp": {"top": (255, 246, 160), "bottom": (238, 196, 34),
                              "border": (160, 120, 0), "shine": (255, 253, 225)},
}


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def corner_distance(x, y):
    """Distance beyond the rounded corner's arc; <= 0 inside the face."""
    cx = min(max(x + 0.5, RADIUS), WIDTH - RADIUS)
    cy = min(max(y + 0.5, RADIUS), HEIGHT - RADIUS)
    return ((x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2) ** 0.5 - RADIUS


def pixel(face, x, y):
    d = corner_distance(x, y)
    if d > 0.5:
        return BACKGROUND
    colour = mix(face["top"], face["bottom"], y / (HEIGHT - 1))
    if y == 1 and 1 < x < WIDTH - 2:
        colour = face["shine"]
    if d > -1.0:
        # The border, softened against the background at the arc.
        colour = face["border"] if d <= 0 else mix(face["border"], BACKGROUND, d + 0.5)
    return colour


def bmp(face):
    row_size = (WIDTH * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(HEIGHT)):  # bottom-up
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(face, x, y)
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    return header + info + data


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = os.path.join(root, "Images")
    os.makedirs(folder, exist_ok=True)
    for name, face in FACES.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(bmp(face))


if __name__ == "__main__":
    main()
