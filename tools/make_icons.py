#!/usr/bin/env python3
"""Draws the program's icons (a blue tile with a white selection frame and a crop mark)
and writes them as 32-bit .ico files. Run it again after changing the drawing."""
import struct
import sys
from pathlib import Path


def draw(size):
    """Returns rows top to bottom of (b, g, r, a) tuples."""
    s = size / 32.0
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            fx, fy = (x + 0.5) / s, (y + 0.5) / s
            inside_tile = 1.5 <= fx <= 30.5 and 1.5 <= fy <= 30.5
            corner = min(fx - 1.5, 30.5 - fx, fy - 1.5, 30.5 - fy)
            if not inside_tile:
                row.append((0, 0, 0, 0))
                continue
            colour = (0xD7, 0x83, 0x18, 255)  # the toolbar's focus blue
            if corner < 1.0:
                colour = (0x90, 0x50, 0x08, 255)
            on_frame = (7 <= fx <= 25 and 7 <= fy <= 25) and not (9 <= fx <= 23 and 9 <= fy <= 23)
            dashed = int((fx + fy) / 3) % 2 == 0
            if on_frame and dashed:
                colour = (255, 255, 255, 255)
            if 19 <= fx <= 27 and 19 <= fy <= 27 and (fx - 19) + (fy - 19) <= 9:
                colour = (0x30, 0xD0, 0xFF, 255)  # the picked corner
            row.append(colour)
        pixels.append(row)
    return pixels


def ico(size):
    rows = draw(size)
    xor = b"".join(bytes(p) for row in reversed(rows) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources")
    (out / "Glimra.ico").write_bytes(ico(32))
    (out / "GlimraSmall.ico").write_bytes(ico(16))


if __name__ == "__main__":
    main()
