"""Format checks of the program's image assets (drawn by tools/make_images.py).

Run from the repository root:
    python3 -m unittest discover -s tests/asset -v
"""

import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

REPO = pathlib.Path(__file__).resolve().parents[2]
ASSETS = REPO / "assets"
GENERATOR = REPO / "tools" / "make_images.py"
DEPENDENCIES = REPO / "tools" / "deps.sh"

# The programs the generator runs, each with the Debian package that brings it.
GENERATOR_TOOLS = {"rsvg-convert": "librsvg2-bin"}

BLACK, GREY, SILVER, WHITE = (0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255)
OLIVE, AQUA, YELLOW, BLUE = (128, 128, 0), (0, 255, 255), (255, 255, 0), (0, 0, 255)
VGA_PALETTE = [
    BLACK, (128, 0, 0), (0, 128, 0), OLIVE, (0, 0, 128), (128, 0, 128), (0, 128, 128), SILVER,
    GREY, (255, 0, 0), (0, 255, 0), YELLOW, BLUE, (255, 0, 255), AQUA, WHITE,
]

# name, colours the normal picture must show
BUTTON_BITMAPS = [
    ("search_hand_left.bmp", {BLACK, WHITE, YELLOW, AQUA}),
    ("reset_hand_up.bmp", {BLACK, WHITE, YELLOW, AQUA}),
    ("foto.bmp", {BLACK, SILVER, BLUE}),
    ("felolvas.bmp", {BLACK, BLUE}),
]
ICON_SIZES = [16, 32, 48, 64, 128, 256]
ARROWS = ["first", "prior", "next", "last"]
MIRRORED_ARROWS = [("prior", "next"), ("first", "last")]


