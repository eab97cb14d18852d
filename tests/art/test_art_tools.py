#!/usr/bin/env python3
"""Tests of the artwork tools: what build_art.py writes reads back exactly, and
check_art.py rejects the faults it exists to catch.

  test_art_tools.py [--rsvg PATH]      (python3 -m unittest works too)

The fault cases start from artwork built from the real sources, break one
thing each, and expect the check to name that fault.
"""
import os
import shutil
import struct
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "art"))
import build_art  # noqa: E402
import check_art  # noqa: E402

ART = os.path.join(ROOT, "resources", "art")
RSVG = os.environ.get("ORVALET_RSVG_CONVERT", "rsvg-convert")
MAGENTA = (255, 0, 255)


def build_all(out_dir, rsvg=None):
    """Builds the five artwork files from the real sources into out_dir."""
    rsvg = rsvg or RSVG
    art = os.path.join(out_dir, "art")
    build_art.build_icon(rsvg, os.path.join(art, "tray.ico"),
                         [os.path.join(ART, "tray", "tray16.svg"), os.path.join(ART, "tray", "tray32.svg")])
    build_art.build_icon(rsvg, os.path.join(art, "tray_pressed.ico"),
                         [os.path.join(ART, "tray", "tray_pressed16.svg")])
    manifest = os.path.join(ART, "commands.txt")
    build_art.build_strip(rsvg, os.path.join(art, "strip16.bmp"), manifest, os.path.join(ART, "cmd16"))
    build_art.build_strip(rsvg, os.path.join(out_dir, "Orvalet.vga"), manifest, os.path.join(ART, "cmd32"))
    build_art.build_banner(rsvg, os.path.join(art, "banner.bmp"), os.path.join(ART, "banner.svg"))
    return art, os.path.join(out_dir, "Orvalet.vga")


class WrittenFilesReadBack(unittest.TestCase):
    """The writers' byte layout, read back by the check's independent readers."""

    def setUp(self):
        self.dir = tempfile.mkdtemp()

    def tearDown(self):
        shutil.rmtree(self.dir)

    def test_bmp24_rows_padding_and_orientation(self):
        # 3 px wide rows need one byte of padding; top row must come back first.
        rows = [[(1, 2, 3), None, (200, 100, 50)], [(9, 8, 7), (6, 5, 4), None]]
        path = os.path.join(self.dir, "x.bmp")
        build_art.write_bmp24(path, rows)
        f = check_art.Failures()
        back = check_art.read_bmp24(path, 3, 2, f)
        self.assertEqual(f.items, [])
        self.assertEqual(back, [[(1, 2, 3), MAGENTA, (200, 100, 50)], [(9, 8, 7), (6, 5, 4), MAGENTA]])
        self.assertEqual(os.path.getsize(path), 54 + 2 * 12)

    def test_ico_colour_and_mask(self):
        for size in (16, 32):
            with self.subTest(size=size):
                rows = [[None if (x + y) % 3 == 0 else (x * 7 % 256, y * 5 % 256, 40)
                         for x in range(size)] for y in range(size)]
                path = os.path.join(self.dir, "x.ico")
                build_art.write_ico(path, [rows])
                f = check_art.Failures()
                (colour, mask), = check_art.read_ico(path, [size], f)
                self.assertEqual(f.items, [])
                for y in range(size):
                    for x in range(size):
                        self.assertEqual(mask[y][x], rows[y][x] is None, (x, y))
                        self.assertEqual(colour[y][x], rows[y][x] or (0, 0, 0), (x, y))

    def test_banner_levels(self):
        path = os.path.join(self.dir, "banner.bmp")
        build_art.write_bmp8_grey(path, check_art.BANNER_LEVELS)
        f = check_art.Failures()
        check_art.check_banner(path, f)
        self.assertEqual(f.items, [])
        wrong = list(check_art.BANNER_LEVELS)
        wrong[3] = 249
        build_art.write_bmp8_grey(path, wrong)
        f = check_art.Failures()
        check_art.check_banner(path, f)
        self.assertTrue(any("grey levels" in item for item in f.items), f.items)


