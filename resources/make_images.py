#!/usr/bin/env python3
"""Draws the desktop program's icons and bitmaps and writes them as .ico and
.bmp files into the folder given on the command line.

Every picture is our own: simple shapes and a small pixel font, drawn here so
that the resource files never hold art from anywhere else."""

import os
import struct
import sys

# A 5 x 7 pixel font for the few words the pictures spell.
GLYPHS = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    " ": ["00000"] * 7,
}

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
NAVY = (16, 40, 120)
BLUE = (40, 96, 200)
SKY = (170, 200, 240)
RED = (200, 24, 24)
DARK_RED = (120, 0, 0)
YELLOW = (250, 210, 60)
GREY = (128, 128, 128)
LIGHT = (224, 224, 224)


class Canvas:
    """An RGB picture with an opacity per pixel, top row first."""

    def __init__(self, width, height, fill=BLACK, opaque=True):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]
        self.opaque = [[opaque] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour
            self.opaque[y][x] = True

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1):
            self.put(x, y0, colour)
            self.put(x, y1 - 1, colour)
        for y in range(y0, y1):
            self.put(x0, y, colour)
            self.put(x1 - 1, y, colour)

    def text(self, x, y, words, colour, scale=1):
        for letter in words:
            for row, bits in enumerate(GLYPHS[letter]):
                for column, bit in enumerate(bits):
                    if bit == "1":
                        self.rect(x + column * scale, y + row * scale,
                                  x + (column + 1) * scale, y + (row + 1) * scale, colour)
            x += 6 * scale

    def octagon(self, x0, y0, size, colour):
        cut = size * 3 // 10
        for y in range(size):
            inset = max(0, cut - y, y - (size - 1 - cut))
            for x in range(inset, size - inset):
                self.put(x0 + x, y0 + y, colour)


def bmp_bytes(canvas):
    """A 24-bit bottom-up Windows bitmap."""
    stride = (canvas.width * 3 + 3) & ~3
    rows = b""
    for y in reversed(range(canvas.height)):
        row = b"".join(bytes((b, g, r)) for (r, g, b) in canvas.pixels[y])
        rows += row + b"\0" * (stride - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0,
                         len(rows), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(rows), 0, 0,
                              14 + len(header))
    return file_header + header + rows


def mask_bmp_bytes(canvas):
    """A monochrome bitmap: black where the picture is opaque, white elsewhere."""
    stride = ((canvas.width + 31) // 32) * 4
    rows = b""
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            if not canvas.opaque[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        rows += bytes(row)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    header = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 1, 0,
                         len(rows), 2835, 2835, 2, 2)
    offset = 14 + len(header) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return file_header + header + palette + rows


def masked_picture(canvas):
    """The picture half of a masked pair: black where it is transparent."""
    copy = Canvas(canvas.width, canvas.height)
    for y in range(canvas.height):
        for x in range(canvas.width):
            if canvas.opaque[y][x]:
                copy.pixels[y][x] = canvas.pixels[y][x]
    return copy


def ico_bytes(canvas):
    """A one-image icon, 32 bits a pixel with an AND mask."""
    size = canvas.width
    xor = b""
    for y in reversed(range(size)):
        xor += b"".join(bytes((b, g, r, 255 if canvas.opaque[y][x] else 0))
                        for x, (r, g, b) in enumerate(canvas.pixels[y]))
    mask = b""
    for y in reversed(range(size)):
        row = bytearray(4)
        for x in range(size):
            if not canvas.opaque[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(row)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32,
                                                           len(image), 22)
    return directory + image


def quorl_icon():
    icon = Canvas(32, 32, opaque=False)
    icon.rect(2, 2, 30, 30, NAVY)
    icon.rect(4, 4, 28, 8, SKY)
    icon.rect(4, 9, 28, 28, BLUE)
    icon.text(9, 13, "Q", WHITE, scale=2)
    return icon


def busy_icon():
    # An hourglass, 12 by 14, for the top-left corner of the status strip.
    icon = Canvas(32, 32, opaque=False)
    icon.rect(0, 0, 12, 2, NAVY)
    icon.rect(0, 12, 12, 14, NAVY)
    for y in range(2, 12):
        half = abs(7 - y) if y >= 7 else abs(y - 6)
        inset = 5 - min(half, 5)
        icon.rect(inset, y, 12 - inset, y + 1, YELLOW)
        icon.put(inset, y, NAVY)
        icon.put(11 - inset, y, NAVY)
    return icon


def stop_icon():
    # A stop sign, 17 pixels wide, for the top-left corner of the status strip.
    icon = Canvas(32, 32, opaque=False)
    icon.octagon(0, 0, 17, DARK_RED)
    icon.octagon(1, 1, 15, RED)
    icon.rect(4, 7, 13, 10, WHITE)
    return icon


def progress_bitmap():
    # Three rows of 14 pixels: the filled bar, the empty bar, the marker column.
    bar = Canvas(81, 42, fill=LIGHT)
    for x in range(81):
        shade = 90 + x
        bar.rect(x, 1, x + 1, 13, (16, 40, min(shade + 60, 255)))
        bar.put(x, 0, GREY)
        bar.put(x, 13, WHITE)
        bar.put(x, 14, GREY)
        bar.put(x, 27, WHITE)
        bar.rect(x, 15, x + 1, 27, WHITE)
    bar.rect(0, 28, 81, 42, NAVY)
    return bar


def splash_bitmap():
    splash = Canvas(240, 100)
    for y in range(100):
        splash.rect(0, y, 240, y + 1, (16, 40 + y // 2, 120 + y))
    splash.frame(0, 0, 240, 100, SKY)
    splash.text(60, 18, "QUORL", WHITE, scale=4)
    splash.text(20, 78, "LOADING...", SKY, scale=1)
    return splash


def splash_mark_bitmap():
    mark = Canvas(32, 12, fill=NAVY)
    for i in range(4):
        mark.rect(2 + i * 8, 3, 7 + i * 8, 8, YELLOW if i % 2 == 0 else SKY)
    return mark


def about_picture():
    picture = Canvas(48, 48, opaque=False)
    picture.octagon(0, 0, 48, NAVY)
    picture.octagon(3, 3, 42, BLUE)
    picture.text(10, 10, "Q", WHITE, scale=4)
    return picture


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_images.py OUTPUT_FOLDER")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    about = about_picture()
    files = {
        "quorl.ico": ico_bytes(quorl_icon()),
        "busy.ico": ico_bytes(busy_icon()),
        "stop.ico": ico_bytes(stop_icon()),
        "progress.bmp": bmp_bytes(progress_bitmap()),
        "splash.bmp": bmp_bytes(splash_bitmap()),
        "splash_mark.bmp": bmp_bytes(splash_mark_bitmap()),
        "about.bmp": bmp_bytes(masked_picture(about)),
        "about_mask.bmp": mask_bmp_bytes(about),
    }
    for name, content in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(content)


if __name__ == "__main__":
    main()