def read_bmp(path):
    """Header fields, palette and top-down rows of palette colours of a 4-bpp bitmap."""
    data = path.read_bytes()
    magic, file_size, _, _, pixel_offset = struct.unpack_from("<2sIHHI", data, 0)
    (info_size, width, height, planes, bits, compression,
     image_size, _, _, colours_used, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    palette = [(red, green, blue) for blue, green, red, _ in struct.iter_unpack("<BBBB", data[54:pixel_offset])]
    row_bytes = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(abs(height)):
        start = pixel_offset + y * row_bytes
        nibbles = [n for byte in data[start:start + row_bytes] for n in (byte >> 4, byte & 15)]
        rows.append([palette[i] for i in nibbles[:width]])
    if height > 0:  # bottom-up storage
        rows.reverse()
    return {
        "length": len(data), "magic": magic, "file_size": file_size, "pixel_offset": pixel_offset,
        "info_size": info_size, "width": width, "height": height, "planes": planes, "bits": bits,
        "compression": compression, "image_size": image_size, "colours_used": colours_used,
        "palette": palette, "rows": rows,
    }


def read_png(path):
    """(width, height, bit depth, colour type, rows of RGBA tuples); pixels only for 8-bit RGBA."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise AssertionError(f"{path.name} is not a PNG file")
    position, compressed, header = 8, b"", None
    while position < len(data):
        length, kind = struct.unpack_from(">I4s", data, position)
        body = data[position + 8:position + 8 + length]
        (crc,) = struct.unpack_from(">I", data, position + 8 + length)
        if crc != zlib.crc32(kind + body):
            raise AssertionError(f"{path.name}: bad CRC in chunk {kind!r}")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        position += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if (depth, colour_type, interlace) != (8, 6, 0):
        return width, height, depth, colour_type, None
    raw, stride, rows, previous = zlib.decompress(compressed), width * 4, [], bytes(width * 4)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left, up = (line[i - 4] if i >= 4 else 0), previous[i]
            up_left = previous[i - 4] if i >= 4 else 0
            estimate = left + up - up_left
            paeth = min((abs(estimate - left), left), (abs(estimate - up), up), (abs(estimate - up_left), up_left),
                        key=lambda pair: pair[0])[1]
            line[i] = (line[i] + (0, left, up, (left + up) // 2, paeth)[kind]) & 0xFF
        rows.append([tuple(line[x:x + 4]) for x in range(0, stride, 4)])
        previous = line
    return width, height, depth, colour_type, rows


def opaque_colours(rows):
    return {pixel[:3] for row in rows for pixel in row if pixel[3] == 255}


class ButtonBitmapTest(unittest.TestCase):
    def test_header_is_a_374_byte_uncompressed_bottom_up_4bpp_bitmap(self):
        for name, _ in BUTTON_BITMAPS:
            with self.subTest(name):
                bmp = read_bmp(ASSETS / name)
                self.assertEqual(bmp["length"], 374)
                self.assertEqual(bmp["magic"], b"BM")
                self.assertEqual(bmp["file_size"], 374)
                self.assertEqual(bmp["pixel_offset"], 14 + 40 + 64)
                self.assertEqual(bmp["info_size"], 40)
                self.assertEqual((bmp["width"], bmp["height"]), (32, 16))  # positive height: bottom-up
                self.assertEqual((bmp["planes"], bmp["bits"], bmp["compression"]), (1, 4, 0))
                self.assertIn(bmp["image_size"], (0, 256))
                self.assertIn(bmp["colours_used"], (0, 16))

    def test_palette_is_the_vga_palette(self):
        for name, _ in BUTTON_BITMAPS:
            with self.subTest(name):
                self.assertEqual(read_bmp(ASSETS / name)["palette"], VGA_PALETTE)

    def test_bottom_left_pixel_is_the_olive_transparent_colour(self):
        for name, _ in BUTTON_BITMAPS:
            with self.subTest(name):
                self.assertEqual(read_bmp(ASSETS / name)["rows"][-1][0], OLIVE)

    def test_normal_picture_shows_its_colours(self):
        for name, colours in BUTTON_BITMAPS:
            with self.subTest(name):
                normal = {pixel for row in read_bmp(ASSETS / name)["rows"] for pixel in row[:16]}
                self.assertLessEqual(colours, normal)

    def test_right_half_is_a_greyed_twin_of_the_left(self):
        for name, _ in BUTTON_BITMAPS:
            with self.subTest(name):
                rows = read_bmp(ASSETS / name)["rows"]
                normal = [row[:16] for row in rows]
                disabled = [row[16:] for row in rows]
                self.assertNotEqual(normal, disabled)
                disabled_colours = {pixel for row in disabled for pixel in row}
                self.assertLessEqual(disabled_colours, {OLIVE, BLACK, GREY, SILVER, WHITE})
                self.assertIn(GREY, disabled_colours)
                # The grey strokes sit where the normal picture has its shape.
                for y in range(16):
                    for x in range(16):
                        if disabled[y][x] == GREY:
                            self.assertNotEqual(normal[y][x], OLIVE, f"grey pixel {x},{y} outside the picture")


class PngAssetTest(unittest.TestCase):
    def assert_rgba(self, path, width, height):
        actual_width, actual_height, depth, colour_type, rows = read_png(path)
        self.assertEqual((actual_width, actual_height), (width, height))
        self.assertEqual((depth, colour_type), (8, 6), "expected 8-bit RGBA")
        alphas = {pixel[3] for row in rows for pixel in row}
        self.assertIn(0, alphas, "no transparent pixel")
        self.assertIn(255, alphas, "no opaque pixel")
        return rows

    def test_icon_sizes_are_square_rgba_with_transparency(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                rows = self.assert_rgba(ASSETS / "icon" / f"lantor-{size}.png", size, size)
                self.assertEqual(rows[0][0][3], 0, "top-left corner should be transparent")

    def test_navigator_arrows_are_black_and_their_disabled_twins_grey(self):
        for arrow in ARROWS:
            with self.subTest(arrow):
                normal = self.assert_rgba(ASSETS / "nav" / f"{arrow}.png", 14, 13)
                disabled = self.assert_rgba(ASSETS / "nav" / f"{arrow}_disabled.png", 14, 13)
                self.assertEqual(opaque_colours(normal), {BLACK})
                self.assertIn(GREY, opaque_colours(disabled))
                self.assertNotIn(BLACK, opaque_colours(disabled))

    def test_forward_arrows_mirror_the_backward_ones(self):
        for backward, forward in MIRRORED_ARROWS:
            for suffix in ("", "_disabled"):
                with self.subTest(backward + suffix):
                    left = read_png(ASSETS / "nav" / f"{backward}{suffix}.png")[4]
                    right = read_png(ASSETS / "nav" / f"{forward}{suffix}.png")[4]
                    if suffix:  # the white emboss always falls one pixel right and down
                        left = [[p if p[:3] == GREY else (0, 0, 0, 0) for p in row] for row in left]
                        right = [[p if p[:3] == GREY else (0, 0, 0, 0) for p in row] for row in right]
                    self.assertEqual(right, [row[::-1] for row in left])

    def test_prior_arrow_points_left(self):
        rows = read_png(ASSETS / "nav" / "prior.png")[4]
        columns = [[row[x][3] == 255 for row in rows].count(True) for x in range(14)]
        inked = [count for count in columns if count]
        self.assertEqual(inked[0], 1, "the tip of a left-pointing triangle is its leftmost column")
        self.assertEqual(inked, sorted(inked))

    def test_sql_wait_cursor_is_black_on_white_with_its_hotspot_on_the_drawing(self):
        rows = self.assert_rgba(ASSETS / "cursor_sqlwait.png", 32, 32)
        self.assertEqual(opaque_colours(rows), {BLACK, WHITE})
        fields = (ASSETS / "cursor_sqlwait.hotspot").read_text(encoding="ascii").split()
        self.assertEqual(len(fields), 2, "hotspot file holds 'x y'")
        x, y = (int(field) for field in fields)
        self.assertTrue(0 <= x < 32 and 0 <= y < 32, f"hotspot {x} {y} outside the image")
        self.assertEqual(rows[y][x][3], 255, "hotspot should be on the hourglass")


def packages_of_the_tests():
    """The packages that 'tools/deps.sh test' installs."""
    assignments = dict(re.findall(r'^([A-Z_]+)="([^"]*)"', DEPENDENCIES.read_text(encoding="utf-8"), re.MULTILINE))
    expanded = re.sub(r"\$(\w+)", lambda name: assignments.get(name.group(1), ""), assignments["TEST_PACKAGES"])
    return set(expanded.split())


class GeneratorTest(unittest.TestCase):
    def test_the_test_dependencies_install_every_tool_of_the_generator(self):
        packages = packages_of_the_tests()
        for tool, package in GENERATOR_TOOLS.items():
            with self.subTest(tool):
                self.assertIn(package, packages, f"tools/deps.sh test does not install {package} ({tool})")

    def test_committed_assets_match_a_fresh_run_of_the_generator(self):
        # A missing tool is a broken test machine, not a reason to skip: the
        # committed pictures would go unchecked.
        for tool, package in GENERATOR_TOOLS.items():
            if shutil.which(tool) is None:
                self.fail(f"{tool} is not installed: install the Debian package {package} (tools/deps.sh test)")
        with tempfile.TemporaryDirectory() as output:
            subprocess.run([sys.executable, str(GENERATOR), output], check=True, stdout=subprocess.DEVNULL)
            produced = sorted(p for p in pathlib.Path(output).rglob("*") if p.is_file())
            self.assertTrue(produced)
            for path in produced:
                name = path.relative_to(output)
                with self.subTest(str(name)):
                    committed = ASSETS / name
                    self.assertTrue(committed.is_file(), f"{name} missing from assets")
                    self.assertEqual(path.read_bytes(), committed.read_bytes(), f"{name} is out of date")


if __name__ == "__main__":
    unittest.main()
