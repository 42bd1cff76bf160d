#!/usr/bin/env python3
"""Renders the character picker's glyph bitmap "AnkFonts" from GNU Unifont's hex font: 256 cells of
8 x 16 pixels in 4 rows of 64 (cell of code c at x = (c % 64) * 8, y = (c // 64) * 16), written as a
monochrome BMP of 512 x 64 with black glyph pixels on white.

Sources of the cells:
  0x00-0x1F, 0x7F  the control pictures U+2400-U+241F and U+2421
  0x20-0x7E        JIS X 0201 Roman: ASCII, with the yen sign U+00A5 at 0x5C and the overline
                   U+203E at 0x7E
  0xA0             blank (no character)
  0xA1-0xDF        half-width katakana U+FF61-U+FF9F
  0x80-0x9F, 0xE0-0xFF  the NEC extension, as the table NEC_EXTENSION below maps it to block,
                   box-drawing, geometric, card-suit and 年月日時分秒-style characters
  0xFC             a backslash U+005C, shown for 0x5C in the ASCII set
Where Unifont's glyph is 16 pixels wide (the control pictures and the kanji), each pair of columns
is merged into one, which keeps every stroke at half the width.

The Debian packages unifont (unifont.hex) and psf-unifont carry the font; its licence is in
LICENSES/. The generated bitmap is committed: the build does not need the font.

usage: gen_ank_fonts.py OUT.bmp [/usr/share/unifont/unifont.hex]
"""
import struct
import sys

CELL_W, CELL_H, PER_ROW = 8, 16, 64

NEC_EXTENSION = {
    # lower blocks rising in eighths
    0x80: 0x2581, 0x81: 0x2582, 0x82: 0x2583, 0x83: 0x2584,
    0x84: 0x2585, 0x85: 0x2586, 0x86: 0x2587, 0x87: 0x2588,
    # left blocks shrinking in eighths, then the cross
    0x88: 0x2589, 0x89: 0x258A, 0x8A: 0x258B, 0x8B: 0x258C,
    0x8C: 0x258D, 0x8D: 0x258E, 0x8E: 0x258F, 0x8F: 0x253C,
    # box drawing
    0x90: 0x2534, 0x91: 0x252C, 0x92: 0x2524, 0x93: 0x251C,
    0x94: 0x2594, 0x95: 0x2500, 0x96: 0x2502, 0x97: 0x2595,
    0x98: 0x250C, 0x99: 0x2510, 0x9A: 0x2514, 0x9B: 0x2518,
    0x9C: 0x256D, 0x9D: 0x256E, 0x9E: 0x2570, 0x9F: 0x256F,
    # double lines, triangles, card suits, circles, diagonals
    0xE0: 0x2550, 0xE1: 0x255E, 0xE2: 0x256A, 0xE3: 0x2561,
    0xE4: 0x25E2, 0xE5: 0x25E3, 0xE6: 0x25E5, 0xE7: 0x25E4,
    0xE8: 0x2660, 0xE9: 0x2665, 0xEA: 0x2666, 0xEB: 0x2663,
    0xEC: 0x25CF, 0xED: 0x25CB, 0xEE: 0x2571, 0xEF: 0x2572,
    # 円 and the date and time units
    0xF0: 0x2573, 0xF1: 0x5186, 0xF2: 0x5E74, 0xF3: 0x6708,
    0xF4: 0x65E5, 0xF5: 0x6642, 0xF6: 0x5206, 0xF7: 0x79D2,
    # quadrants and shades
    0xF8: 0x2597, 0xF9: 0x2596, 0xFA: 0x259D, 0xFB: 0x2598,
    0xFC: 0x005C, 0xFD: 0x259A, 0xFE: 0x259E, 0xFF: 0x2592,
}


def code_point(c):
    if c < 0x20:
        return 0x2400 + c
    if c == 0x7F:
        return 0x2421
    if c == 0x5C:
        return 0x00A5
    if c == 0x7E:
        return 0x203E
    if c < 0x7F:
        return c
    if c == 0xA0:
        return None
    if 0xA1 <= c <= 0xDF:
        return 0xFF61 + c - 0xA1
    return NEC_EXTENSION[c]


def load_hex(path):
    glyphs = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            code, _, bits = line.strip().partition(":")
            glyphs[int(code, 16)] = bits
    return glyphs


def rows_of(bits):
    """Sixteen rows of eight pixels (bit 7 leftmost); 16-wide glyphs merge column pairs."""
    if len(bits) == 32:
        return [int(bits[2 * r:2 * r + 2], 16) for r in range(CELL_H)]
    rows = []
    for r in range(CELL_H):
        wide = int(bits[4 * r:4 * r + 4], 16)
        narrow = 0
        for x in range(8):
            if wide & (0xC000 >> (2 * x)):
                narrow |= 0x80 >> x
        rows.append(narrow)
    return rows


def main():
    out = sys.argv[1]
    glyphs = load_hex(sys.argv[2] if len(sys.argv) > 2 else "/usr/share/unifont/unifont.hex")
    width, height = CELL_W * PER_ROW, CELL_H * 256 // PER_ROW
    ink = [[False] * width for _ in range(height)]
    for c in range(256):
        cp = code_point(c)
        if cp is None:
            continue
        left, top = (c % PER_ROW) * CELL_W, (c // PER_ROW) * CELL_H
        for r, row in enumerate(rows_of(glyphs[cp])):
            for x in range(CELL_W):
                ink[top + r][left + x] = bool(row & (0x80 >> x))
    # 1 bit per pixel, palette 0 = black (ink), 1 = white; rows bottom-up, each 64 bytes.
    stride = width // 8
    pixels = bytearray()
    for y in reversed(range(height)):
        for bx in range(stride):
            byte = 0
            for x in range(8):
                if not ink[y][bx * 8 + x]:
                    byte |= 0x80 >> x
            pixels.append(byte)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    with open(out, "wb") as f:
        f.write(header + info + palette + pixels)


if __name__ == "__main__":
    main()
