#!/usr/bin/env python3
"""Draws the program icon (a flatbed scanner with a download arrow) and writes it as a
Windows .ico with 16, 32 and 48 pixel images (32-bit colour with alpha, plus the AND mask).

Usage: make-icon.py OUTPUT.ico
"""
import struct
import sys

# Shapes on a 48 x 48 grid, painted in order. Edges lie on multiples of 3 so that the
# 16-pixel image stays sharp.
ARROW = (0x2E, 0x9E, 0x4F)
LID = (0x7F, 0x9B, 0xB8)
BODY = (0x2C, 0x3E, 0x58)
LIGHT = (0x5C, 0xE1, 0xE6)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        d1, d2, d3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (d1 >= 0 and d2 >= 0 and d3 >= 0) or (d1 <= 0 and d2 <= 0 and d3 <= 0)
    return inside


SHAPES = [
    (BODY, rounded_rect(3, 21, 45, 42, 3)),
    (LID, rounded_rect(3, 18, 45, 24, 2)),
    (LIGHT, rounded_rect(9, 30, 39, 33, 1)),
    (ARROW, rounded_rect(21, 0, 27, 10, 0)),
    (ARROW, triangle((12, 9), (36, 9), (24, 18))),
]


def render(size, samples=8):
    """Returns size*size RGBA pixels, top row first."""
    scale = 48.0 / size
    pixels = []
    for py in range(size):
        for px in range(size):
            r = g = b = a = 0.0
            for colour, inside in SHAPES:
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        x = (px + (sx + 0.5) / samples) * scale
                        y = (py + (sy + 0.5) / samples) * scale
                        hits += inside(x, y)
                cover = hits / (samples * samples)
                if cover:
                    # Source-over with premultiplied sums.
                    r = colour[0] * cover + r * (1 - cover)
                    g = colour[1] * cover + g * (1 - cover)
                    b = colour[2] * cover + b * (1 - cover)
                    a = cover + a * (1 - cover)
            if a:
                pixels.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
            else:
                pixels.append((0, 0, 0, 0))
    return pixels


def icon_image(size):
    """One .ico image: BITMAPINFOHEADER, bottom-up BGRA rows, then the 1-bit AND mask."""
    pixels = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(range(size)):
        bits = bytearray(mask_stride)
        for col in range(size):
            r, g, b, a = pixels[row * size + col]
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def main():
    sizes = (16, 32, 48)
    images = [icon_image(s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
