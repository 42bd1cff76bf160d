#!/usr/bin/env python3
"""Draws the 16 x 16 pictures of the editor window's image list ToolBarImages and writes them
side by side as one 24-bit BMP strip. Magenta (255, 0, 255) is the transparent colour.
The indexes match editor/ToolBarImages.h; slots without a picture stay transparent.

usage: gen_toolbar_images.py OUT.bmp
"""
import math
import struct
import sys

SIZE = 16
COUNT = 60
CLEAR = (255, 0, 255)
K = (0, 0, 0)
W = (255, 255, 255)
G = (128, 128, 128)
L = (192, 192, 192)
B = (0, 64, 192)
S = (96, 160, 240)      # light blue
R = (208, 0, 0)
Y = (240, 200, 32)
O = (176, 112, 32)      # brown
N = (0, 144, 0)         # green
P = (128, 0, 160)       # purple

# A 3 x 5 font for the few letters some pictures carry.
FONT = {
    "A": ["010", "101", "111", "101", "101"],
    "B": ["110", "101", "110", "101", "110"],
    "?": ["111", "001", "010", "000", "010"],
    "0": ["111", "101", "101", "101", "111"],
    "x": ["000", "101", "010", "101", "000"],
    ".": ["000", "000", "000", "000", "010"],
}


class Icon:
    def __init__(self):
        self.px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def set(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def box(self, x0, y0, x1, y1, inside, edge=K):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, edge)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def thick(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y1, c)
        self.line(x0 + 1, y0, x1 + 1, y1, c)

    def disc(self, cx, cy, r, c):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, c, width=1.0):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if r - width <= d <= r:
                    self.set(x, y, c)

    def text(self, x, y, s, c):
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.set(x + col, y + row, c)
            x += 4

    def big_text(self, x, y, s, c):
        """The font at twice its size: 6 x 10 per letter."""
        for ch in s:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        self.fill(x + 2 * col, y + 2 * row, x + 2 * col + 1, y + 2 * row + 1, c)
            x += 7

    def up(self, cx, y, c, h=4):
        """A filled triangle pointing up, tip at (cx, y)."""
        for i in range(h):
            self.fill(cx - i, y + i, cx + i, y + i, c)

    def down(self, cx, y, c, h=4):
        for i in range(h):
            self.fill(cx - i, y - i, cx + i, y - i, c)

    def left(self, x, cy, c, h=4):
        for i in range(h):
            self.fill(x + i, cy - i, x + i, cy + i, c)

    def right(self, x, cy, c, h=4):
        for i in range(h):
            self.fill(x - i, cy - i, x - i, cy + i, c)


def page(ic, x0=3, y0=1, x1=12, y1=14, lines=True):
    """A sheet of paper with a folded top-right corner."""
    ic.box(x0, y0, x1, y1, W)
    for i in range(4):
        ic.fill(x1 - 3 + i + 1, y0 + i, x1, y0 + i, CLEAR)
    ic.line(x1 - 3, y0, x1, y0 + 3, K)
    ic.line(x1 - 3, y0, x1 - 3, y0 + 3, K)
    ic.line(x1 - 3, y0 + 3, x1, y0 + 3, K)
    if lines:
        for y in range(y0 + 5, y1 - 1, 2):
            ic.line(x0 + 2, y, x1 - 2, y, L)


def floppy(ic, x0=1, y0=1, x1=14, y1=14, body=B):
    ic.box(x0, y0, x1, y1, body)
    ic.fill(x0 + 3, y0 + 1, x1 - 3, y0 + 5, L)       # shutter
    ic.fill(x1 - 5, y0 + 2, x1 - 4, y0 + 4, B)
    ic.fill(x0 + 2, y1 - 6, x1 - 2, y1 - 1, W)       # label
    ic.line(x0 + 3, y1 - 4, x1 - 3, y1 - 4, L)


def magnifier(ic, cx=6, cy=6, r=4):
    ic.disc(cx, cy, r, S)
    ic.ring(cx, cy, r + 0.5, K, 1.2)
    ic.thick(cx + 3, cy + 3, cx + 7, cy + 7, O)


def window(ic, x0=1, y0=2, x1=14, y1=13, bar=B):
    ic.box(x0, y0, x1, y1, W)
    ic.fill(x0 + 1, y0 + 1, x1 - 1, y0 + 3, bar)


