#!/usr/bin/env python3
"""Draws the program's image assets.

Run from anywhere:  python3 tools/make_images.py [ASSETS_DIR]

Without an argument it rewrites the files under assets/ of this repository;
with one it writes the same tree under ASSETS_DIR (used by the asset tests to
check that the committed files are up to date). The output is deterministic.

What it writes:
  search_hand_left.bmp, reset_hand_up.bmp   search page buttons
  foto.bmp, felolvas.bmp                    viewer buttons
      32 x 16, 4 bits per pixel, VGA palette, uncompressed; the normal
      picture on the left, its greyed twin on the right; olive is the
      transparent background.
  nav/{first,prior,next,last}[_disabled].png   14 x 13 navigator arrows
  cursor_sqlwait.png + cursor_sqlwait.hotspot   32 x 32 database-wait pointer
  icon/lantor-{16,32,48,64,128,256}.png         program icon, rendered from
      icon/lantor-small.svg (16, 32) and icon/lantor.svg (48 and up) with
      rsvg-convert (Debian package librsvg2-bin).

The pixel art below is written as character maps, one character a pixel:
  .  background (olive in the bitmaps, transparent in the PNGs)
  #  black    m  maroon   G  green    o  olive    n  navy    p  purple
  t  teal     s  silver   g  grey     r  red      l  lime    y  yellow
  b  blue     f  fuchsia  c  aqua     w  white
  h  pale yellow: white and yellow in a checkerboard
"""

import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

REPO_ASSETS = pathlib.Path(__file__).resolve().parent.parent / "assets"

# The 16 colours of the classic VGA palette, in their usual order. The map
# character of each colour is its key; "." is olive, the transparent colour.
VGA_COLOURS = {
    "#": (0, 0, 0),
    "m": (128, 0, 0),
    "G": (0, 128, 0),
    ".": (128, 128, 0),
    "n": (0, 0, 128),
    "p": (128, 0, 128),
    "t": (0, 128, 128),
    "s": (192, 192, 192),
    "g": (128, 128, 128),
    "r": (255, 0, 0),
    "l": (0, 255, 0),
    "y": (255, 255, 0),
    "b": (0, 0, 255),
    "f": (255, 0, 255),
    "c": (0, 255, 255),
    "w": (255, 255, 255),
}
VGA_INDEX = {char: index for index, char in enumerate(VGA_COLOURS)}
BACKGROUND = "."
PALE_YELLOW = "h"

# The same colours for RGBA images; the background is fully transparent.
RGBA_COLOURS = {char: rgb + (255,) for char, rgb in VGA_COLOURS.items()}
RGBA_COLOURS[BACKGROUND] = (0, 0, 0, 0)


# --------------------------------------------------------------------------
# Pixel art
# --------------------------------------------------------------------------

HAND_LEFT = """
    ................
    ................
    ......######....
    .....#hhhhhh####
    .#####hhhhhh#cc#
    #hhhhhhhhhhh#cc#
    #hhhhhhhhhhh#cc#
    .####hhhhhhh#cc#
    ...#hhhhhhhh#cc#
    ...#####hhhh#cc#
    ...#hhhhhhhh#cc#
    ....####hhhh#cc#
    ....#hhhhhhh#cc#
    .....###########
    ................
    ................
"""

CAMERA = """
    ................
    ................
    ................
    .....#####......
    .####sssss#####.
    .#sssssssssswy#.
    .#sss####sssss#.
    .#ss#nnbb#ssss#.
    .#ss#nbcb#ssss#.
    .#ss#nbbb#ssss#.
    .#sss####sssss#.
    .#gggggggggggg#.
    .##############.
    ................
    ................
    ................
"""

LOUDSPEAKER = """
    ................
    ................
    .......#........
    ......##...#....
    .....#b#....#...
    .####bb#.#...#..
    .#ssbbb#..#..#..
    .#ssbbb#..#..#..
    .#ssbbb#..#..#..
    .#ssbbb#..#..#..
    .####bb#.#...#..
    .....#b#....#...
    ......##...#....
    .......#........
    ................
    ................
"""

ARROW_PRIOR = """
    ..............
    ..............
    ........#.....
    .......##.....
    ......###.....
    .....####.....
    ....#####.....
    .....####.....
    ......###.....
    .......##.....
    ........#.....
    ..............
    ..............
"""

