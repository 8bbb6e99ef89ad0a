#!/usr/bin/env python3
"""Draws the icons of the three programs and writes them as .ico files.

Each program gets two files in apps/<program>/:
  app.ico    the program file's icon: 32x32 in 16 colours (4 bits a pixel,
             the standard 16-colour palette), followed by the same picture
             at 48x48 and 64x64 with every pixel repeated, for larger
             displays;
  small.ico  the window icon: 16x16 in two colours (1 bit a pixel, black
             and white), followed by 24x24 and 32x32 enlargements.
Every image is a BMP (info header, palette, colour bits bottom-up) with an
AND mask (1 = transparent). The first image of each file is the one the
resource names: 32x32 16-colour and 16x16 two-colour.

The build does not run this script: the .ico files are committed. Run
  python3 tools/make_icons.py
after changing a picture, and commit the script and the icons together.
Standard library only.
"""
import os
import struct
import sys

# The standard 16-colour palette, in index order.
PALETTE16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
PALETTE2 = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF)]

# One letter per palette entry; "." is transparent.
KEYS = {
    "k": 0,   # black
    "r": 1,   # maroon
    "g": 2,   # dark green
    "o": 3,   # olive
    "n": 4,   # navy
    "p": 5,   # purple
    "t": 6,   # teal
    "s": 7,   # silver
    "d": 8,   # grey
    "R": 9,   # red
    "G": 10,  # green
    "Y": 11,  # yellow
    "B": 12,  # blue
    "M": 13,  # magenta
    "C": 14,  # cyan
    "W": 15,  # white
}
TRANSPARENT = "."
# In the two-colour pictures only black and white are used.
KEYS2 = {"k": 0, "W": 1}

