#!/usr/bin/env python3
"""Draws bitmap 136: sixteen 16 x 15 colour swatches for the auxiliary line colour list, in
the order of the colour table. White is transparent in the list, so every swatch has a grey
frame and the white one shows as a framed square. Run it again after changing the drawing."""
import sys
from pathlib import Path

from bmp24 import bmp

# COLORREF values 0x00BBGGRR, as the overlays draw them.
COLOURS = [0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
           0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF]
WIDTH, HEIGHT, CELL = 256, 15, 16
WHITE, FRAME = (255, 255, 255), (0x60, 0x60, 0x60)


def pixel(x, y):
    """(r, g, b) of the strip at x, y (top-down)."""
    index, cx = divmod(x, CELL)
    if not (1 <= cx <= 14 and 1 <= y <= 13):
        return WHITE
    if cx in (1, 14) or y in (1, 13):
        return FRAME
    c = COLOURS[index]
    return (c & 255, (c >> 8) & 255, (c >> 16) & 255)


if __name__ == "__main__":
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources")
    (out / "Swatches.bmp").write_bytes(bmp(WIDTH, HEIGHT, pixel))
