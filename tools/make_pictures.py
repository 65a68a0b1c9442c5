#!/usr/bin/env python3
"""Draws the toolbar's pictures: bitmap 138 (the arrow of the cursor toggle, 10 x 15, white
transparent), bitmap 144 (the pen of the mark-up toggle, 15 x 15, white transparent), bitmaps 139 to 143 (the command pictures, 36 x 25, black transparent) and
bitmaps 170 to 183 (the mark-up window's tools and pin, 18 x 18, white transparent), each
also at 150 and 200 % (names ending in 150 and 200), drawn from the same shapes at that scale.
Shapes are sampled 4 x 4 times a pixel; a pixel less than half covered stays transparent and a
covered one averages only what covers it, so no edge blends into the transparent colour.
Run it again after changing the drawing."""
import colorsys
import math
import sys
from pathlib import Path

from bmp24 import bmp

W, H = 36, 25
NONE = None


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def frame(x0, y0, x1, y1, t):
    return lambda x, y: rect(x0, y0, x1, y1)(x, y) and not rect(x0 + t, y0 + t, x1 - t, y1 - t)(x, y)


def segment(ax, ay, bx, by, half):
    """A stroke of half-width half from a to b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= half * half
    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def window(x0, y0, x1, y1, edge, band, body, band_height=4):
    """A window: coloured frame, title band with two buttons, body."""
    return [
        (frame(x0, y0, x1, y1, 1.2), edge),
        (rect(x1 - 8, y0 + 1.8, x1 - 6, y0 + band_height - 0.2), (255, 255, 255)),
        (rect(x1 - 5, y0 + 1.8, x1 - 3, y0 + band_height - 0.2), (255, 255, 255)),
        (rect(x0, y0, x1, y0 + band_height + 1), band),
        (rect(x0, y0, x1, y1), body),
    ]


def rectangle_picture():
    """A window with a sword across it."""
    blade = (205, 212, 224)
    return [
        (disc(6.2, 21.0, 1.7), (235, 180, 40)),
        (segment(6.6, 20.6, 10.6, 16.6, 1.2), (130, 78, 36)),
        (segment(8.2, 13.2, 14.0, 19.0, 1.1), (235, 180, 40)),
        (segment(11.2, 16.2, 31.5, 2.6, 0.7), (250, 251, 255)),
        (segment(11.4, 16.0, 31.5, 2.6, 1.3), blade),
        (segment(11.4, 16.0, 31.5, 2.6, 2.1), (70, 76, 92)),
    ] + window(2, 3, 31, 24, (32, 96, 208), (32, 96, 208), (250, 250, 250))


def window_picture():
    """A white window with a blue frame and an orange band."""
    lines = [(rect(6, y, 6 + w, y + 1), (200, 204, 214)) for y, w in ((10, 22), (13, 17), (16, 20), (19, 12))]
    return lines + window(3, 2, 33, 23, (32, 96, 208), (255, 140, 0), (250, 250, 250))


def hidden_window_picture():
    """Two overlapping windows: the one behind, half covered, is the one picked."""
    front = window(14, 9, 34, 24, (120, 126, 140), (160, 166, 180), (222, 224, 230))
    back = window(2, 2, 26, 18, (32, 96, 208), (255, 140, 0), (250, 250, 250))
    return front + back


def desktop_picture():
    """A blue desktop with a task bar."""
    def sky(x, y):
        t = y / H
        return (int(40 + 40 * t), int(110 + 50 * t), int(205 + 35 * t))
    icons = [(rect(4, y, 8, y + 3), (250, 250, 250)) for y in (4, 9, 14)]
    return icons + [
        (rect(2.2, 20.6, 7, 23), (70, 190, 90)),
        (rect(8.4, 21.2, 12, 22.6), (150, 170, 200)),
        (rect(13.2, 21.2, 16.8, 22.6), (150, 170, 200)),
        (rect(28, 21.2, 33.8, 22.6), (120, 140, 170)),
        (rect(1, 20, 35, 24), (44, 56, 80)),
        (frame(0, 0, 36, 25, 1), (24, 44, 96)),
        (rect(0, 0, 36, 25), sky),
    ]


def gear_picture():
    """A many-coloured gear wheel: eight teeth, each part of the rim its own hue."""
    cx, cy = 18.0, 12.5

    def gear(x, y):
        r = math.hypot(x - cx, y - cy)
        a = math.atan2(y - cy, x - cx)
        tooth = math.cos(8 * a) > -0.1
        return 3.4 <= r <= (11.8 if tooth else 9.0)

    def colour(x, y):
        r = math.hypot(x - cx, y - cy)
        hue = (math.atan2(y - cy, x - cx) / (2 * math.pi)) % 1.0
        value = 0.62 if r < 4.6 else 0.96
        return tuple(int(255 * c) for c in colorsys.hsv_to_rgb(hue, 0.78, value))
    return [(gear, colour)]


def render(layers, transparent, scale=1.0):
    def pixel(px, py):
        found = []
        for sy in range(4):
            for sx in range(4):
                x, y = (px + (sx + 0.5) / 4) / scale, (py + (sy + 0.5) / 4) / scale
                for shape, colour in layers:
                    if shape(x, y):
                        found.append(colour(x, y) if callable(colour) else colour)
                        break
        if len(found) < 8:
            return transparent
        c = tuple(round(sum(part) / len(found)) for part in zip(*found))
        # The transparent colour itself must never be drawn.
        return (1, 1, 1) if c == (0, 0, 0) and transparent == (0, 0, 0) else c
    return pixel


ARROW = """\
X.........
XX........
XWX.......
XWWX......
XWWWX.....
XWWWWX....
XWWWWWX...
XWWWWWWX..
XWWWWWWWX.
XWWWWWXXXX
XWWXWWX...
XWX.XWWX..
XX..XWWX..
X....XWWX.
.....XXX..""".splitlines()


ARROW_COLOURS = {"X": (24, 24, 28), "W": (250, 250, 250)}


def arrow(x, y):
    return ARROW_COLOURS.get(ARROW[y][x], (255, 255, 255))


def arrow_layers():
    """The arrow's cells as shapes, for the larger scales."""
    def cell(ch):
        return lambda x, y: 0 <= x < 10 and 0 <= y < 15 and ARROW[int(y)][int(x)] == ch
    return [(cell(ch), colour) for ch, colour in ARROW_COLOURS.items()]