PICTURES = {
    # A stack of three discs: the episode files.
    "quenby": {
        "app": [
        "................................",
        "................................",
        "................................",
        "................................",
        "........kkkkkkkkkkkkkkkk........",
        ".....kkkWWBBBBBBBBBBBBBBkkk.....",
        "...kkBWWBBBBBBBBBBBBBBBBBBBkk...",
        "..kBBWBBBBBBCCCCCCCCBBBBBBBBBk..",
        ".kBBBBBBBBCCCCCCCCCCCCBBBBBBBBk.",
        ".kBBBBBBBCCCCkkkkkkCCCCBBBBBBBk.",
        ".kBBBBBBBCCCCkkkkkkCCCCBBBBBBBk.",
        ".kBBBBBBBBCCCCCCCCCCCCBBBBBBBBk.",
        ".kkBBBBBBBBBCCCCCCCCBBBBBBBBBkk.",
        ".knkkBBBBBBBBBBBBBBBBBBBBBskknk.",
        ".knnnkkkBBBBBBBBBBBBBBBBssknnnk.",
        ".kknnnnnkkkkkkkkkkkkkkkknnnnnkk.",
        ".kGkknnnnnnnnnnnnnnnnnnnnnnkkGk.",
        ".kGGGkkknnnnnnnnnnnnnnnnkkkGGGk.",
        ".kkkGGGGkkkkkkkkkkkkkkkkGGGGkkk.",
        ".kggkkGGGGGGGGGGGGGGGGGGGGkkggk.",
        ".kggggkkkkGGGGGGGGGGGGkkkkggggk.",
        ".kkkggggggkkkkkkkkkkkkggggggkkk.",
        ".kRRkkggggggggggggggggggggkkRRk.",
        ".kkkRRkkkkggggggggggggkkkkRRkkk.",
        ".krrkkRRRRkkkkkkkkkkkkRRRRkkrrk.",
        ".krrrrkkkkRRRRRRRRRRRRkkkkrrrrk.",
        "..kkrrrrrrkkkkkkkkkkkkrrrrrrkk..",
        "....kkrrrrrrrrrrrrrrrrrrrrkk....",
        "......kkkkrrrrrrrrrrrrkkkk......",
        "................................",
        "................................",
        "................................",
        ],
        "small": [
            "................",
            "....kkkkkkkk....",
            "..kkWWWWWWWWkk..",
            ".kWWWWWWWWWWWWk.",
            "kWWWWWWkkWWWWWWk",
            "kWWWWWWWWWWWWWWk",
            "kkWWWWWWWWWWWWkk",
            "kWkkWWWWWWWWkkWk",
            "kWWWkkkkkkkkWWWk",
            "kkWWWWWWWWWWWWkk",
            "kWkkWWWWWWWWkkWk",
            "kWWWkkkkkkkkWWWk",
            "kkWWWWWWWWWWWWkk",
            ".kkkWWWWWWWWkkk.",
            "....kkkkkkkk....",
            "................",
        ],
    },
    # Three framed squares, one centred above two: levels to pick from.
    "halvick": {
        "app": [
        "................................",
        ".........kkkkkkkkkkkkkk.........",
        ".........kWWWWWWWWWWWWk.........",
        ".........kWkkkkkkkkkkWk.........",
        ".........kWkCCCCCCCCkWk.........",
        ".........kWkCYYCCCCCkWk.........",
        ".........kWkCYYCCCCCkWk.........",
        ".........kWkCCCCCCCCkWk.........",
        ".........kWkCCCCCCCCkWk.........",
        ".........kWkGGGGGGGGkWk.........",
        ".........kWkooooooookWk.........",
        ".........kWkooooooookWk.........",
        ".........kWkkkkkkkkkkWk.........",
        ".........kWWWWWWWWWWWWk.........",
        ".........kkkkkkkkkkkkkk.........",
        "................................",
        "................................",
        ".kkkkkkkkkkkkkk..kkkkkkkkkkkkkk.",
        ".kWWWWWWWWWWWWk..kWWWWWWWWWWWWk.",
        ".kWkkkkkkkkkkWk..kWkkkkkkkkkkWk.",
        ".kWknnnnYnnnkWk..kWkppppppppkWk.",
        ".kWknnnnnYnnkWk..kWkppppppppkWk.",
        ".kWknnnnnnnnkWk..kWkppppMpppkWk.",
        ".kWknnYnnnnnkWk..kWkdrdddrddkWk.",
        ".kWknnnnnnYnkWk..kWkrdddrdddkWk.",
        ".kWknnnnnnnnkWk..kWkRRRRRRRRkWk.",
        ".kWkggggggggkWk..kWkRRRRRRRRkWk.",
        ".kWkggggggggkWk..kWkRRRRRRRRkWk.",
        ".kWkkkkkkkkkkWk..kWkkkkkkkkkkWk.",
        ".kWWWWWWWWWWWWk..kWWWWWWWWWWWWk.",
        ".kkkkkkkkkkkkkk..kkkkkkkkkkkkkk.",
        "................................",
        ],
        "small": [
            "................",
            ".....kkkkkk.....",
            ".....kWWWWk.....",
            ".....kWkkWk.....",
            ".....kWkkWk.....",
            ".....kWWWWk.....",
            ".....kkkkkk.....",
            "................",
            "................",
            ".kkkkkk..kkkkkk.",
            ".kWWWWk..kWWWWk.",
            ".kWkkWk..kWkkWk.",
            ".kWkkWk..kWkkWk.",
            ".kWWWWk..kWWWWk.",
            ".kkkkkk..kkkkkk.",
            "................",
        ],
    },
    # A pen above a small block: a level being drawn.
    "ostrell": {
        "app": [
        ".......................kkk......",
        "......................kRRrk.....",
        ".....................kYRrrrk....",
        "....................kYWYrrrrk...",
        "...................kYWYYYrrk....",
        "..................kYWYYYook.....",
        ".................kYWYYYook......",
        "................kYWYYYook.......",
        "...............kYWYYYook........",
        "..............kYWYYYook.........",
        ".............kYWYYYook..........",
        "............kYWYYYook...........",
        "...........kYWYYYook............",
        "..........kYWYYYook.............",
        "........kdYWYYYook..............",
        "........kWdYYYook...............",
        "........kWWdYook................",
        "........kWkWdok.................",
        "........kkWWWk..................",
        "........kkkkkk..................",
        ".......kkkkkkkkkkkkkkkkkkkkkkk..",
        "......kGGGGGGGGGGGGGGGGGGgggk...",
        ".....kGGGGGGGGGGGGGGGGGGgggk....",
        "....kkkkkkkkkkkkkkkkkkkgggk.....",
        "....koooooooroooooooooorrrk.....",
        "....koorooooooooooroooorrrk.....",
        "....koooooooorooooooooorrrk.....",
        "....koooroooooooooorooorrrk.....",
        "....koooooooooroooooooorrk......",
        "....koooorooooooooooroork.......",
        "....kkkkkkkkkkkkkkkkkkkk........",
        "................................",
        ],
        "small": [
            "............kk..",
            "...........kWWk.",
            "..........kWWWk.",
            ".........kWWWk..",
            "........kWWWk...",
            ".......kWWWk....",
            "......kWWWk.....",
            ".....kkWWk......",
            ".....kWkk.......",
            ".....kk.........",
            "................",
            "..kkkkkkkkkkkk..",
            "..kWWWWWWWWWWk..",
            "..kkkkkkkkkkkk..",
            "..kWkWkWkWkWkk..",
            "..kkkkkkkkkkkk..",
        ],
    },
}


