#!/usr/bin/env python3
"""Draws the program icon (a hex grid with a caret) and writes it as a .ico with 16, 32 and 48 pixel images."""
import struct
import sys


def pixel(x, y, size):
    """Colour (b, g, r, a) of one pixel of the icon at the given size."""
    s = size / 16.0
    border = max(1, int(round(s)))
    if x < border or y < border or x >= size - border or y >= size - border:
        return (0x40, 0x30, 0x20, 0xFF)            # dark frame
    if y < int(4 * s):
        return (0xB0, 0x60, 0x20, 0xFF)            # blue title strip
    cell = int(3 * s)
    cx, cy = (x - border) // cell, (y - int(4 * s)) // cell
    if (cx, cy) == (2, 1):
        return (0x20, 0x20, 0xE0, 0xFF)            # red caret cell
    if (x - border) % cell == 0 or (y - int(4 * s)) % cell == 0:
        return (0xC0, 0xC0, 0xC0, 0xFF)            # grid lines
    return (0xFF, 0xFF, 0xFF, 0xFF)


def image(size):
    rows = []
    for y in reversed(range(size)):                 # bottom-up DIB
        rows.append(b"".join(struct.pack("4B", *pixel(x, y, size)) for x in range(size)))
    mask_stride = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + b"\0" * (mask_stride * size)


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])
