#!/usr/bin/env python3
"""Writes the golden files of the string conversion test: a mixed Shift-JIS text
and its EUC-JP, ISO-2022-JP and UTF-16LE forms as Python's own codecs produce
them, adjusted for the deliberate differences of our conversions:

- single bytes are JIS X 0201 Roman in UTF-16: 0x5C is U+00A5, 0x7E is U+203E;
- JIS 0x2140 (Shift-JIS 0x815F) is U+005C, where Python gives U+FF3C;
- ISO-2022-JP returns to JIS X 0201 Roman (ESC ( J), not to ASCII (ESC ( B);
- half-width katakana become full-width in ISO-2022-JP, a following voiced or
  semi-voiced mark combining where JIS X 0208 has the combined form.

  tools/gen_charset_golden.py   (writes tests/unit/charset/golden/)
"""
import random
import re
import unicodedata
from pathlib import Path

OUT = Path(__file__).resolve().parent.parent / "tests" / "unit" / "charset" / "golden"


def jis_chars():
    chars = []
    for row in range(94):
        for cell in range(94):
            try:
                chars.append(bytes([0xA1 + row, 0xA1 + cell]).decode("euc_jp"))
            except UnicodeDecodeError:
                pass
    return chars


def mixed_text(rng, tokens):
    kanji = jis_chars()
    ascii_bytes = [bytes([b]) for b in range(0x20, 0x7F)] + [b"\t", b"\r\n"]
    kana = [bytes([b]) for b in range(0xA1, 0xE0)]
    marks = [b"\xDE", b"\xDF"]
    out = []
    for _ in range(tokens):
        kind = rng.randrange(3)
        run = rng.randint(1, 6)
        for _ in range(run):
            if kind == 0:
                out.append(rng.choice(ascii_bytes))
            elif kind == 1:
                out.append(kanji[rng.randrange(len(kanji))].encode("shift_jis"))
            else:
                out.append(rng.choice(kana))
                if rng.random() < 0.4:
                    out.append(rng.choice(marks))
    out.append("＼".encode("shift_jis"))  # the one cell that differs from Python's table
    out.append(b"\\~")
    return b"".join(out)


def to_full_width_kana(text):
    def widen(run):
        full = unicodedata.normalize("NFKC", run.group(0))
        # Combined forms JIS X 0208 lacks (ヷ, ヺ ...) stay base + mark.
        parts = []
        for ch in full:
            try:
                ch.encode("iso2022_jp")
                parts.append(ch)
            except UnicodeEncodeError:
                parts.append(unicodedata.normalize("NFD", ch))
        return "".join(parts).replace("\u3099", "\u309B").replace("\u309A", "\u309C")
    return re.sub("[\uFF61-\uFF9F]+", widen, text)


def main():
    rng = random.Random(20261209)
    sjis = mixed_text(rng, 400)
    text = sjis.decode("shift_jis")
    assert text.encode("shift_jis") == sjis
    euc = text.encode("euc_jp")
    jis = to_full_width_kana(text).encode("iso2022_jp").replace(b"\x1b(B", b"\x1b(J")
    roman = text.replace("\\", "\u00A5").replace("~", "\u203E").replace("\uFF3C", "\\")
    utf16 = roman.encode("utf-16-le")
    OUT.mkdir(parents=True, exist_ok=True)
    for name, data in (("mixed.sjis", sjis), ("mixed.euc", euc), ("mixed.jis", jis), ("mixed.utf16le", utf16)):
        (OUT / name).write_bytes(data)
        print(f"{OUT / name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
