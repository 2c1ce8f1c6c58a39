#!/usr/bin/env python3
"""Draws the sample pictures as 24-bit BMP files. Run it from anywhere; it writes beside itself.

Plain Python on purpose: the pictures are committed, and this script only says how they were made.
Everything is drawn pixel by pixel with hard edges, so the files are small and exact.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)  # the transparent colour of the hand and top bitmaps


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def disc(self, cx, cy, radius, colour):
        r2 = radius * radius
        for y in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for x in range(int(cx - radius) - 1, int(cx + radius) + 2):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r2:
                    self.put(x, y, colour)

    def ring(self, cx, cy, inner, outer, colour):
        for y in range(int(cy - outer) - 1, int(cy + outer) + 2):
            for x in range(int(cx - outer) - 1, int(cx + outer) + 2):
                d2 = (x - cx) ** 2 + (y - cy) ** 2
                if inner * inner <= d2 <= outer * outer:
                    self.put(x, y, colour)

    def polygon(self, points, colour):
        """Fills a convex or concave polygon by the even-odd rule at pixel centres."""
        ys = [p[1] for p in points]
        for y in range(int(min(ys)) - 1, int(max(ys)) + 2):
            yc = y + 0.5
            xs = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= yc < y1) or (y1 <= yc < y0):
                    xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(math.ceil(a - 0.5), math.floor(b - 0.5) + 1):
                    self.put(x, y, colour)

    def bar(self, cx, cy, angle_deg, r0, r1, half_width, colour):
        """A radial bar from radius r0 to r1 at an angle measured clockwise from twelve."""
        a = math.radians(angle_deg)
        dx, dy = math.sin(a), -math.cos(a)
        nx, ny = -dy, dx
        pts = [(cx + dx * r0 + nx * half_width, cy + dy * r0 + ny * half_width),
               (cx + dx * r1 + nx * half_width, cy + dy * r1 + ny * half_width),
               (cx + dx * r1 - nx * half_width, cy + dy * r1 - ny * half_width),
               (cx + dx * r0 - nx * half_width, cy + dy * r0 - ny * half_width)]
        self.polygon(pts, colour)

    def save(self, name):
        row = (3 * self.width + 3) // 4 * 4
        size = row * self.height
        header = struct.pack('<2sIHHI', b'BM', 54 + size, 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, size,
                           2835, 2835, 0, 0)
        data = bytearray()
        for y in range(self.height - 1, -1, -1):
            for (r, g, b) in self.pixels[y]:
                data += bytes((b, g, r))
            data += b'\0' * (row - 3 * self.width)
        with open(os.path.join(HERE, name), 'wb') as f:
            f.write(header + info + data)


def face():
    """320 x 240 face: a dark dial of radius 104 about (160, 120) with hour and minute marks."""
    c = Canvas(320, 240, (34, 40, 49))
    c.disc(160, 120, 112, (200, 204, 212))
    c.disc(160, 120, 107, (18, 28, 52))
    for minute in range(60):
        if minute % 5:
            c.bar(160, 120, minute * 6, 96, 103, 0.6, (150, 160, 180))
    for hour in range(12):
        width = 3.2 if hour % 3 == 0 else 2.0
        c.bar(160, 120, hour * 30, 84, 103, width, (236, 238, 242))
    c.save('face.bmp')


def hand(name, length, half_width, tail, colour):
    """A 200 x 200 hand bitmap pointing to twelve from its centre, on the transparent colour."""
    c = Canvas(200, 200, MAGENTA)
    c.polygon([(100 - half_width, 100 + tail), (100 - half_width * 0.6, 100 - length),
               (100, 100 - length - half_width), (100 + half_width * 0.6, 100 - length),
               (100 + half_width, 100 + tail)], colour)
    c.save(name)


def top():
    """The top bitmap: face-sized, transparent but for a cap over the hands' common centre."""
    c = Canvas(320, 240, MAGENTA)
    c.disc(160, 120, 7, (200, 204, 212))
    c.disc(160, 120, 3, (230, 60, 50))
    c.save('top.bmp')


def erase_background():
    """360 x 280 background for the erase-mode sweep: warm bands the sweep uncovers."""
    c = Canvas(360, 280, (0, 0, 0))
    for y in range(280):
        for x in range(360):
            band = ((x + y) // 20) % 2
            c.pixels[y][x] = (250, 190, 60) if band else (240, 120, 40)
    c.save('erase_bg.bmp')


def panel():
    """320 x 100 panel behind the digital read-out."""
    c = Canvas(320, 100, (16, 20, 28))
    for x in range(320):
        c.put(x, 4, (80, 90, 110))
        c.put(x, 95, (80, 90, 110))
    c.save('panel.bmp')


if __name__ == '__main__':
    face()
    hand('hour.bmp', 52, 6, 14, (236, 238, 242))
    hand('minute.bmp', 80, 4, 16, (236, 238, 242))
    hand('second.bmp', 92, 1.5, 22, (230, 60, 50))
    top()
    erase_background()
    panel()
