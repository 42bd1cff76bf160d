#!/usr/bin/env python3
"""Makes the sample files the shipped filer templates are tested over, into the folder given.

Each is a real file of its format: made by ImageMagick, by Python's wave and zipfile, by the
MinGW compilers, or a copy of this interpreter; the awkward ones are written with struct or
patched from such a copy where no tool makes them (a top-down bitmap, a PE header further on,
a big-endian ELF header).
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import wave
import zipfile


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)


def patch(source, out, at, fmt, *values):
    data = bytearray(open(source, 'rb').read())
    struct.pack_into(fmt, data, at, *values)
    open(out, 'wb').write(data)


# Bitmaps, PNG and GIF: ImageMagick.
def images(out):
    run('convert', '-size', '7x5', 'xc:red', 'BMP3:' + out('bmp-rgb24'))
    run('convert', '-size', '7x5', 'xc:red', 'BMP:' + out('bmp-v5'))
    run('convert', '-size', '7x5', 'xc:red', '-type', 'Palette', '-compress', 'RLE', 'BMP3:' + out('bmp-rle8'))
    patch(out('bmp-rgb24'), out('bmp-top-down'), 22, '<i', -5)  # rows from the top
    run('convert', '-size', '7x5', 'xc:red', '-depth', '8', 'PNG24:' + out('png-rgb'))
    run('convert', '-size', '7x5', 'xc:red', 'PNG8:' + out('png-palette'))
    run('convert', '-size', '7x5', 'gradient:', '-colorspace', 'Gray', '-depth', '16', 'PNG:' + out('png-grey16'))
    run('convert', '-size', '7x5', 'xc:rgba(255,0,0,0.5)', '-interlace', 'PNG', 'PNG32:' + out('png-rgba-interlaced'))
    run('convert', '-size', '7x5', 'xc:red', 'GIF:' + out('gif-89a'))
    run('convert', '-size', '7x5', 'xc:red', 'GIF87:' + out('gif-87a'))
    run('convert', '-size', '1x256', 'gradient:', 'GIF:' + out('gif-256'))  # a colour table of 256


def riff(path, fmt, *chunks):
    body = b'WAVE' + struct.pack('<4sI', b'fmt ', len(fmt)) + fmt
    for name, data in chunks:
        body += struct.pack('<4sI', name, len(data)) + data
    open(path, 'wb').write(b'RIFF' + struct.pack('<I', len(body)) + body)


def waves(out):
    for name, channels, width, rate in (('wav-pcm16', 2, 2, 22050), ('wav-pcm8', 1, 1, 8000)):
        w = wave.open(out(name), 'wb')
        w.setnchannels(channels)
        w.setsampwidth(width)
        w.setframerate(rate)
        w.writeframes(bytes(40))
        w.close()
    # IEEE float: an 18-byte format with cbSize 0, and a fact chunk before the data.
    riff(out('wav-float'), struct.pack('<HHIIHHH', 3, 1, 44100, 176400, 4, 32, 0),
         (b'fact', struct.pack('<I', 10)), (b'data', struct.pack('<10f', *range(10))))
    # WAVE_FORMAT_EXTENSIBLE: cbSize 22, 20 valid bits in 24, front left and right, PCM.
    guid = struct.pack('<IHH8s', 1, 0, 0x10, bytes.fromhex('800000aa00389b71'))
    riff(out('wav-extensible'), struct.pack('<HHIIHHHHI', 0xFFFE, 2, 48000, 288000, 6, 24, 22, 20, 3) + guid,
         (b'data', bytes(60)))
    # IMA ADPCM: cbSize 2 and the samples in a block of 256 bytes.
    riff(out('wav-ima-adpcm'), struct.pack('<HHIIHHHH', 0x11, 1, 8000, 4055, 256, 4, 2, 505),
         (b'fact', struct.pack('<I', 505)), (b'data', bytes(256)))


class Unseekable:
    """A stream zipfile cannot seek back in, so it writes data descriptors."""

    def __init__(self, f):
        self.f = f

    def write(self, data):
        return self.f.write(data)

    def flush(self):
        self.f.flush()


def zips(out):
    with zipfile.ZipFile(out('zip-deflate'), 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('hello.txt', 'hello ' * 20)
    with zipfile.ZipFile(out('zip-extra-short-name'), 'w', zipfile.ZIP_STORED) as z:
        info = zipfile.ZipInfo('a', (2024, 5, 6, 7, 8, 10))
        info.extra = struct.pack('<HHBI', 0x5455, 5, 1, 1715000000)  # extended timestamp
        z.writestr(info, 'short')
    with zipfile.ZipFile(out('zip-utf8-name'), 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('データ.txt', 'x' * 50)
    with zipfile.ZipFile(out('zip-lzma'), 'w', zipfile.ZIP_LZMA) as z:
        z.writestr('packed.bin', bytes(300))
    with open(out('zip-descriptor'), 'wb') as f, zipfile.ZipFile(Unseekable(f), 'w', zipfile.ZIP_DEFLATED) as z:
        z.writestr('streamed.txt', 'streamed ' * 10)


def elf_big_endian(path, machine, entry, flags):
    ident = b'\x7fELF' + bytes([2, 2, 1, 0]) + bytes(8)
    header = ident + struct.pack('>HHIQQQIHHHHHH', 2, machine, 1, entry, 64, 0, flags, 64, 56, 1, 64, 0, 0)
    load = struct.pack('>IIQQQQQQ', 1, 5, 0, entry & ~0xFFF, entry & ~0xFFF, 120, 120, 0x10000)
    open(path, 'wb').write(header + load)


def elves(out):
    shutil.copyfile('/proc/self/exe', out('elf-x86-64'))
    patch(out('elf-x86-64'), out('elf-ppc64le'), 18, '<H', 21)
    patch(out('elf-x86-64'), out('elf-loongarch'), 18, '<H', 258)
    elf_big_endian(out('elf-s390x'), 22, 0x1000400, 0)
    elf_big_endian(out('elf-ppc64'), 21, 0x100000a00, 1)


def move_pe_header(source, path, at):
    """The same image with its PE header moved from 0x80 to at, into the zeros before the
    first section's data."""
    data = open(source, 'rb').read()
    old = struct.unpack_from('<I', data, 0x3C)[0]
    sections, optional = struct.unpack_from('<H12xH', data, old + 6)
    end = old + 24 + optional + 40 * sections
    gap = at - old
    assert data[end:end + gap] == bytes(gap), 'no room to move the PE header'
    moved = bytearray(data[:old] + bytes(gap) + data[old:end] + data[end + gap:])
    struct.pack_into('<I', moved, 0x3C, at)
    open(path, 'wb').write(moved)


def portables(out):
    with tempfile.TemporaryDirectory() as folder:
        program = os.path.join(folder, 'p.c')
        open(program, 'w').write('int main(void) { return 0; }\n')
        for compiler, name in (('x86_64-w64-mingw32-gcc', 'pe64'), ('i686-w64-mingw32-gcc', 'pe32')):
            run(compiler, '-s', '-o', os.path.join(folder, name + '.exe'), program)
            shutil.copyfile(os.path.join(folder, name + '.exe'), out(name))
    for at in (0xE8, 0xF0, 0xF8, 0x100):
        move_pe_header(out('pe64'), out('pe64-at-%X' % at), at)
    patch(out('pe32'), out('pe-armnt'), 0x84, '<H', 0x1C4)


if __name__ == '__main__':
    folder = sys.argv[1]
    def out(name):
        return os.path.join(folder, name)
    for make in (images, waves, zips, elves, portables):
        make(out)