class EdgeFlattening(unittest.TestCase):
    """Half-covered pixels become opaque colours or transparency, never pink."""

    def test_threshold(self):
        rows = [[(10, 20, 30, 127), (10, 20, 30, 128), (10, 20, 30, 255), (0, 0, 0, 0)]]
        out = build_art.flatten(rows)[0]
        self.assertIsNone(out[0])
        self.assertIsNotNone(out[1])
        self.assertEqual(out[2], (10, 20, 30))
        self.assertIsNone(out[3])

    def test_edges_blend_towards_grey_not_key_colour(self):
        for colour in [(255, 255, 255), (0, 0, 0), (31, 95, 196), (208, 48, 31)]:
            for alpha in range(128, 256, 9):
                px = build_art.flatten([[colour + (alpha,)]])[0][0]
                self.assertFalse(check_art.pinkish(px), (colour, alpha, px))

    def test_drawn_magenta_is_not_the_key_colour(self):
        self.assertNotEqual(build_art.flatten([[(255, 0, 255, 255)]])[0][0], MAGENTA)

    def test_rendered_antialiased_drawing(self):
        # A real rsvg rendering of a circle and a diagonal: no fringe, clear corners.
        with tempfile.TemporaryDirectory() as d:
            svg = os.path.join(d, "c.svg")
            with open(svg, "w") as f:
                f.write('<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">'
                        '<circle cx="8" cy="8" r="5.3" fill="#1F5FC4"/>'
                        '<path d="M1 15L15 1" stroke="#FFFFFF" stroke-width="1.3"/></svg>')
            _, _, rgba = build_art.render_svg(RSVG, svg)
            self.assertTrue(any(0 < px[3] < 255 for row in rgba for px in row), "expected antialiased edges")
            rows = build_art.flatten(rgba)
            self.assertIsNone(rows[0][0])
            for row in rows:
                for px in row:
                    self.assertTrue(px is None or not check_art.pinkish(px), px)


