#!/usr/bin/env python3
"""Draws the pictures of the main window and the guided tour (resources/Demo Images/*.png).

They are plain drawings of our own: windows, documents and arrows in flat colours. Run it again after
changing a drawing; the PNG files are kept in the repository.
"""
import os
import struct
import sys
import zlib

BACKGROUND = (244, 246, 250)
FRAME = (70, 84, 110)
TITLE = (88, 120, 190)
PAPER = (255, 255, 255)
INK = (150, 160, 178)
SOURCE = (56, 110, 200)
RESULT = (46, 160, 110)
ARROW = (230, 140, 40)
SHADOW = (210, 214, 224)


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [list(BACKGROUND) * width for _ in range(height)]

    def point(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][3 * x:3 * x + 3] = colour

    def fill(self, left, top, right, bottom, colour):
        for y in range(max(top, 0), min(bottom, self.height)):
            row = self.pixels[y]
            for x in range(max(left, 0), min(right, self.width)):
                row[3 * x:3 * x + 3] = colour

    def frame(self, left, top, right, bottom, colour, thickness=2):
        self.fill(left, top, right, top + thickness, colour)
        self.fill(left, bottom - thickness, right, bottom, colour)
        self.fill(left, top, left + thickness, bottom, colour)
        self.fill(right - thickness, top, right, bottom, colour)

    def line(self, x0, y0, x1, y1, colour, thickness=4):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i // steps
            y = y0 + (y1 - y0) * i // steps
            self.fill(x - thickness // 2, y - thickness // 2, x + thickness - thickness // 2,
                      y + thickness - thickness // 2, colour)

    def triangle(self, a, b, c, colour):
        top = min(a[1], b[1], c[1])
        bottom = max(a[1], b[1], c[1])
        for y in range(top, bottom + 1):
            xs = []
            for (x0, y0), (x1, y1) in ((a, b), (b, c), (c, a)):
                if y0 != y1 and min(y0, y1) <= y <= max(y0, y1):
                    xs.append(x0 + (x1 - x0) * (y - y0) / (y1 - y0))
            if xs:
                self.fill(int(min(xs)), y, int(max(xs)) + 1, y + 1, colour)

    def arrow(self, x0, y, x1, colour):
        """A thick arrow pointing right from x0 to x1 at height y."""
        self.fill(x0, y - 6, x1 - 18, y + 6, colour)
        self.triangle((x1 - 22, y - 18), (x1 - 22, y + 18), (x1, y), colour)

    def document(self, left, top, width, height, band):
        """A page with a folded corner, a coloured band and lines of text."""
        fold = width // 4
        self.fill(left + 5, top + 5, left + width + 5, top + height + 5, SHADOW)
        self.fill(left, top, left + width, top + height, PAPER)
        self.frame(left, top, left + width, top + height, FRAME, 2)
        self.triangle((left + width - fold, top), (left + width, top), (left + width, top + fold), BACKGROUND)
        self.line(left + width - fold, top, left + width, top + fold, FRAME, 2)
        self.fill(left + 8, top + fold + 6, left + width - 8, top + fold + 16, band)
        y = top + fold + 26
        while y < top + height - 10:
            self.fill(left + 8, y, left + width - 8 - (y * 7) % (width // 3), y + 4, INK)
            y += 11

    def window(self, left, top, right, bottom):
        """An application window with a title bar."""
        self.fill(left + 6, top + 6, right + 6, bottom + 6, SHADOW)
        self.fill(left, top, right, bottom, PAPER)
        self.fill(left, top, right, top + 22, TITLE)
        for i in range(3):
            self.fill(right - 20 - 16 * i, top + 7, right - 10 - 16 * i, top + 15, PAPER)
        self.frame(left, top, right, bottom, FRAME, 2)

    def png(self):
        raw = b"".join(b"\x00" + bytes(row) for row in self.pixels)
        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


def main_picture():
    canvas = Canvas(240, 150)
    canvas.document(20, 20, 70, 95, SOURCE)
    canvas.arrow(100, 70, 145, ARROW)
    canvas.document(150, 20, 70, 95, RESULT)
    return canvas


def drag_page():
    canvas = Canvas(550, 345)
    canvas.window(190, 50, 520, 300)
    canvas.fill(240, 110, 470, 250, BACKGROUND)
    canvas.frame(240, 110, 470, 250, INK, 2)
    canvas.document(30, 120, 90, 120, SOURCE)
    canvas.arrow(135, 180, 300, ARROW)
    return canvas


def convert_page():
    canvas = Canvas(550, 345)
    canvas.document(40, 70, 120, 160, SOURCE)
    canvas.arrow(185, 150, 355, ARROW)
    canvas.document(385, 70, 120, 160, RESULT)
    canvas.frame(150, 270, 400, 292, FRAME, 2)
    canvas.fill(154, 274, 330, 288, RESULT)
    return canvas


def open_page():
    canvas = Canvas(550, 345)
    canvas.window(40, 30, 510, 315)
    canvas.fill(42, 52, 508, 72, SHADOW)
    canvas.document(175, 85, 200, 215, RESULT)
    return canvas


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources",
                                                                 "Demo Images")
    for name, draw in (("main.png", main_picture), ("drag.png", drag_page), ("convert.png", convert_page),
                       ("open.png", open_page)):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(draw().png())


if __name__ == "__main__":
    main()
