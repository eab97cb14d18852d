#!/usr/bin/env python3
"""Tests of the artwork tools: what build_art.py writes reads back exactly, and
check_art.py rejects the faults it exists to catch.

  test_art_tools.py [--rsvg PATH]      (python3 -m unittest works too)

The fault cases start from artwork built from the real sources, break one
thing each, and expect the check to name that fault.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tools", "art"))
import build_art  # noqa: E402
import check_art  # noqa: E402
import command_list  # noqa: E402

ART = os.path.join(ROOT, "resources", "art")
COMMAND_LIST = os.path.join(ROOT, "device", "menu", "CommandList.h")
RSVG = os.environ.get("ORVALET_RSVG_CONVERT", "rsvg-convert")
MAGENTA = (255, 0, 255)


def build_all(out_dir, rsvg=None):
    """Builds the artwork files the check reads, from the real sources, into out_dir."""
    rsvg = rsvg or RSVG
    art = os.path.join(out_dir, "art")
    build_art.build_icon(rsvg, os.path.join(art, "tray.ico"),
                         [os.path.join(ART, "tray", "tray16.svg"), os.path.join(ART, "tray", "tray32.svg")])
    build_art.build_icon(rsvg, os.path.join(art, "tray_pressed.ico"),
                         [os.path.join(ART, "tray", "tray_pressed16.svg")])
    build_art.build_strip(rsvg, os.path.join(art, "strip16.bmp"), COMMAND_LIST, os.path.join(ART, "cmd16"))
    build_art.build_strip(rsvg, os.path.join(out_dir, "Orvalet.vga"), COMMAND_LIST, os.path.join(ART, "cmd32"))
    build_art.build_banner(rsvg, os.path.join(art, "banner.bmp"), os.path.join(ART, "banner.svg"))
    inst, src = os.path.join(art, "installer"), os.path.join(ART, "installer")
    build_art.build_icon(rsvg, os.path.join(inst, "product.ico"),
                         [os.path.join(ART, "tray", "tray16.svg"), os.path.join(ART, "tray", "tray32.svg")])
    for name in ("ledger", "tideclock", "quill", "trailmap"):
        build_art.build_icon(rsvg, os.path.join(inst, name + ".ico"),
                             [os.path.join(src, name + "16.svg"), os.path.join(src, name + "32.svg")])
    for name in ("rule", "panel"):
        build_art.build_picture(rsvg, os.path.join(inst, name + ".bmp"), os.path.join(src, name + ".svg"))
    build_art.build_cursor(rsvg, os.path.join(inst, "hand.cur"), os.path.join(src, "hand.svg"), (6, 0))
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

    def test_cursor_masks_and_hotspot(self):
        # None transparent, True white, False black; 32 px rows are 4 bytes in both masks.
        rows = [[None if (x * y) % 5 == 1 else (x + 2 * y) % 3 == 0 for x in range(32)] for y in range(32)]
        path = os.path.join(self.dir, "x.cur")
        build_art.write_cursor(path, rows, (6, 0))
        f = check_art.Failures()
        self.assertEqual(check_art.read_cursor(path, 32, f), ((6, 0), rows))
        self.assertEqual(f.items, [])
        rows[0][6] = None
        with self.assertRaises(build_art.ArtError):
            build_art.write_cursor(path, rows, (6, 0))

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


class CommandListRefusesFaults(unittest.TestCase):
    """The strips are built from the program's command list; each case breaks
    one row of a copy of the real list, and the reader must stop there."""

    def setUp(self):
        self.dir = tempfile.mkdtemp()
        with open(COMMAND_LIST, encoding="utf-8") as f:
            self.lines = f.read().split("\n")
        self.rows = [i for i, line in enumerate(self.lines) if line.startswith("COMMAND(")]

    def tearDown(self):
        shutil.rmtree(self.dir)

    def write(self, lines):
        path = os.path.join(self.dir, "CommandList.h")
        with open(path, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        return path

    def edited(self, row, pattern, replacement):
        lines = list(self.lines)
        at = self.rows[row]
        lines[at], count = re.subn(pattern, replacement, lines[at], count=1)
        self.assertEqual(count, 1, f"edit {pattern!r} does not apply to {self.lines[at]!r}")
        return lines

    def assertRefused(self, lines, phrase, line_number):
        path = self.write(lines)
        with self.assertRaises(command_list.CommandListError) as caught:
            command_list.read_commands(path)
        message = str(caught.exception)
        self.assertIn(phrase, message)
        self.assertIn(f"{path}:{line_number}:", message)

    def test_real_list_names_drawn_icons(self):
        rows = command_list.read_commands(COMMAND_LIST)
        self.assertEqual(len(rows), len(self.rows))
        for row in rows:
            for size in ("cmd16", "cmd32"):
                self.assertTrue(os.path.isfile(os.path.join(ART, size, row.art + ".svg")),
                                f"command {row.id} names {row.art}, which has no {size} drawing")

    def test_broken_rows(self):
        art = command_list.read_commands(COMMAND_LIST)[0].art
        gap, swapped = list(self.lines), list(self.lines)
        del gap[self.rows[9]]
        a, b = self.rows[20], self.rows[21]
        swapped[a], swapped[b] = swapped[b], swapped[a]
        cases = [
            ("label dropped", self.edited(3, r',\s*"[^"]*",\s*(ACTION_)', r", \1"), 3,
             "not a command row"),
            ("split over two lines", self.edited(5, r",\s*(ACTION_)", r",\n        \1"), 5,
             "not a command row"),
            ("escape in a string", self.edited(6, r'"cplmain', r'"\\cplmain'), 6,
             "not a command row"),
            ("trailing comment", self.edited(6, r"\)$", r") // note"), 6, "not a command row"),
            # The row after the gap sits where the removed one was.
            ("row removed", gap, 9, "has id 11, expected 10"),
            ("rows swapped", swapped, 20, "has id 22, expected 21"),
            ("icon not id less one",
             self.edited(12, r"^(COMMAND\(\s*\d+,\s*\w+,\s*\d+,\s*)\d+", r"\g<1>0"), 12,
             "has icon 0, expected 12"),
            ("text id not the id",
             self.edited(1, r"^(COMMAND\(\s*\d+,\s*\w+,\s*)\d+", r"\g<1>45"), 1, "text id 45"),
            ("drawing named twice", self.edited(8, r'(\d+,\s*)"[a-z0-9-]+"', r'\1"%s"' % art), 8,
             "repeats command 1"),
        ]
        for what, lines, row, phrase in cases:
            with self.subTest(what):
                self.assertRefused(lines, phrase, self.rows[row] + 1)

    def test_build_and_configuration_stop(self):
        path = self.write(self.edited(4, r"\)$", r""))
        # The strip fails on the list before it renders a single drawing.
        with self.assertRaises(build_art.ArtError) as caught:
            build_art.build_strip("/nonexistent/rsvg-convert", os.path.join(self.dir, "s.bmp"),
                                  path, os.path.join(ART, "cmd16"))
        self.assertIn(f"{path}:{self.rows[4] + 1}: not a command row", str(caught.exception))
        self.assertFalse(os.path.exists(os.path.join(self.dir, "s.bmp")))
        # The configuration reads the drawing names through the command line.
        run = subprocess.run([sys.executable, "-B", command_list.__file__, "art", path],
                             stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.assertEqual(run.returncode, 1, run.stdout)
        self.assertEqual(run.stdout, "")
        self.assertIn("not a command row", run.stderr)


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
        failures, checks = check_art.run(self.art_dir, self.vga_path, os.path.join(self.art_dir, "installer"))
        self.assertGreater(checks, 0)
        return failures

    def assertRejected(self, phrase):
        failures = self.run_check()
        self.assertTrue(any(phrase in item for item in failures),
                        f"expected a failure mentioning {phrase!r}, got {failures}")

    def read_strip(self, path, size):
        f = check_art.Failures()
        rows = check_art.read_bmp24(path, check_art.COMMAND_COUNT * size, size, f)
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

    def test_cursor_hot_spot_off_the_finger(self):
        path = os.path.join(self.art_dir, "installer", "hand.cur")
        data = bytearray(open(path, "rb").read())
        struct.pack_into("<HH", data, 6 + 4, 0, 0)  # directory entry's hot spot
        open(path, "wb").write(data)
        self.assertRejected("hand.cur: hot spot (0, 0), expected (6, 0)")
        self.assertRejected("hand.cur: hot spot (0, 0) is on a transparent pixel")

    def test_missing_file(self):
        os.remove(os.path.join(self.art_dir, "banner.bmp"))
        self.assertRejected("missing:")


if __name__ == "__main__":
    if len(sys.argv) > 2 and sys.argv[1] == "--rsvg":
        RSVG = sys.argv[2]
        del sys.argv[1:3]
    unittest.main()
