#!/usr/bin/env python3
"""Writes the player's two-colour 32 x 32 cursor and icons from the pictures below.

   hand.cur  (resource 1003): the pointer over the web link, hot spot (6, 0)
   play.ico  (resource 1004): play button of a clip
   stop.ico  (resource 1005): stop button of a clip

Pictures: '#' black, 'o' white, '.' transparent. Run from anywhere; the files
are written beside this script.
"""
import os
import struct

SIZE = 32

HAND = [
    "......##........................",
    ".....#oo#.......................",
    ".....#oo#.......................",
    ".....#oo#.......................",
    ".....#oo#.......................",
    ".....#oo###.....................",
    ".....#oo#oo##...................",
    ".....#oo#oo#o##.................",
    ".....#oo#oo#oo#o#...............",
    ".##..#oo#oo#oo#oo#..............",
    "#oo#.#oo#oo#oo#oo#..............",
    "#ooo##ooooooooooo#..............",
    ".#oo##ooooooooooo#..............",
    ".#ooo#ooooooooooo#..............",
    "..#oooooooooooooo#..............",
    "..#oooooooooooooo#..............",
    "...#ooooooooooooo#..............",
    "...#oooooooooooo#...............",
    "....#ooooooooooo#...............",
    "....#oooooooooo#................",
    ".....#ooooooooo#................",
    ".....#ooooooooo#................",
    ".....###########................",
] + ["." * SIZE] * 9
HAND_HOT_SPOT = (6, 0)


def triangle():
    rows = []
    for y in range(SIZE):
        row = ["."] * SIZE
        if 4 <= y <= 27:
            # Right-pointing: widest at the middle rows 15 and 16.
            reach = 8 + (min(y - 4, 27 - y) * 18) // 11
            for x in range(8, reach + 1):
                row[x] = "#"
        rows.append("".join(row))
    return rows


def square():
    rows = []
    for y in range(SIZE):
        inside = 7 <= y <= 24
        rows.append("." * 7 + ("#" * 18 if inside else "." * 18) + "." * 7)
    return rows


def bits(picture, wanted):
    """Rows of 1-bit pixels, bottom row first, 4 bytes per row."""
    out = b""
    for row in reversed(picture):
        value = 0
        for ch in row:
            value = (value << 1) | (1 if wanted(ch) else 0)
        out += struct.pack(">I", value)
    return out


def image(picture):
    assert len(picture) == SIZE and all(len(r) == SIZE for r in picture), "pictures are 32 x 32"
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)  # black, white
    colour = bits(picture, lambda ch: ch == "o")
    mask = bits(picture, lambda ch: ch == ".")
    return header + palette + colour + mask


def container(kind, picture, hot_spot=(0, 0)):
    """kind 1: icon (planes 1, 1 bit); kind 2: cursor (hot spot instead)."""
    data = image(picture)
    a, b = (1, 1) if kind == 1 else hot_spot
    directory = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, a, b, len(data), 6 + 16)
    return directory + entry + data


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    outputs = {
        "hand.cur": container(2, HAND, HAND_HOT_SPOT),
        "play.ico": container(1, triangle()),
        "stop.ico": container(1, square()),
    }
    for name, data in outputs.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