PEN = (15, 15)


def pen_picture():
    """A slanted pen writing at the bottom left: graphite tip, wooden cone, blue body, red cap."""
    return [
        (segment(1.6, 13.4, 3.4, 11.6, 0.9), (40, 40, 48)),
        (segment(2.2, 12.8, 5.0, 10.0, 1.6), (226, 186, 126)),
        (segment(4.6, 10.4, 11.4, 3.6, 2.1), (40, 90, 200)),
        (segment(11.0, 4.0, 13.2, 1.8, 2.1), (200, 50, 50)),
    ]


TOOL = (18, 18)
INK = (36, 36, 40)
RED = (214, 40, 40)


def polygon(points):
    """Inside a polygon, by the crossings of a ray to the right."""
    def inside(x, y):
        crossings = 0
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                crossings += 1
        return crossings % 2 == 1
    return inside


def ring(cx, cy, r, t):
    return lambda x, y: disc(cx, cy, r)(x, y) and not disc(cx, cy, r - t)(x, y)


def moved(layers, dx, dy):
    return [((lambda shape: lambda x, y: shape(x - dx, y - dy))(shape), colour) for shape, colour in layers]


def tool_pictures():
    """The mark-up window's tools and its pin, 18 x 18 on white, which is transparent."""
    grey = [(rect(3 + 4 * (i % 3), 3 + 4 * (i // 3), 7 + 4 * (i % 3), 7 + 4 * (i // 3)),
             (60 + 70 * ((i + i // 3) % 3),) * 3) for i in range(9)]
    return {
        "ToolSelect": moved(arrow_layers(), 4, 1.5),
        "ToolPen": moved(pen_picture(), 1.5, 1.5),
        "ToolLine": [(segment(3, 15, 15, 3, 1.1), INK)],
        "ToolArrow": [(polygon([(15.5, 2.5), (14.5, 9.5), (8.5, 3.5)]), INK), (segment(3, 15, 12, 6, 1.1), INK)],
        "ToolRectangle": [(frame(2.5, 4, 15.5, 14, 1.6), INK)],
        "ToolEllipse": [(lambda x, y: ((x - 9) / 7) ** 2 + ((y - 9) / 5.5) ** 2 <= 1
                         and ((x - 9) / 5.4) ** 2 + ((y - 9) / 3.9) ** 2 > 1, INK)],
        "ToolHighlighter": [(rect(3, 8, 15, 10), INK), (segment(2.5, 9, 15.5, 9, 3.2), (255, 224, 40))],
        "ToolText": [(rect(3, 3, 15, 5.5), INK), (rect(7.75, 3, 10.25, 15.5), INK)],
        "ToolStep": [(rect(8.3, 4.5, 10.3, 13.5), (250, 250, 250)), (rect(6.8, 4.5, 9, 6.5), (250, 250, 250)),
                     (disc(9, 9, 7.2), RED)],
        "ToolPixelate": grey,
        "ToolBlur": [(disc(9, 9, 2.6), (40, 70, 150)), (disc(9, 9, 4.8), (110, 140, 210)),
                     (disc(9, 9, 7.0), (185, 205, 240))],
        "ToolSpotlight": [(disc(9, 9, 4.3), (255, 236, 150)), (rect(2, 2, 16, 16), (70, 70, 76))],
        "ToolCrop": [(rect(5, 2, 7, 13), INK), (rect(5, 11, 16, 13), INK), (rect(2, 5, 13, 7), INK),
                     (rect(11, 5, 13, 16), INK)],
        "ToolPin": [(disc(11.5, 6.5, 4.2), RED), (segment(9.5, 8.5, 2.5, 15.5, 0.8), (110, 110, 118))],
    }


def scaled(length, scale):
    """As the program scales a length: rounded half up."""
    return int(length * scale + 0.5)


PICTURES = {
    "Window": (W, H, window_picture),
    "HiddenWindow": (W, H, hidden_window_picture),
    "Desktop": (W, H, desktop_picture),
    "Settings": (W, H, gear_picture),
    "Rectangle": (W, H, rectangle_picture),
}

if __name__ == "__main__":
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources")
    (out / "Cursor.bmp").write_bytes(bmp(10, 15, arrow))
    for percent in (150, 200):
        scale = percent / 100
        pixel = render(arrow_layers(), (255, 255, 255), scale)
        (out / f"Cursor{percent}.bmp").write_bytes(bmp(scaled(10, scale), scaled(15, scale), pixel))
    for percent in (100, 150, 200):
        scale = percent / 100
        suffix = "" if percent == 100 else str(percent)
        pixel = render(pen_picture(), (255, 255, 255), scale)
        (out / f"Pen{suffix}.bmp").write_bytes(bmp(scaled(PEN[0], scale), scaled(PEN[1], scale), pixel))
    for name, layers in tool_pictures().items():
        for percent in (100, 150, 200):
            scale = percent / 100
            suffix = "" if percent == 100 else str(percent)
            pixel = render(layers, (255, 255, 255), scale)
            (out / f"{name}{suffix}.bmp").write_bytes(bmp(scaled(TOOL[0], scale), scaled(TOOL[1], scale), pixel))
    for name, (width, height, layers) in PICTURES.items():
        for percent in (100, 150, 200):
            scale = percent / 100
            suffix = "" if percent == 100 else str(percent)
            pixel = render(layers(), (0, 0, 0), scale)
            (out / f"{name}{suffix}.bmp").write_bytes(bmp(scaled(width, scale), scaled(height, scale), pixel))