def check(name, rows, size, keys):
    if len(rows) != size or any(len(row) != size for row in rows):
        sys.exit(f"{name}: the picture must be {size}x{size}")
    for row in rows:
        for ch in row:
            if ch != TRANSPARENT and ch not in keys:
                sys.exit(f"{name}: unknown colour letter {ch!r}")


def enlarge(rows, size):
    """Nearest-neighbour enlargement to size x size (pixels stay sharp)."""
    n = len(rows)
    return ["".join(rows[y * n // size][x * n // size] for x in range(size)) for y in range(size)]


def pack_rows(rows, bits_of_row):
    """Bottom-up rows, each padded to a multiple of 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        bits = bits_of_row(row)
        data = bytearray()
        for i in range(0, len(bits), 8):
            byte = 0
            for b in bits[i:i + 8]:
                byte = (byte << 1) | b
            data.append(byte << (8 - len(bits[i:i + 8])))
        while len(data) % 4:
            data.append(0)
        out += data
    return bytes(out)


def image(rows, bpp, keys, palette):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, AND mask."""
    size = len(rows)

    def colour_bits(row):
        bits = []
        for ch in row:
            index = 0 if ch == TRANSPARENT else keys[ch]
            bits += [(index >> s) & 1 for s in range(bpp - 1, -1, -1)]
        return bits

    xor = pack_rows(rows, colour_bits)
    mask = pack_rows(rows, lambda row: [1 if ch == TRANSPARENT else 0 for ch in row])
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, len(xor) + len(mask),
                         0, 0, len(palette), 0)
    colours = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    return header + colours + xor + mask


def ico(entries):
    """entries: (size, bpp, colour count, image bytes); written in this order."""
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    data = b""
    for size, bpp, count, img in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, count % 256, 0, 1, bpp, len(img), offset)
        offset += len(img)
        data += img
    return out + data


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    for program, pictures in PICTURES.items():
        check(program + " app", pictures["app"], 32, KEYS)
        check(program + " small", pictures["small"], 16, KEYS2)
        app = [(s, 4, 16, image(enlarge(pictures["app"], s), 4, KEYS, PALETTE16)) for s in (32, 48, 64)]
        small = [(s, 1, 2, image(enlarge(pictures["small"], s), 1, KEYS2, PALETTE2)) for s in (16, 24, 32)]
        folder = os.path.join(root, "apps", program)
        for name, entries in (("app.ico", app), ("small.ico", small)):
            path = os.path.normpath(os.path.join(folder, name))
            with open(path, "wb") as f:
                f.write(ico(entries))
            print(path)


if __name__ == "__main__":
    main()
