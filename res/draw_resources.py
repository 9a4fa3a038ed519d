#!/usr/bin/env python3
"""Draws the program's icons so they can be changed in code, not in an editor.

Usage: draw_resources.py OUTPUT_FOLDER
Writes app.ico (16, 32 and 48 pixels): a document camera over a sheet of paper.
"""
import struct
import sys
from pathlib import Path

SS = 4  # supersampling per axis, for smooth edges


def blank(size):
    return [[(0, 0, 0, 0)] * size for _ in range(size)]


def shape_camera(u, v):
    """Colour at (u, v) in a 0..1 square, or None: layers from back to front."""
    colour = None
    # The sheet of paper on the base, seen slightly from above.
    if 0.12 <= u <= 0.72 and 0.62 <= v <= 0.92:
        colour = (250, 250, 245, 255)
        if 0.2 <= u <= 0.62 and any(abs(v - y) < 0.018 for y in (0.70, 0.77, 0.84)):
            colour = (120, 140, 170, 255)
    # The base plate edge under the sheet.
    if 0.08 <= u <= 0.92 and 0.90 <= v <= 0.97:
        colour = (60, 70, 85, 255)
    # The arm: a vertical post and a head reaching over the paper.
    if 0.78 <= u <= 0.86 and 0.22 <= v <= 0.92:
        colour = (95, 105, 120, 255)
    if 0.30 <= u <= 0.86 and 0.14 <= v <= 0.30:
        colour = (45, 95, 170, 255)
    # The lens, looking down.
    du, dv = u - 0.44, v - 0.34
    if du * du / 0.012 + dv * dv / 0.004 <= 1.0:
        colour = (20, 25, 35, 255)
        if (du + 0.02) ** 2 / 0.002 + (dv + 0.01) ** 2 / 0.0008 <= 1.0:
            colour = (140, 200, 255, 255)
    return colour


def render(size, shape):
    img = blank(size)
    for y in range(size):
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    c = shape((x + (sx + 0.5) / SS) / size, (y + (sy + 0.5) / SS) / size)
                    if c:
                        a = c[3]
                        acc[0] += c[0] * a
                        acc[1] += c[1] * a
                        acc[2] += c[2] * a
                        acc[3] += a
            n = SS * SS
            a = acc[3] / n
            if a > 0:
                img[y][x] = (round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(a))
    return img


def ico_image(img):
    size = len(img)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(img) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def write_ico(path, images):
    blobs = [ico_image(img) for img in images]
    out = struct.pack('<HHH', 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for img, blob in zip(images, blobs):
        size = len(img)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    path.write_bytes(out + b''.join(blobs))


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    write_ico(out / 'app.ico', [render(s, shape_camera) for s in (16, 32, 48)])


if __name__ == '__main__':
    main()
