#!/usr/bin/env python3
"""Draws the program's art: the window and tray icon (one 128 x 128 image,
32 bits per pixel, with its AND mask) and the 100 x 100 PNG logo of the
settings window. The motif is a rounded caption card with two ticker lines
and a scroll arrow. Deterministic: the same files come out every run.

Usage: make_art.py OUTPUT_DIR   (writes tessaly.ico and logo.png)
"""
import struct
import sys
import zlib
from pathlib import Path

PURPLE = (0x40, 0x00, 0x40)
AMBER = (0xFF, 0xB0, 0x20)
WHITE = (0xFF, 0xFF, 0xFF)
TEAL = (0x20, 0xC0, 0xB0)
SAMPLES = 4  # per axis, for smooth edges


def in_round_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def shapes(size):
    """Layers from back to front, in unit coordinates (0..1) scaled to size."""
    s = size
    return [
        (PURPLE, lambda x, y: in_round_rect(x, y, 0.04 * s, 0.14 * s, 0.96 * s, 0.86 * s, 0.14 * s)),
        (WHITE, lambda x, y: in_round_rect(x, y, 0.16 * s, 0.32 * s, 0.70 * s, 0.44 * s, 0.06 * s)),
        (AMBER, lambda x, y: in_round_rect(x, y, 0.16 * s, 0.56 * s, 0.56 * s, 0.68 * s, 0.06 * s)),
        (TEAL, lambda x, y: in_triangle(x, y, (0.66 * s, 0.52 * s), (0.66 * s, 0.72 * s), (0.84 * s, 0.62 * s))),
    ]


def render(size):
    """Rows of (r, g, b, a) pixels, top row first."""
    layers = shapes(size)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = px + (sx + 0.5) / SAMPLES
                    y = py + (sy + 0.5) / SAMPLES
                    for colour, inside in reversed(layers):
                        if inside(x, y):
                            r += colour[0]; g += colour[1]; b += colour[2]; a += 255
                            break
            n = SAMPLES * SAMPLES
            alpha = a / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                # colour averaged over the covered samples only (straight alpha)
                k = 255 / a
                row.append((round(r * k), round(g * k), round(b * k), round(alpha)))
        rows.append(row)
    return rows


def icon_file(rows):
    size = len(rows)
    header = struct.pack('<HHH', 0, 1, 1)
    xor = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    info = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + bytes(mask)
    entry = struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(image), 6 + 16)
    return header + entry + image


def png_file(rows):
    size = len(rows)
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)

    ihdr = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')


def main():
    out = Path(sys.argv[1])
    icon = icon_file(render(128))
    assert len(icon) == 67646, len(icon)
    (out / 'tessaly.ico').write_bytes(icon)
    (out / 'logo.png').write_bytes(png_file(render(100)))


if __name__ == '__main__':
    main()
