#!/usr/bin/env python3
"""Draws the window icon, ui/norlune_icon.png: a 32 x 32 crescent moon over a dark red seal with
five dots in the colours of the five elements. Deterministic; needs only the standard library.

Run from the repository root: python3 tools/make_icon.py
The build draws the same picture in the icon theme's sizes for the package:
    python3 tools/make_icon.py --size 128 --output build/icons/128/norlune.png
"""
import argparse
import struct
import zlib

SIZE = 32  # the drawing's own coordinates; other sizes scale it
SAMPLES = 4  # supersampling per axis, for smooth edges

SEAL = (150, 28, 36)
MOON = (250, 236, 200)
# 金 木 水 火 土
DOTS = [(222, 190, 80), (60, 150, 70), (60, 110, 200), (230, 90, 40), (170, 120, 60)]


def inside_rounded_square(x, y):
    m, r = 1.0, 6.0
    lo, hi = m + r, SIZE - m - r
    cx = min(max(x, lo), hi)
    cy = min(max(y, lo), hi)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and m <= x <= SIZE - m and m <= y <= SIZE - m


def colour_at(x, y):
    """Colour (r, g, b, a) of one sample point."""
    if not inside_rounded_square(x, y):
        return (0, 0, 0, 0)
    # Crescent: a disc minus a shifted disc.
    if (x - 14.5) ** 2 + (y - 13.0) ** 2 <= 8.5 ** 2 and (x - 18.5) ** 2 + (y - 10.5) ** 2 > 7.5 ** 2:
        return MOON + (255,)
    for i, col in enumerate(DOTS):
        cx = 7.0 + i * 4.5
        if (x - cx) ** 2 + (y - 26.0) ** 2 <= 1.8 ** 2:
            return col + (255,)
    return SEAL + (255,)


def pixel(px, py, scale=1):
    acc = [0, 0, 0, 0]
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            r, g, b, a = colour_at((px + (sx + 0.5) / SAMPLES) / scale,
                                   (py + (sy + 0.5) / SAMPLES) / scale)
            acc[0] += r * a
            acc[1] += g * a
            acc[2] += b * a
            acc[3] += a
    if acc[3] == 0:
        return (0, 0, 0, 0)
    n = SAMPLES * SAMPLES
    return (round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]),
            round(acc[3] / n))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def draw(size):
    """The icon as PNG bytes, size x size pixels."""
    scale = size / SIZE
    rows = bytearray()
    for py in range(size):
        rows.append(0)  # filter: none
        for px in range(size):
            rows.extend(pixel(px, py, scale))
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9))
    png += chunk(b"IEND", b"")
    return png


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--size", type=int, default=SIZE, help="width and height in pixels")
    parser.add_argument("--output", default="ui/norlune_icon.png", help="the PNG file to write")
    args = parser.parse_args()
    if not 8 <= args.size <= 1024:
        parser.error("--size must lie between 8 and 1024")
    with open(args.output, "wb") as out:
        out.write(draw(args.size))


if __name__ == "__main__":
    main()
