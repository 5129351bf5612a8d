#!/usr/bin/env python3
"""Turns the text pixel art in res/art into the program's image resources.

    pixelart.py strip   OUT.bmp IN.txt...           tool-bar image strip
    pixelart.py icon    OUT.ico IN32.txt [IN16.txt] icon, 16- and 256-colour images
    pixelart.py preview OUT.png IN.txt...           8x enlargement for review

An art file reads like this (blank lines and lines starting with "#" are
skipped):

    size 16
    palette
    .  transparent
    k  #000000  black
    w  #FFFFFF  white
    pixels
    kkkkkkkkkkkkkkkk
    kwwwwwwwwwwwwwwk
    ... (exactly 16 rows of 16 characters)

Each palette line is one character, then "transparent" or a colour #RRGGBB,
then an optional note.  Standard library only, so the build needs nothing
beyond the system Python 3.
"""

import argparse
import os
import struct
import sys
import zlib

# The classic 16-colour Windows palette in VGA order: the order the 16-colour
# icon images index it in.
STANDARD_16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# The tool bar's image list is loaded with this colour as its mask.
MASK_COLOUR = (0xFF, 0x00, 0xFF)

MAX_SIZE = 256  # the largest image an icon directory entry can describe


class ArtError(Exception):
    def __init__(self, path, line, message):
        where = f"{path}:{line}" if line else path
        super().__init__(f"{where}: {message}")


class Art:
    """One parsed art file: pixels[y][x] is an (r, g, b) tuple or None."""

    def __init__(self, path, size, pixels, row_lines):
        self.path = path
        self.size = size
        self.pixels = pixels
        self.row_lines = row_lines  # source line of each pixel row, for messages

    def colours_used(self):
        """Each opaque colour with the first (line, column) that uses it."""
        used = {}
        for y, row in enumerate(self.pixels):
            for x, rgb in enumerate(row):
                if rgb is not None and rgb not in used:
                    used[rgb] = (self.row_lines[y], x + 1)
        return used


def parse_colour(text):
    if len(text) != 7 or text[0] != "#":
        return None
    try:
        value = int(text[1:], 16)
    except ValueError:
        return None
    return (value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF)


def load_art(path):
    try:
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()
    except OSError as e:
        raise ArtError(path, 0, f"cannot read: {e.strerror}")
    except UnicodeDecodeError:
        raise ArtError(path, 0, "is not UTF-8 text")

    size = None
    palette = {}
    transparent = None
    section = "header"
    pixels = []
    row_lines = []

    for number, raw in enumerate(lines, start=1):
        line = raw.strip()
        if not line or line.startswith("#"):
            continue

        if section == "header":
            words = line.split()
            if len(words) != 2 or words[0] != "size":
                raise ArtError(path, number, 'expected "size N" first')
            try:
                size = int(words[1])
            except ValueError:
                size = 0
            if not 1 <= size <= MAX_SIZE:
                raise ArtError(path, number, f'size must be 1 to {MAX_SIZE}, not "{words[1]}"')
            section = "size"
        elif section == "size":
            if line != "palette":
                raise ArtError(path, number, 'expected "palette" after the size')
            section = "palette"
        elif section == "palette" and line == "pixels":
            if transparent is None:
                raise ArtError(path, number, 'the palette has no "transparent" character')
            section = "pixels"
        elif section == "palette":
            words = line.split(None, 2)
            key = words[0]
            if len(key) != 1 or key == "#":
                raise ArtError(path, number,
                               f'palette key "{key}" must be one character other than "#"')
            if key in palette:
                raise ArtError(path, number, f'palette key "{key}" is defined twice')
            if len(words) < 2:
                raise ArtError(path, number, f'palette key "{key}" has no colour')
            if words[1] == "transparent":
                if transparent is not None:
                    raise ArtError(path, number,
                                   f'"{transparent}" is already the transparent character')
                transparent = key
                palette[key] = None
            else:
                rgb = parse_colour(words[1])
                if rgb is None:
                    raise ArtError(path, number,
                                   f'"{words[1]}" is neither #RRGGBB nor "transparent"')
                palette[key] = rgb
        else:
            if len(pixels) == size:
                raise ArtError(path, number, f"more than {size} pixel rows")
            if len(line) != size:
                raise ArtError(path, number,
                               f"pixel row {len(pixels) + 1} has {len(line)} characters, "
                               f"not {size}")
            row = []
            for column, key in enumerate(line, start=1):
                if key not in palette:
                    raise ArtError(path, number,
                                   f'column {column}: "{key}" is not in the palette')
                row.append(palette[key])
            pixels.append(row)
            row_lines.append(number)

    if section != "pixels":
        missing = {"header": '"size N"', "size": '"palette"', "palette": '"pixels"'}[section]
        raise ArtError(path, len(lines), f"ends before {missing}")
    if len(pixels) != size:
        raise ArtError(path, len(lines), f"has {len(pixels)} pixel rows, not {size}")
    return Art(path, size, pixels, row_lines)


def write_file(path, data):
    folder = os.path.dirname(path)
    if folder:
        os.makedirs(folder, exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


# --- strip: 24-bit BMP ------------------------------------------------------

def make_strip(arts):
    height = arts[0].size
    for art in arts:
        if art.size != height:
            raise ArtError(art.path, 0, f"is {art.size} pixels high; the strip's first "
                                        f"glyph is {height}")
        where = art.colours_used().get(MASK_COLOUR)
        if where:
            raise ArtError(art.path, where[0],
                           f"column {where[1]}: magenta #FF00FF is the strip's "
                           f"transparent colour and cannot be drawn")

    width = height * len(arts)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):  # BMP rows run bottom-up
        row = bytearray()
        for art in arts:
            for rgb in art.pixels[y]:
                r, g, b = MASK_COLOUR if rgb is None else rgb
                row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    image = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
    return header + info + image