class CheckRejectsFaults(unittest.TestCase):
    """Each case breaks one property of good artwork; the check must say so."""

    @classmethod
    def setUpClass(cls):
        cls.good = tempfile.mkdtemp()
        cls.art, cls.vga = build_all(cls.good)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.good)

    def setUp(self):
        self.dir = tempfile.mkdtemp()
        shutil.copytree(self.art, os.path.join(self.dir, "art"))
        shutil.copy(self.vga, os.path.join(self.dir, "Orvalet.vga"))
        self.art_dir = os.path.join(self.dir, "art")
        self.vga_path = os.path.join(self.dir, "Orvalet.vga")

    def tearDown(self):
        shutil.rmtree(self.dir)

    def run_check(self):
        failures, checks = check_art.run(self.art_dir, self.vga_path)
        self.assertGreater(checks, 0)
        return failures

    def assertRejected(self, phrase):
        failures = self.run_check()
        self.assertTrue(any(phrase in item for item in failures),
                        f"expected a failure mentioning {phrase!r}, got {failures}")

    def read_strip(self, path, size):
        f = check_art.Failures()
        rows = check_art.read_bmp24(path, 27 * size, size, f)
        self.assertEqual(f.items, [])
        return rows

    def test_good_artwork_passes(self):
        self.assertEqual(self.run_check(), [])

    def test_doubled_16px_strip_as_vga(self):
        small = self.read_strip(os.path.join(self.art_dir, "strip16.bmp"), 16)
        doubled = [[px for px in row for _ in (0, 1)] for row in small for _ in (0, 1)]
        build_art.write_bmp24(self.vga_path, [[None if px == MAGENTA else px for px in row] for row in doubled])
        self.assertRejected("looks enlarged")

    def test_empty_cell(self):
        rows = self.read_strip(os.path.join(self.art_dir, "strip16.bmp"), 16)
        for row in rows:
            row[5 * 16:6 * 16] = [MAGENTA] * 16
        build_art.write_bmp24(os.path.join(self.art_dir, "strip16.bmp"), rows)
        self.assertRejected("icon 5 (command 6): 0 drawn pixels")

    def test_pink_fringe(self):
        rows = self.read_strip(self.vga_path, 32)
        rows[16][3 * 32 + 1] = (255, 128, 255)  # magenta blended half into white
        build_art.write_bmp24(self.vga_path, rows)
        self.assertRejected("icon 3 (command 4): pinkish")

    def test_opaque_corner(self):
        rows = self.read_strip(os.path.join(self.art_dir, "strip16.bmp"), 16)
        rows[15][26 * 16 + 15] = (0, 0, 0)
        build_art.write_bmp24(os.path.join(self.art_dir, "strip16.bmp"), rows)
        self.assertRejected("icon 26 (command 27): corners")

    def test_duplicate_icons(self):
        rows = self.read_strip(os.path.join(self.art_dir, "strip16.bmp"), 16)
        for row in rows:
            row[21 * 16:22 * 16] = row[20 * 16:21 * 16]
        build_art.write_bmp24(os.path.join(self.art_dir, "strip16.bmp"), rows)
        self.assertRejected("icons 20 and 21 are identical")

    def test_top_down_strip(self):
        path = os.path.join(self.art_dir, "strip16.bmp")
        data = bytearray(open(path, "rb").read())
        struct.pack_into("<i", data, 22, -16)
        open(path, "wb").write(data)
        self.assertRejected("strip16.bmp: height -16, expected 16")

    def test_32_bit_strip(self):
        path = self.vga_path
        data = bytearray(open(path, "rb").read())
        struct.pack_into("<H", data, 28, 32)
        open(path, "wb").write(data)
        self.assertRejected("Orvalet.vga: bpp 32, expected 24")

    def test_icon_with_alpha_image(self):
        path = os.path.join(self.art_dir, "tray.ico")
        data = bytearray(open(path, "rb").read())
        struct.pack_into("<H", data, 6 + 16 + 6, 32)  # second directory entry says 32 bpp
        open(path, "wb").write(data)
        self.assertRejected("tray.ico image 1: directory colours/planes/bpp 0/1/32")

    def test_png_icon_image(self):
        path = os.path.join(self.art_dir, "tray_pressed.ico")
        data = bytearray(open(path, "rb").read())
        at = struct.unpack_from("<I", data, 6 + 12)[0]
        data[at:at + 8] = b"\x89PNG\r\n\x1a\n"
        open(path, "wb").write(data)
        self.assertRejected("PNG-compressed image")

    def test_missing_second_tray_image(self):
        rows = build_art.flatten(build_art.render_svg(RSVG, os.path.join(ART, "tray", "tray16.svg"))[2])
        build_art.write_ico(os.path.join(self.art_dir, "tray.ico"), [rows])
        self.assertRejected("tray.ico: 1 images, expected 2")

    def test_pressed_icon_same_as_tray(self):
        rows = build_art.flatten(build_art.render_svg(RSVG, os.path.join(ART, "tray", "tray16.svg"))[2])
        build_art.write_ico(os.path.join(self.art_dir, "tray_pressed.ico"), [rows])
        self.assertRejected("tray_pressed.ico: mean brightness")

    def test_colour_behind_transparent_icon_pixels(self):
        # Transparent icon pixels must be black, or the XOR step tints the task bar.
        path = os.path.join(self.art_dir, "tray_pressed.ico")
        data = bytearray(open(path, "rb").read())
        at = struct.unpack_from("<I", data, 6 + 12)[0] + 40
        data[at:at + 3] = b"\x40\x40\x40"  # bottom-left pixel, transparent in the drawing
        open(path, "wb").write(data)
        self.assertRejected("transparent pixels must be black")

    def test_missing_file(self):
        os.remove(os.path.join(self.art_dir, "banner.bmp"))
        self.assertRejected("missing:")


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[1] == "--rsvg":
        RSVG = sys.argv[2]
        del sys.argv[1:3]
    unittest.main()
