#!/usr/bin/env python3
"""Writes the example inputs of the README: a colourful source picture and its matte.

source.png: a hue wheel with rings inside an irregular blob; outside the blob the picture
holds dark grey stripes, the kind of unusable edge content that Edge Bleed replaces.
matte.png:  the blob as alpha (1 inside, 0 outside, a soft one-pixel edge), white colour.

Only the Python standard library is used (zlib for the PNG data).
Usage: make_examples.py [output folder [width height]]
       (default: the folder of this script, 320 x 240; the shapes scale with the size)
"""
import math
import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 320, 240


def write_png(path, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a) floats in 0..1; row 0 is the top row."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter: none
        for x in range(width):
            for v in pixel(x, y):
                rows.append(max(0, min(255, int(round(v * 255.0)))))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def blob_radius(angle):
    # A lumpy closed outline around the centre, in pixels (designed at 240 pixels high).
    scale = HEIGHT / 240.0
    return scale * (78 + 16 * math.sin(3 * angle) + 9 * math.cos(5 * angle + 0.7))


def matte_alpha(x, y):
    cx, cy = WIDTH * 0.5, HEIGHT * 0.5
    dx, dy = x + 0.5 - cx, y + 0.5 - cy
    d = math.hypot(dx, dy)
    edge = blob_radius(math.atan2(dy, dx))
    return max(0.0, min(1.0, edge - d + 0.5))  # one-pixel soft edge


def hue(h):
    h = (h % 1.0) * 6.0
    i = int(h)
    f = h - i
    return [(1, f, 0), (1 - f, 1, 0), (0, 1, f), (0, 1 - f, 1), (f, 0, 1), (1, 0, 1 - f)][i % 6]


def source_pixel(x, y):
    cx, cy = WIDTH * 0.5, HEIGHT * 0.5
    dx, dy = x + 0.5 - cx, y + 0.5 - cy
    if matte_alpha(x, y) <= 0.0:
        stripe = max(1, int(6 * HEIGHT / 240))
        grey = 0.12 if ((x + y) // stripe) % 2 else 0.2  # stripes: content to be replaced
        return (grey, grey, grey, 1.0)
    r, g, b = hue(math.atan2(dy, dx) / (2 * math.pi))
    ring = 0.75 + 0.25 * math.cos(math.hypot(dx, dy) * 0.35 * 240.0 / HEIGHT)
    return (r * ring, g * ring, b * ring, 1.0)


def main():
    global WIDTH, HEIGHT
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    if len(sys.argv) > 3:
        WIDTH, HEIGHT = int(sys.argv[2]), int(sys.argv[3])
    os.makedirs(folder, exist_ok=True)
    write_png(os.path.join(folder, "source.png"), WIDTH, HEIGHT, source_pixel)
    write_png(os.path.join(folder, "matte.png"), WIDTH, HEIGHT, lambda x, y: (1.0, 1.0, 1.0, matte_alpha(x, y)))
    print("wrote", os.path.join(folder, "source.png"), "and", os.path.join(folder, "matte.png"))


if __name__ == "__main__":
    main()