ARROW_FIRST = """
    ..............
    ..............
    ...##.....#...
    ...##....##...
    ...##...###...
    ...##..####...
    ...##.#####...
    ...##..####...
    ...##...###...
    ...##....##...
    ...##.....#...
    ..............
    ..............
"""

# The hourglass centre (the neck) is the pointer's hotspot.
SQL_WAIT_CURSOR = """
    ................................
    ........###############.........
    ........###############.........
    .........#wwwwwwwwwww#..........
    .........#wwwwwwwwwww#..........
    .........#wwwwwwwwwww#..........
    ..........#wwwwwwwww#...........
    ...........#w#####w#............
    ............#w###w#.............
    .............#w#w#..............
    ..............###...............
    .............#w#w#..............
    ............#ww#ww#.............
    ...........#www#www#............
    ..........#wwww#wwww#...........
    .........#wwww###wwww#..........
    .........#ww#######ww#..........
    .........#w#########w#..........
    ........###############.........
    ........###############.........
    ................................
    ......wwwwwwwwwwwwwwwwwww.......
    ......ww###www###ww#wwwww.......
    ......w#www#w#www#w#wwwww.......
    ......w#wwwww#www#w#wwwww.......
    ......ww###ww#www#w#wwwww.......
    ......wwwww#w#w#w#w#wwwww.......
    ......w#www#w#ww#ww#wwwww.......
    ......ww###www##w#w#####w.......
    ......wwwwwwwwwwwwwwwwwww.......
    ................................
    ................................
"""
SQL_WAIT_HOTSPOT = (15, 10)


def art(text, width, height):
    """Parses a character map into a list of rows and checks its size."""
    rows = [line.strip() for line in text.strip("\n").splitlines()]
    if len(rows) != height or any(len(row) != width for row in rows):
        raise ValueError(f"pixel art is not {width} x {height}: {rows}")
    return rows


def resolve_pale_yellow(rows):
    """Replaces each pale yellow pixel by white or yellow in a checkerboard."""
    return [
        "".join(
            ("w" if (x + y) % 2 == 0 else "y") if char == PALE_YELLOW else char
            for x, char in enumerate(row)
        )
        for y, row in enumerate(rows)
    ]


def mirrored(rows):
    return [row[::-1] for row in rows]


def rotated_clockwise(rows):
    height = len(rows)
    return ["".join(rows[height - 1 - x][y] for x in range(height)) for y in range(len(rows[0]))]


def is_ink(char):
    """Dark pixels carry the shape of a picture into its greyed twin."""
    red, green, blue = VGA_COLOURS[char]
    return char != BACKGROUND and 0.30 * red + 0.59 * green + 0.11 * blue < 128


