#!/usr/bin/env python3
"""Regenerates the setup program's icons and bitmaps in this folder.

Usage:  python3 draw.py          redraw every image, then check the files
        python3 draw.py --check  only check the files already here

Needs Python 3 (standard library only) and, for the lettering, ImageMagick's
`convert` (Debian packages imagemagick and fonts-liberation).
Shapes are placed pixel by pixel here rather than drawn by ImageMagick, so the
files keep exactly the palette, depth and header layout that Windows 95 loads,
and the pictures stay crisp at their real size.
"""

import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 colours a VGA-mode Windows desktop always has, in the order of the
# system palette, so a 4-bit picture maps onto it without dithering.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)

# Bitmaps sit on dialogs painted in the button-face colour.
FACE = SILVER


class Canvas:
    """Rows of palette indices; None marks a transparent icon pixel."""

    def __init__(self, width, height, fill=None):
        self.width, self.height = width, height
        self.px = [[fill] * width for _ in range(height)]

    def put(self, x, y, c):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        """Fills the inclusive rectangle x0..x1, y0..y1."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def stamp(self, mask, x0, y0, c):
        for y, row in enumerate(mask):
            for x, on in enumerate(row):
                if on:
                    self.put(x0 + x, y0 + y, c)

    def art(self, rows, colours, x0=0, y0=0):
        """Lays ASCII pixel art; characters missing from colours are left alone."""
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch in colours:
                    self.put(x0 + x, y0 + y, colours[ch])


# ---------------------------------------------------------------- lettering

def text_mask(text, font, points):
    """Renders text without smoothing and returns its tight bounding box as rows of booleans."""
    pbm = subprocess.run(
        ["convert", "-background", "white", "-fill", "black", "+antialias",
         "-font", font, "-pointsize", str(points), "label:" + text,
         "-trim", "+repage", "pbm:-"],
        check=True, stdout=subprocess.PIPE).stdout
    fields, at = [], 0
    while len(fields) < 3:  # magic, width, height; comments may sit between them
        while pbm[at:at + 1].isspace():
            at += 1
        if pbm[at:at + 1] == b"#":
            at = pbm.index(b"\n", at)
            continue
        end = at
        while not pbm[end:end + 1].isspace():
            end += 1
        fields.append(pbm[at:end])
        at = end
    if fields[0] != b"P4":
        raise SystemExit("convert did not return a binary PBM")
    width, height = int(fields[1]), int(fields[2])
    at += 1
    stride = (width + 7) // 8
    rows = []
    for y in range(height):
        line = pbm[at + y * stride: at + (y + 1) * stride]
        rows.append([bool(line[x >> 3] & (0x80 >> (x & 7))) for x in range(width)])
    return rows


def shifted(mask, dx, dy):
    """The mask moved right by dx and down by dy, grown to keep every pixel."""
    w, h = len(mask[0]), len(mask)
    out = [[False] * (w + dx) for _ in range(h + dy)]
    for y in range(h):
        for x in range(w):
            out[y + dy][x + dx] = mask[y][x]
    return out


def centred(canvas, mask):
    w, h = len(mask[0]), len(mask)
    if w > canvas.width or h > canvas.height:
        raise SystemExit("lettering %dx%d does not fit %dx%d" % (w, h, canvas.width, canvas.height))
    return (canvas.width - w) // 2, (canvas.height - h) // 2


# ---------------------------------------------------------------- pictures

def target():
    """Blue disc with a white cross; the cross arms are rows/columns 15 and 16, so
    the crossing point is the exact middle of the 32x32 bitmap."""
    c = Canvas(32, 32, FACE)
    r2 = 15 * 15

    def inside(x, y):
        dx, dy = x + 0.5 - 16, y + 0.5 - 16
        return dx * dx + dy * dy <= r2

    for y in range(32):
        for x in range(32):
            if not inside(x, y):
                continue
            edge = not all(inside(x + a, y + b) for a, b in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                c.put(x, y, NAVY)
            elif x in (15, 16) or y in (15, 16):
                c.put(x, y, WHITE)
            else:
                c.put(x, y, BLUE)
    return c


def welcome():
    c = Canvas(153, 41, FACE)
    mask = text_mask("Welcome", "Liberation-Serif-Bold-Italic", 38)
    x, y = centred(c, shifted(mask, 1, 1))
    c.stamp(mask, x + 1, y + 1, MAROON)  # a one-pixel shadow lifts the letters off the grey
    c.stamp(mask, x, y, RED)
    return c


def wordmark():
    c = Canvas(187, 48, FACE)
    mask = text_mask("Velmora", "Liberation-Sans-Bold-Italic", 44)
    w, h = len(mask[0]), len(mask)
    bar = 3          # height of the red rule under the name
    gap = 3
    shadow = 2
    total_h = h + shadow + gap + bar
    x = (c.width - (w + shadow)) // 2
    y = (c.height - total_h) // 2
    c.stamp(mask, x + shadow, y + shadow, GREY)
    c.stamp(mask, x, y, NAVY)
    # The rule leans with the italic letters: each row starts one pixel further left.
    top = y + h + shadow + gap
    for i in range(bar):
        c.rect(x + 2 - i + 4, top + i, x + w - 1 - i, top + i, RED)
    return c


def title():
    c = Canvas(154, 20, FACE)
    mask = text_mask("Screen Alignment", "Liberation-Serif-Bold", 19)
    x, y = centred(c, mask)
    c.stamp(mask, x, y, BLACK)
    return c


# Extra colours for the 256-colour diskette, after the 16 VGA ones.
DISK_COLOURS = {
    "k": (0, 16, 72),       # outline
    "b": (24, 72, 200),     # body
    "l": (96, 144, 240),    # lit edge
    "d": (12, 40, 136),     # shaded edge
    "m": (196, 200, 212),   # shutter metal
    "M": (244, 246, 252),   # shutter highlight
    "g": (120, 124, 140),   # shutter shade
    "s": (36, 40, 56),      # shutter window
    "r": (216, 24, 24),     # label stripe
    "R": (152, 8, 8),       # label stripe shade
    "w": (255, 255, 255),   # label
    "e": (180, 184, 200),   # label rules
    "h": (4, 12, 48),       # corner holes
}

DISK = [
    "................................",
    ".kkkkkkkkkkkkkkkkkkkkkkkkkk.....",
    ".klllllkgmmmmmmmmmmmmmmgkllk....",
    ".klbbbbkgMMMMMMMMMMMMMmgkbbbk...",
    ".klbbbbkgMmmmmmmmssssmmgkbbbbk..",
    ".klbbbbkgMmmmmmmmssssmmgkbbbbdk.",
    ".klbbbbkgMmmmmmmmssssmmgkbbbbdk.",
    ".klbbbbkgMmmmmmmmssssmmgkbbbbdk.",
    ".klbbbbkgMmmmmmmmssssmmgkbbbbdk.",
    ".klbbbbkgMmmmmmmmssssmmgkbbbbdk.",
    ".klbbbbkgMmmmmmmmmmmmmmgkbbbbdk.",
    ".klbbbbkggggggggggggggggkbbbbdk.",
    ".klbbbbkkkkkkkkkkkkkkkkkkbbbbdk.",
    ".klbbbbbbbbbbbbbbbbbbbbbbbbbbdk.",
    ".klbbbbbbbbbbbbbbbbbbbbbbbbbbdk.",
    ".klbbkkkkkkkkkkkkkkkkkkkkkbbbdk.",
    ".klbbkrrrrrrrrrrrrrrrrrrrkbbbdk.",
    ".klbbkrrrrrrrrrrrrrrrrrrrkbbbdk.",
    ".klbbkRRRRRRRRRRRRRRRRRRRkbbbdk.",
    ".klbbkwwwwwwwwwwwwwwwwwwwkbbbdk.",
    ".klbbkwwwwwwwwwwwwwwwwwwwkbbbdk.",
    ".klbbkwweeeeeeeeeeeeeeewwkbbbdk.",
    ".klbbkwwwwwwwwwwwwwwwwwwwkbbbdk.",
    ".klbbkwwwwwwwwwwwwwwwwwwwkbbbdk.",
    ".klbbkwweeeeeeeeeeeeeeewwkbbbdk.",
    ".klbbkwwwwwwwwwwwwwwwwwwwkbbbdk.",
    ".klbbkwwwwwwwwwwwwwwwwwwwkbbbdk.",
    ".klhhkwweeeeeeeeeeeeeeewwkbhhdk.",
    ".klhhkwwwwwwwwwwwwwwwwwwwkbhhdk.",
    ".kldddwwwwwwwwwwwwwwwwwwwdddddk.",
    ".kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.",
    "................................",
]


def setup_icon():
    """The diskette, in a 16-colour palette of its own so its blues and metal greys can be
    shaded: black for the transparent pixels, then its 13 colours."""
    palette = [(0, 0, 0)]
    index = {}
    for ch, rgb in DISK_COLOURS.items():
        index[ch] = len(palette)
        palette.append(rgb)
    palette += [(0, 0, 0)] * (16 - len(palette))
    c = Canvas(32, 32)
    c.art(DISK, index)
    return c, palette


TOUCH_COLOURS = {
    "K": BLACK, "W": WHITE, "S": SILVER, "G": GREY,
    "B": BLUE, "N": NAVY, "C": AQUA, "Y": YELLOW, "T": TEAL,
}

MONITOR = [
    "..........................",
    ".KKKKKKKKKKKKKKKKKKKKKKKKK",
    ".KWWWWWWWWWWWWWWWWWWWWWWSK",
    ".KWSSSSSSSSSSSSSSSSSSSSSGK",
    ".KWSGGGGGGGGGGGGGGGGGGWSGK",
    ".KWSGNNNNNNNNNNNNNNNNNWSGK",
    ".KWSGNBCCBBBBBBBBBBBBBWSGK",
    ".KWSGNBCBBBBBBBBBBBBBBWSGK",
    ".KWSGNBBBBBBBBBBBBBBBBWSGK",
    ".KWSGNBBBBBBBBBBBBBBBBWSGK",
    ".KWSGNBBBBBBBBBBBBBBBBWSGK",
    ".KWSGNBBBBBBBBBBBBBBBBWSGK",
    ".KWSGNBBBBBBBBBBBBBBBBWSGK",
    ".KWSGNBBBBBBBBBBBBBBBBWSGK",
    ".KWSGNBBBBBBBBBBBBBBBBWSGK",
    ".KWSGNBBBBBBBBBBBBBBBBWSGK",
    ".KWSGWWWWWWWWWWWWWWWWWWSGK",
    ".KWSSSSSSSSSSSSSSSSSSSSSGK",
    ".KWSSSSSSSSSSSSSSSSSSGSSGK",
    ".KSGGGGGGGGGGGGGGGGGGGGGGK",
    ".KKKKKKKKKKKKKKKKKKKKKKKKK",
    ".........KWSSSSGK.........",
    ".........KWSSSSGK.........",
    ".....KKKKKKKKKKKKKKKKK....",
    ".....KWWWWWWWWWWWWWWSK....",
    ".....KSGGGGGGGGGGGGGGK....",
    ".....KKKKKKKKKKKKKKKKK....",
]

# A pointing hand, index finger up; S shades the side away from the light.
HAND = [
    "....KK.........",
    "...KWWK........",
    "...KWSK........",
    "...KWSK........",
    "...KWSK........",
    "...KWSKKK......",
    "...KWSKWSKKK...",
    "...KWSKWSKWSKK.",
    ".KKKWSKWSKWSKSK",
    "KWSKWWWWWWWWKSK",
    "KWSSKWWWWWWWWWK",
    "KWWSKWWWWWWWWSK",
    ".KWWSWWWWWWWWSK",
    ".KWWWWWWWWWWWSK",
    "..KWWWWWWWWWWSK",
    "..KWWWWWWWWWSK.",
    "...KWWWWWWWWSK.",
    "...KWWWWWWWSK..",
    "....KKKKKKKKK..",
    "....KBBBBBBBK..",
    "....KNNNNNNNK..",
]

# Short yellow strokes around the fingertip show the screen being touched.
SPARK = [
    "Y...YY...Y",
    ".Y......Y.",
    "..........",
    "..........",
    "YY......YY",
]


def touch_icon():
    c = Canvas(32, 32)
    c.art(MONITOR, TOUCH_COLOURS, 0, 0)
    c.art(SPARK, TOUCH_COLOURS, 12, 6)
    c.art(HAND, TOUCH_COLOURS, 12, 10)
    return c, VGA


# ---------------------------------------------------------------- file writers

def row_bytes(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_rows(canvas, bits):
    """XOR bitmap rows, bottom row first; transparent pixels are black, as Windows expects."""
    out = bytearray()
    stride = row_bytes(canvas.width, bits)
    for row in reversed(canvas.px):
        line = bytearray(stride)
        for x, c in enumerate(row):
            c = 0 if c is None else c
            if bits == 8:
                line[x] = c
            else:
                line[x >> 1] |= c << (4 if x % 2 == 0 else 0)
        out += line
    return bytes(out)


def pack_mask(canvas):
    out = bytearray()
    stride = row_bytes(canvas.width, 1)
    for row in reversed(canvas.px):
        line = bytearray(stride)
        for x, c in enumerate(row):
            if c is None:
                line[x >> 3] |= 0x80 >> (x & 7)
        out += line
    return bytes(out)


def rgbquads(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


BI_RLE4 = 2


def alternating_run(row, start):
    """How many pixels from start repeat the pair row[start], row[start + 1], at most 255."""
    pair = row[start:start + 2] * 2
    end = start
    while end < len(row) and end - start < 255 and row[end] == pair[(end - start) % 2]:
        end += 1
    return end - start


def rle4_row(row):
    """One row in BI_RLE4 at its fewest bytes: each piece is a run of one or two
    alternating colours (count and pair, 2 bytes) or an absolute block (escape 0, count
    >= 3, the nibbles, padded to a word); the end-of-line escape last."""
    n = len(row)
    cost = [0] * (n + 1)
    piece = [None] * (n + 1)
    for x in range(n - 1, -1, -1):
        cost[x] = None
        for length in range(1, alternating_run(row, x) + 1):
            if cost[x] is None or 2 + cost[x + length] < cost[x]:
                cost[x], piece[x] = 2 + cost[x + length], ("run", length)
        for length in range(3, min(255, n - x) + 1):
            size = 2 + ((length + 1) // 2 + 1) // 2 * 2 + cost[x + length]
            if size < cost[x]:
                cost[x], piece[x] = size, ("absolute", length)
    out = bytearray()
    x = 0
    while x < n:
        kind, length = piece[x]
        pixels = row[x:x + length]
        if kind == "run":
            pair = (pixels * 2)[:2]
            out += bytes([length, pair[0] << 4 | pair[1]])
        else:
            block = bytearray((pixels[i] << 4) | (pixels[i + 1] if i + 1 < length else 0)
                              for i in range(0, length, 2))
            out += bytes([0, length]) + block + (b"\0" if len(block) % 2 else b"")
        x += length
    return out + b"\0\0"


def rle4(canvas):
    """The pixels bottom row first, then the end-of-bitmap escape."""
    return b"".join(rle4_row(row) for row in reversed(canvas.px)) + b"\0\1"


def unrle4(data, width, height):
    """Rows of palette indices, top row first, from BI_RLE4 data; None when the data is not
    exactly height rows of width pixels ending in the end-of-bitmap escape."""
    rows, row, i = [], [], 0
    while i + 1 < len(data):
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            row += [(value >> 4) if k % 2 == 0 else (value & 15) for k in range(count)]
        elif value in (0, 1):
            if row:
                rows.append(row)
            row = []
            if value == 1:
                break
        elif value >= 3:
            block = data[i:i + (value + 1) // 2]
            row += [(block[k // 2] >> 4) if k % 2 == 0 else (block[k // 2] & 15) for k in range(value)]
            i += ((value + 1) // 2 + 1) // 2 * 2
        else:
            return None
    if i != len(data) or len(rows) != height or any(len(r) != width for r in rows):
        return None
    return rows[::-1]


def write_bmp1(name, canvas, colours):
    """A picture of two colours in one bit a pixel, uncompressed: fewer bytes than four bits
    run-length encoded. The palette holds the two VGA colours in system-palette order."""
    stride = row_bytes(canvas.width, 1)
    bits = bytearray()
    for row in reversed(canvas.px):
        line = bytearray(stride)
        for x, c in enumerate(row):
            if c == colours[1]:
                line[x >> 3] |= 0x80 >> (x & 7)
        bits += line
    offset = 14 + 40 + 2 * 4
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 1, 0,
                       len(bits), 0, 0, 2, 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(head + info + rgbquads([VGA[c] for c in colours]) + bits)


def write_bmp(name, canvas):
    if any(c is None for row in canvas.px for c in row):
        raise SystemExit(name + ": a bitmap cannot have transparent pixels")
    colours = sorted(set(c for row in canvas.px for c in row))
    if len(colours) <= 2:
        return write_bmp1(name, canvas, (colours * 2)[:2])
    bits = rle4(canvas)
    if unrle4(bits, canvas.width, canvas.height) != canvas.px:
        raise SystemExit(name + ": the compressed pixels do not decode to the picture")
    offset = 14 + 40 + 16 * 4
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 4, BI_RLE4,
                       len(bits), 0, 0, 16, 0)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(head + info + rgbquads(VGA) + bits)


def write_ico(name, canvas, palette, depth):
    xor = pack_rows(canvas, depth)
    andm = pack_mask(canvas)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height * 2, 1, depth, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    image = info + rgbquads(palette) + xor + andm
    count = 0 if depth == 8 else 1 << depth  # the directory byte holds 0 for 256 colours
    head = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", canvas.width, canvas.height, count, 0, 1, depth,
                        len(image), 6 + 16)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(head + entry + image)


# ---------------------------------------------------------------- checking

BITMAPS = {"target.bmp": (32, 32), "welcome.bmp": (153, 41),
           "wordmark.bmp": (187, 48), "title.bmp": (154, 20)}
ICONS = {"setup.ico": 4, "touch.ico": 4}


def check():
    """Rereads every file and fails loudly on anything Windows 95 or windres would trip over."""
    problems = []
    vga = rgbquads(VGA)
    for name, (w, h) in BITMAPS.items():
        with open(os.path.join(HERE, name), "rb") as f:
            data = f.read()
        magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
        (hsize, width, height, planes, bits, comp, image, _, _, used, _) = \
            struct.unpack_from("<IiiHHIIiiII", data, 14)
        facts = (magic, size, offset, hsize, width, height, planes, bits, comp, image, used)
        if bits == 1:
            want = (b"BM", len(data), 62, 40, w, h, 1, 1, 0, row_bytes(w, 1) * h, 2)
            palette_ok = all(data[54 + 4 * i:58 + 4 * i] in [vga[4 * k:4 * k + 4] for k in range(16)]
                             for i in range(2))
            pixels_ok = len(data) == 62 + row_bytes(w, 1) * h
        else:
            want = (b"BM", len(data), 118, 40, w, h, 1, 4, BI_RLE4, len(data) - 118, 16)
            palette_ok = data[54:118] == vga
            pixels_ok = unrle4(data[118:], w, h) is not None
        if facts != want:
            problems.append("%s: header %r, wanted %r" % (name, facts, want))
        if not palette_ok:
            problems.append(name + ": palette is not of the 16 VGA colours")
        if not pixels_ok:
            problems.append(name + ": the pixels are not %d rows of %d" % (h, w))
        print("%-13s %5d bytes  %dx%d, %d bits, %d colours, %s, bottom-up"
              % (name, len(data), width, height, bits, used, "BI_RGB" if bits == 1 else "BI_RLE4"))
    for name, depth in ICONS.items():
        with open(os.path.join(HERE, name), "rb") as f:
            data = f.read()
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        bw, bh, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6)
        (hsize, width, height, iplanes, ibits, comp, image, _, _, _, _) = \
            struct.unpack_from("<IiiHHIIiiII", data, offset)
        ncol = 1 << depth
        xor, andm = row_bytes(32, depth) * 32, row_bytes(32, 1) * 32
        facts = (reserved, kind, count, bw, bh, colours, planes, bits, offset + length,
                 hsize, width, height, iplanes, ibits, comp, image)
        want = (0, 1, 1, 32, 32, ncol % 256, 1, depth, len(data),
                40, 32, 64, 1, depth, 0, xor + andm)
        if facts != want:
            problems.append("%s: header %r, wanted %r" % (name, facts, want))
        if length != 40 + 4 * ncol + xor + andm:
            problems.append(name + ": image block has the wrong length")
        if name == "touch.ico" and data[offset + 40:offset + 40 + 64] != vga:
            problems.append(name + ": palette is not the 16 VGA colours")
        mask = data[offset + length - andm:offset + length]
        if not any(mask) or all(b == 0xFF for b in mask):
            problems.append(name + ": AND mask is empty or fully transparent")
        print("%-13s %5d bytes  icon 32x32, %d bits, %d colours, AND mask"
              % (name, len(data), ibits, ncol))
    if problems:
        raise SystemExit("\n".join(problems))


def main():
    if "--check" not in sys.argv[1:]:
        write_bmp("target.bmp", target())
        write_bmp("welcome.bmp", welcome())
        write_bmp("wordmark.bmp", wordmark())
        write_bmp("title.bmp", title())
        write_ico("setup.ico", *setup_icon(), 4)
        write_ico("touch.ico", *touch_icon(), 4)
    check()


if __name__ == "__main__":
    main()