# --- icon: ICO with 4-bit and 8-bit images ----------------------------------

def palette_256():
    # The 16 standard colours first, so both images share their indices;
    # a colour cube and a grey ramp fill the rest.
    colours = list(STANDARD_16)
    colours += [(r, g, b) for r in range(0, 256, 51) for g in range(0, 256, 51)
                for b in range(0, 256, 51)]
    colours += [(8 + 10 * i,) * 3 for i in range(24)]
    assert len(colours) == 256
    return colours


def standard_indices(art):
    for rgb, (line, column) in art.colours_used().items():
        if rgb not in STANDARD_16:
            raise ArtError(art.path, line,
                           f"column {column}: #{rgb[0]:02X}{rgb[1]:02X}{rgb[2]:02X} is not "
                           f"one of the 16 standard colours the icon's 16-colour image uses")
    # Transparent pixels are black in the colour image and set in the mask,
    # which is how an icon leaves the background untouched.
    return [[0 if rgb is None else STANDARD_16.index(rgb) for rgb in row]
            for row in art.pixels]


def icon_image(art, indices, bits):
    size = art.size
    colours = STANDARD_16 if bits == 4 else palette_256()
    xor_stride = (size * bits + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor_rows = []
    and_rows = []
    for y in reversed(range(size)):  # bottom-up, like any DIB
        row = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x in range(size):
            if bits == 4:
                row[x // 2] |= indices[y][x] << (4 if x % 2 == 0 else 0)
            else:
                row[x] = indices[y][x]
            if art.pixels[y][x] is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        xor_rows.append(bytes(row))
        and_rows.append(bytes(mask))
    bitmaps = b"".join(xor_rows) + b"".join(and_rows)
    # The height counts the colour image and the mask together.
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(bitmaps), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)
    return info + table + bitmaps


def make_icon(arts):
    seen = set()
    for art in arts:
        if art.size in seen:
            raise ArtError(art.path, 0, f"a {art.size}x{art.size} image is already in the icon")
        seen.add(art.size)

    images = []  # (size, colour count byte, bits, data)
    for art in arts:
        indices = standard_indices(art)
        images.append((art.size, 16, 4, icon_image(art, indices, 4)))
        images.append((art.size, 0, 8, icon_image(art, indices, 8)))

    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, count, bits, data in images:
        side = size % 256  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, count, 0, 1, bits, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for *_, data in images)


# --- preview: PNG -----------------------------------------------------------

SCALE = 8
MARGIN = 12
GAP = 16
CHECKER = ((0xF2, 0xF2, 0xF2), (0xDC, 0xDC, 0xDC))
CHECKER_CELL = 4
FRAME = (0x90, 0x90, 0x90)


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def encode_png(width, height, canvas):
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in canvas)
    return (b"\x89PNG\r\n\x1a\n"
            + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + png_chunk(b"IDAT", zlib.compress(raw, 9))
            + png_chunk(b"IEND", b""))


def make_preview(arts):
    # Each piece of art 8x enlarged, with its actual size beneath it.
    tallest = max(art.size for art in arts)
    width = MARGIN * 2 + sum(art.size * SCALE for art in arts) + GAP * (len(arts) - 1)
    height = MARGIN * 3 + tallest * SCALE + tallest
    canvas = [[CHECKER[(x // CHECKER_CELL + y // CHECKER_CELL) % 2] for x in range(width)]
              for y in range(height)]

    def put(art, left, top, scale):
        for y in range(art.size * scale):
            for x in range(art.size * scale):
                rgb = art.pixels[y // scale][x // scale]
                if rgb is not None:
                    canvas[top + y][left + x] = rgb
        side = art.size * scale
        for i in range(-1, side + 1):
            canvas[top - 1][left + i] = FRAME
            canvas[top + side][left + i] = FRAME
            canvas[top + i][left - 1] = FRAME
            canvas[top + i][left + side] = FRAME

    left = MARGIN
    for art in arts:
        put(art, left, MARGIN, SCALE)
        put(art, left, MARGIN * 2 + tallest * SCALE, 1)
        left += art.size * SCALE + GAP
    return encode_png(width, height, canvas)


def main(argv):
    parser = argparse.ArgumentParser(description="Builds image resources from text pixel art.")
    commands = parser.add_subparsers(dest="command", required=True)
    strip = commands.add_parser("strip", help="tool-bar strip, 24-bit BMP, magenta transparent")
    strip.add_argument("out")
    strip.add_argument("inputs", nargs="+")
    icon = commands.add_parser("icon", help="ICO with a 16- and a 256-colour image per size")
    icon.add_argument("out")
    icon.add_argument("inputs", nargs="+", metavar="input")
    preview = commands.add_parser("preview", help="PNG for review, 8x enlarged")
    preview.add_argument("out")
    preview.add_argument("inputs", nargs="+")
    args = parser.parse_args(argv)

    if args.command == "icon" and len(args.inputs) > 2:
        parser.error("icon takes one or two art files (the 32 and the 16 pixel image)")

    makers = {"strip": make_strip, "icon": make_icon, "preview": make_preview}
    try:
        arts = [load_art(path) for path in args.inputs]
        data = makers[args.command](arts)
        write_file(args.out, data)
    except ArtError as e:
        print(f"pixelart: {e}", file=sys.stderr)
        return 1
    except OSError as e:
        print(f"pixelart: {args.out}: cannot write: {e.strerror}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