def not_equal(ic, x, y, c=R):
    ic.fill(x, y, x + 7, y + 1, c)
    ic.fill(x, y + 3, x + 7, y + 4, c)
    ic.thick(x + 5, y - 2, x + 1, y + 6, c)


def draw(index):
    ic = Icon()
    if index == 0:    # new file: blank sheet with a spark
        page(ic, 4, 2, 13, 15, lines=False)
        for dx, dy in ((0, -2), (0, 2), (-2, 0), (2, 0), (0, -1), (0, 1), (-1, 0), (1, 0), (0, 0)):
            ic.set(3 + dx, 3 + dy, Y)
        ic.set(3, 3, O)
    elif index == 1:  # open: a folder
        ic.box(1, 4, 14, 13, Y)
        ic.box(1, 2, 6, 4, Y)
        ic.fill(2, 7, 14, 13, (250, 230, 120))
        ic.frame(1, 7, 14, 13, K)
        ic.right(14, 4, N, 3)
        ic.fill(8, 4, 11, 4, N)
    elif index == 2:  # history entry: a sheet with a clock
        page(ic, 1, 1, 10, 14)
        ic.disc(11, 11, 4, W)
        ic.ring(11, 11, 4.5, B, 1.3)
        ic.line(11, 11, 11, 8, K)
        ic.line(11, 11, 13, 11, K)
    elif index == 3:  # save: a floppy disk
        floppy(ic)
    elif index == 4:  # cut: scissors
        ic.ring(4, 11, 3, R, 1.3)
        ic.ring(11, 11, 3, R, 1.3)
        ic.line(5, 9, 11, 1, G)
        ic.line(10, 9, 4, 1, G)
        ic.line(6, 9, 12, 1, K)
        ic.line(9, 9, 3, 1, K)
    elif index == 5:  # copy: two sheets
        page(ic, 1, 1, 9, 11)
        page(ic, 6, 4, 14, 15)
    elif index == 6:  # paste: a clipboard with a sheet
        ic.box(1, 2, 11, 15, O)
        ic.box(4, 1, 8, 3, L)
        page(ic, 6, 6, 14, 15)
    elif index in (7, 8):  # undo / redo: a curved arrow
        ic.ring(8, 10, 5.5, B, 1.8)
        ic.fill(0, 10, 15, 15, CLEAR)
        ic.ring(8, 10, 5.5, CLEAR, 0) if False else None
        if index == 7:
            ic.fill(8, 10, 15, 15, CLEAR)
            ic.down(3, 13, B, 4)
        else:
            ic.fill(0, 10, 8, 15, CLEAR)
            ic.down(13, 13, B, 4)
        if index == 7:
            ic.fill(9, 4, 15, 10, CLEAR)
            ic.ring(8, 10, 5.5, B, 1.8)
            ic.fill(0, 11, 15, 15, CLEAR)
            ic.fill(9, 0, 15, 15, CLEAR)
            ic.thick(9, 5, 13, 5, B)
            ic.down(3, 14, B, 4)
        else:
            ic.ring(8, 10, 5.5, B, 1.8)
            ic.fill(0, 11, 15, 15, CLEAR)
            ic.fill(0, 0, 6, 15, CLEAR)
            ic.thick(2, 5, 6, 5, B)
            ic.down(13, 14, B, 4)
    elif index == 9:  # search: magnifier
        magnifier(ic)
    elif index == 10:  # replace: A to B
        ic.big_text(0, 0, "A", B)
        ic.big_text(9, 6, "B", R)
        ic.line(2, 11, 2, 14, K)
        ic.line(2, 14, 6, 14, K)
        ic.right(8, 14, K, 2)
    elif index in (11, 12):  # search again up / down
        magnifier(ic, 5, 5, 4)
        if index == 11:
            ic.up(12, 1, N, 4)
            ic.fill(11, 5, 13, 8, N)
        else:
            ic.fill(11, 1, 13, 4, N)
            ic.down(12, 8, N, 4)
    elif index == 13:  # compare with a file: two sheets and a not-equal sign
        page(ic, 0, 0, 6, 8, lines=False)
        page(ic, 9, 0, 15, 8, lines=False)
        not_equal(ic, 4, 11)
    elif index == 14:  # compare with another window: two windows
        window(ic, 0, 1, 8, 9)
        window(ic, 7, 6, 15, 14, P)
    elif index == 15:  # compare with the state on disk: sheet and disk
        page(ic, 0, 0, 8, 10, lines=False)
        floppy(ic, 8, 7, 15, 15)
    elif index == 16:  # quit comparing: two sheets struck out
        page(ic, 0, 1, 6, 10, lines=False)
        page(ic, 9, 1, 15, 10, lines=False)
        ic.thick(3, 4, 12, 14, R)
        ic.thick(12, 4, 3, 14, R)
    elif index in (17, 18):  # previous / next difference
        not_equal(ic, 0, 6, R)
        if index == 17:
            ic.up(12, 1, B, 5)
            ic.fill(11, 6, 13, 14, B)
        else:
            ic.fill(11, 1, 13, 9, B)
            ic.down(12, 14, B, 5)
    elif index == 19:  # options: a gear
        for a in range(8):
            t = a * math.pi / 4
            x, y = 7.5 + 6 * math.cos(t), 7.5 + 6 * math.sin(t)
            ic.fill(int(round(x - 1)), int(round(y - 1)), int(round(x)), int(round(y)), G)
        ic.disc(7.5, 7.5, 5, G)
        ic.disc(7.5, 7.5, 2, CLEAR)
        ic.ring(7.5, 7.5, 5.3, K, 0.8)
    elif index == 20:  # help: a question mark in a blue disc
        ic.disc(7.5, 7.5, 7.4, B)
        for row, bits in enumerate(FONT["?"]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    ic.fill(4 + col * 3 - 1, 3 + row * 2, 4 + col * 3 + 1, 3 + row * 2 + 1, W)
    elif index == 21:  # close: a window with a red cross
        window(ic, 0, 1, 15, 14)
        ic.thick(4, 6, 11, 12, R)
        ic.thick(11, 6, 4, 12, R)
    elif index == 22:  # delete: a large red cross
        ic.thick(2, 2, 12, 13, R)
        ic.thick(12, 2, 2, 13, R)
        ic.line(3, 2, 14, 13, R)
        ic.line(13, 2, 3, 13, R)
    elif index == 23:  # select all: a marked area inside a dashed frame
        for x in range(0, 16):
            if x % 3 != 2:
                ic.set(x, 0, K)
                ic.set(x, 15, K)
                ic.set(0, x, K)
                ic.set(15, x, K)
        ic.fill(3, 3, 12, 12, S)
        ic.text(6, 5, "A", W)
    elif index == 24:  # save all: two floppy disks
        floppy(ic, 0, 0, 10, 10, S)
        floppy(ic, 5, 5, 15, 15)
    elif index == 25:  # reload: a sheet with a green circular arrow
        page(ic, 0, 0, 9, 12)
        ic.ring(10, 10, 5.5, N, 2.0)
        ic.fill(11, 4, 15, 9, CLEAR)
        ic.down(14, 10, N, 3)
    elif index == 26:  # address jump: 0x and an arrow
        ic.big_text(0, 0, "0", B)
        ic.big_text(7, 0, "x", B)
        ic.fill(1, 11, 10, 12, N)
        ic.right(14, 11, N, 4)
    elif index == 27:  # search in every code set: magnifier before a stack of coloured code rows
        magnifier(ic, 5, 5, 4)
        for y, c in ((0, R), (3, N), (6, B)):
            ic.fill(11, y, 15, y + 1, c)
    elif index == 46:  # window entry
        window(ic)
        ic.line(3, 8, 12, 8, L)
        ic.line(3, 10, 10, 10, L)
    elif index == 48:  # more windows
        window(ic, 0, 0, 11, 9)
        window(ic, 4, 4, 15, 14)
        for x in (6, 9, 12):
            ic.fill(x, 11, x + 1, 12, K)
    elif index == 59:  # menu panel: lines with a drop-down mark
        for y in (3, 6, 9):
            ic.fill(1, y, 9, y, K)
        ic.down(12, 9, K, 3)
    return ic


def write_bmp(path, icons):
    width, height = SIZE * len(icons), SIZE
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for ic in icons:
            for x in range(SIZE):
                r, g, b = ic.px[y][x]
                row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    write_bmp(sys.argv[1], [draw(i) for i in range(COUNT)])
