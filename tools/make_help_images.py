#!/usr/bin/env python3
"""Makes the manual's pictures (help/img/*.png) from the screenshots of an end-to-end run at 96 DPI.

    python3 tools/make_help_images.py build/results-NAME/screenshots [help/img]

The screenshots are whole screens (<name>.bmp, 24 bits); each picture is cut to one window (the
window whose caption holds a given point, found by its frame) or to everything that is not the
desktop above the taskbar, and written as an 8-bit palette PNG without metadata, so the same
screenshot always gives the same bytes. Needs ImageMagick's convert. The output is committed; run
again after a change of the pictured windows.
"""
import os
import struct
import subprocess
import sys

# picture, screenshot, cut: "screen" (all but the desktop; "screen N": its lowest N rows) or
# "window" (the active window in front).
PICTURES = [
    ("main-window", "editor-window-with-a-file", "screen"),
    ("search-dialog", "search-dialog-string", "window"),
    ("replace-dialog", "replace-dialog-string-and-null", "window"),
    ("all-code-search", "all-code-search", "window"),
    ("information-panel", "status-bar-and-information-panel", "screen 128"),
    ("compare", "compare-with-a-file", "screen"),
    ("filer-tool", "filer-over-a-bitmap", "window"),
    ("options-general", "app-options-1-general", "window"),
    ("options-key", "app-options-6-key", "window"),
    ("address-jump", "jump-address-dialog", "window"),
    ("string-input", "typed-input-string-dialog", "window"),
    ("shortcut-dialog", "app-shortcut-dialog", "window"),
]

DARK_EDGE = (106, 106, 106)
ACTIVE_CAPTION = (50, 150, 250)  # the outer right and bottom edge of a window's frame


class Screen:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        if self.data[:2] != b"BM":
            raise SystemExit(f"{path}: not a bitmap")
        self.offset = struct.unpack_from("<I", self.data, 10)[0]
        self.width, self.height = struct.unpack_from("<ii", self.data, 18)
        self.depth = struct.unpack_from("<H", self.data, 28)[0] // 8
        self.stride = (self.width * self.depth + 3) // 4 * 4

    def pixel(self, x, y):
        o = self.offset + (self.height - 1 - y) * self.stride + x * self.depth
        return self.data[o + 2], self.data[o + 1], self.data[o]


def window_box(screen, x, y):
    """The window whose caption holds (x, y): its caption colour runs to the frame on each side,
    and the frame's dark outer edge runs down its right side to the bottom."""
    caption = screen.pixel(x, y)
    left, right, top = x, x, y
    while left > 0 and screen.pixel(left - 1, y) == caption:
        left -= 1
    while right + 1 < screen.width and screen.pixel(right + 1, y) == caption:
        right += 1
    while top > 0 and screen.pixel(x, top - 1) == caption:
        top -= 1
    edge = right + 1  # the frame is 3 pixels wide round a dialog, 4 round a window one can size
    while edge < min(screen.width - 1, right + 6) and screen.pixel(edge, y) != DARK_EDGE:
        edge += 1
    frame = edge - right
    bottom = y
    while bottom + 1 < screen.height and screen.pixel(edge, bottom + 1) == DARK_EDGE:
        bottom += 1
    if bottom == y or right - left < 80:
        raise SystemExit(f"no window caption at {x},{y}")
    return left - frame, top - frame, edge, bottom


def front_caption(screen):
    """A point of the lowest active caption above the taskbar: the window in front (a dialog, a
    tool window) stands below its editor window's caption."""
    taskbar = taskbar_top(screen)
    caption = ACTIVE_CAPTION
    found, last = None, -10
    for y in range(taskbar):
        run = 0
        for x in range(screen.width):
            run = run + 1 if screen.pixel(x, y) == caption else 0
            if run == 100:
                if y - last > 8:  # rows of the caption's text break the run: a new caption
                    found = (x - 99, y)
                last = y
                break
    if not found:
        raise SystemExit("no active window caption")
    return found[0] + 2, found[1]


def taskbar_top(screen):
    desktop = screen.pixel(0, 0)
    taskbar = screen.height
    while taskbar > 0 and screen.pixel(0, taskbar - 1) != desktop:
        taskbar -= 1
    return taskbar


def screen_box(screen):
    """Everything that is not the desktop, above the taskbar."""
    desktop = screen.pixel(0, 0)
    taskbar = taskbar_top(screen)
    xs, ys = [], []
    for y in range(taskbar):
        row = [x for x in range(screen.width) if screen.pixel(x, y) != desktop]
        if row:
            xs += (row[0], row[-1])
            ys.append(y)
    if not ys:
        raise SystemExit("the screen shows only the desktop")
    return min(xs), ys[0], max(xs), ys[-1]


def main():
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    shots = sys.argv[1]
    out = sys.argv[2] if len(sys.argv) == 3 else os.path.join(os.path.dirname(__file__), "..", "help", "img")
    os.makedirs(out, exist_ok=True)
    for name, shot, cut in PICTURES:
        source = os.path.join(shots, shot + ".bmp")
        screen = Screen(source)
        words = cut.split()
        left, top, right, bottom = window_box(screen, *front_caption(screen)) if cut == "window" else screen_box(screen)
        if words[0] == "screen" and len(words) == 2:
            top = max(top, bottom + 1 - int(words[1]))
        target = os.path.join(out, name + ".png")
        subprocess.run(["convert", source, "-crop", f"{right - left + 1}x{bottom - top + 1}+{left}+{top}", "+repage",
                        "-dither", "None", "-colors", "256", "-strip", "-define", "png:exclude-chunks=date,time",
                        "-define", "png:compression-level=9", "PNG8:" + target], check=True)
        print(f"{target}: {right - left + 1}x{bottom - top + 1} from {shot}, {os.path.getsize(target)} bytes")


if __name__ == "__main__":
    main()