def greyed(rows):
    """The classic disabled look: the dark strokes in grey over a white
    copy shifted one pixel right and down; light fills drop out."""
    height, width = len(rows), len(rows[0])
    result = [[BACKGROUND] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if is_ink(rows[y][x]) and x + 1 < width and y + 1 < height:
                result[y + 1][x + 1] = "w"
    for y in range(height):
        for x in range(width):
            if is_ink(rows[y][x]):
                result[y][x] = "g"
    return ["".join(row) for row in result]


def with_greyed_twin(rows):
    """The 32 x 16 button strip: the picture and its greyed twin."""
    return [normal + grey for normal, grey in zip(rows, greyed(rows))]


# --------------------------------------------------------------------------
# File formats
# --------------------------------------------------------------------------

def bmp_4bpp(rows):
    """A bottom-up, uncompressed, 4 bits per pixel Windows bitmap with the
    VGA palette."""
    height, width = len(rows), len(rows[0])
    row_bytes = (width + 7) // 8 * 4  # two pixels a byte, rows padded to 4 bytes
    pixels = bytearray()
    for row in reversed(rows):
        indices = [VGA_INDEX[char] for char in row] + [0] * (row_bytes * 2 - width)
        pixels += bytes(high << 4 | low for high, low in zip(indices[0::2], indices[1::2]))
    palette = b"".join(struct.pack("<BBBx", blue, green, red) for red, green, blue in VGA_COLOURS.values())
    pixel_offset = 14 + 40 + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", pixel_offset + len(pixels), 0, 0, pixel_offset)
    info_header = struct.pack(
        "<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 0, 0, len(VGA_COLOURS), 0
    )
    return file_header + info_header + palette + bytes(pixels)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_rgba(pixel_rows):
    """An 8-bit RGBA PNG from rows of (red, green, blue, alpha) tuples."""
    height, width = len(pixel_rows), len(pixel_rows[0])
    raw = b"".join(b"\x00" + bytes(channel for pixel in row for channel in pixel) for row in pixel_rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + png_chunk(b"IHDR", header)
        + png_chunk(b"IDAT", zlib.compress(raw, 9))
        + png_chunk(b"IEND", b"")
    )


def png_from_art(rows):
    return png_rgba([[RGBA_COLOURS[char] for char in row] for row in rows])


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
    return (left, up, up_left)[distances.index(min(distances))]


def read_png_rgba(data):
    """Pixel rows of a non-interlaced 8-bit RGBA PNG (what rsvg-convert writes)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    position, compressed, header = 8, b"", None
    while position < len(data):
        (length,) = struct.unpack(">I", data[position:position + 4])
        kind = data[position + 4:position + 8]
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
    width, height, depth, colour_type, _, _, interlace = header
    if (depth, colour_type, interlace) != (8, 6, 0):
        raise ValueError(f"expected 8-bit RGBA without interlace, got {header}")
    raw = zlib.decompress(compressed)
    stride = width * 4
    rows, previous = [], bytes(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up_left = previous[i - 4] if i >= 4 else 0
            predictor = (0, left, previous[i], (left + previous[i]) // 2, paeth(left, previous[i], up_left))[kind]
            line[i] = (line[i] + predictor) & 0xFF
        rows.append([tuple(line[x:x + 4]) for x in range(0, stride, 4)])
        previous = line
    return rows


# --------------------------------------------------------------------------
# The assets
# --------------------------------------------------------------------------

ICON_SIZES = (16, 32, 48, 64, 128, 256)
SMALL_ICON_LIMIT = 32  # sizes up to this come from the simplified drawing


def button_bitmaps():
    hand_left = resolve_pale_yellow(art(HAND_LEFT, 16, 16))
    return {
        "search_hand_left.bmp": hand_left,
        "reset_hand_up.bmp": resolve_pale_yellow(rotated_clockwise(art(HAND_LEFT, 16, 16))),
        "foto.bmp": art(CAMERA, 16, 16),
        "felolvas.bmp": art(LOUDSPEAKER, 16, 16),
    }


def navigator_arrows():
    prior = art(ARROW_PRIOR, 14, 13)
    first = art(ARROW_FIRST, 14, 13)
    return {"first": first, "prior": prior, "next": mirrored(prior), "last": mirrored(first)}


def render_icon(svg_path, size):
    renderer = shutil.which("rsvg-convert")
    if renderer is None:
        sys.exit("make_images.py: rsvg-convert not found; install the Debian package librsvg2-bin")
    with tempfile.TemporaryDirectory() as work:
        rendered = pathlib.Path(work) / "icon.png"
        subprocess.run(
            [renderer, "--width", str(size), "--height", str(size), "--output", str(rendered), str(svg_path)],
            check=True,
        )
        # Re-encoded by our own writer, so every PNG is stored the same way.
        return png_rgba(read_png_rgba(rendered.read_bytes()))


def icon_source(size):
    name = "lantor-small.svg" if size <= SMALL_ICON_LIMIT else "lantor.svg"
    return REPO_ASSETS / "icon" / name


def all_files():
    """Maps each asset's path below the assets folder to its bytes."""
    files = {}
    for name, rows in button_bitmaps().items():
        files[name] = bmp_4bpp(with_greyed_twin(rows))
    for name, rows in navigator_arrows().items():
        files[f"nav/{name}.png"] = png_from_art(rows)
        files[f"nav/{name}_disabled.png"] = png_from_art(greyed(rows))
    files["cursor_sqlwait.png"] = png_from_art(art(SQL_WAIT_CURSOR, 32, 32))
    files["cursor_sqlwait.hotspot"] = "{} {}\n".format(*SQL_WAIT_HOTSPOT).encode("ascii")
    for size in ICON_SIZES:
        files[f"icon/lantor-{size}.png"] = render_icon(icon_source(size), size)
    return files


def main(arguments):
    if len(arguments) > 1:
        sys.exit("usage: make_images.py [ASSETS_DIR]")
    target = pathlib.Path(arguments[0]) if arguments else REPO_ASSETS
    for name, content in all_files().items():
        path = target / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(content)
        print(path)


if __name__ == "__main__":
    main(sys.argv[1:])
