#!/usr/bin/env python3
"""Draws the report's logo, a 67 x 58 monitor, and writes it as logo.png.

The report shows it centred above its title at 1005 x 870 twips (15 twips per
pixel, so one pixel per pixel on a 96 dpi screen). Only the standard library
is used so the picture can be redrawn anywhere: python3 make_logo.py
"""
import os
import struct
import zlib

WIDTH, HEIGHT = 67, 58

WHITE = (255, 255, 255)
BEZEL = (52, 58, 70)
SCREEN_TOP = (40, 110, 190)
SCREEN_BOTTOM = (20, 60, 120)
GLYPH = (235, 242, 250)
STAND = (90, 98, 112)


def blank():
    return [[WHITE for _ in range(WIDTH)] for _ in range(HEIGHT)]


def fill(img, x0, y0, x1, y1, colour):
    """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = colour


def rounded(img, x0, y0, x1, y1, radius, colour):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            dx = max(x0 + radius - x, 0, x - (x1 - radius))
            dy = max(y0 + radius - y, 0, y - (y1 - radius))
            if dx * dx + dy * dy <= radius * radius:
                img[y][x] = colour


def draw():
    img = blank()
    # Bezel, then the screen inside it with a soft vertical gradient.
    rounded(img, 2, 2, 64, 44, 3, BEZEL)
    top, bottom = 6, 40
    for y in range(top, bottom + 1):
        t = (y - top) / (bottom - top)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(SCREEN_TOP, SCREEN_BOTTOM))
        fill(img, 6, y, 60, y, colour)
    # A "T" for Tessarin on the screen.
    fill(img, 23, 13, 43, 16, GLYPH)
    fill(img, 31, 17, 35, 33, GLYPH)
    # Neck and foot of the stand.
    fill(img, 29, 45, 37, 50, STAND)
    rounded(img, 17, 51, 49, 54, 1, STAND)
    return img


def chunk(kind, payload):
    body = kind + payload
    return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(img):
    raw = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in img)
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)  # 8-bit RGB
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "logo.png")
    with open(out, "wb") as f:
        f.write(png(draw()))
    print(out)
