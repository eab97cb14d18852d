#!/usr/bin/env python3
"""Reads Orvalet's generated artwork back and checks it byte by byte.

  check_art.py --art-dir BUILD/art --vga OUT/Orvalet.vga --installer-dir BUILD/art/installer

Checks the exact file forms that Windows CE can load (24-bit BI_RGB icons with
a 1-bit mask, 24-bit strips, the 8-bit banner) and those of the desktop
installer (the same icons, its pictures, the 1-bit hand cursor), and the
drawings' soundness:
every command icon is drawn, sits on a magenta background, has no pinkish
fringe, differs from every other icon, and the 32 px icons are drawn for
32 px rather than doubled from the 16 px ones. The parsing here is written
independently of build_art.py so that a fault in the writer shows up.
Prints every failure with expected and actual values; exits 1 on any.
"""
import argparse
import os
import struct
import sys

sys.dont_write_bytecode = True  # the tests leave no __pycache__ in the source tree
from command_list import read_commands  # noqa: E402

# One icon per row of the program's command list (device/menu/CommandList.h).
COMMAND_COUNT = len(read_commands())
MAGENTA = (255, 0, 255)
# The installer's files, and where its link cursor points.
INSTALLER_ICONS = ("product.ico", "ledger.ico", "tideclock.ico", "quill.ico", "trailmap.ico")
INSTALLER_FILES = INSTALLER_ICONS + ("rule.bmp", "panel.bmp", "hand.cur")
HAND_HOTSPOT = (6, 0)
BANNER_LEVELS = [0, 227, 242, 250, 250, 250, 250, 250, 250, 242, 234, 227, 213, 198, 179, 153, 0]


class Failures:
    def __init__(self):
        self.items = []
        self.checks = 0

    def expect(self, condition, what):
        self.checks += 1
        if not condition:
            self.items.append(what)
        return condition


# ---------------------------------------------------------------- readers

def read_info_header(data, at):
    """BITMAPINFOHEADER fields at offset `at`, or None if too short."""
    if len(data) < at + 40:
        return None
    names = ("size", "width", "height", "planes", "bpp", "compression", "image_size",
             "xppm", "yppm", "colours_used", "colours_important")
    return dict(zip(names, struct.unpack_from("<IiiHHIIiiII", data, at)))


def read_rows24(data, at, width, height):
    """Top-down rows of RGB tuples from bottom-up 24-bit rows at `at`."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(height):
        base = at + (height - 1 - y) * stride
        rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x])
                     for x in range(width)])
    return rows


def read_bmp24(path, width, height, f):
    """Checks a 24-bit BI_RGB bottom-up bitmap file; returns its rows or None."""
    name = os.path.basename(path)
    data = open(path, "rb").read()
    if not f.expect(len(data) >= 54 and data[:2] == b"BM", f"{name}: not a BMP file"):
        return None
    file_size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    info = read_info_header(data, 14)
    stride = (width * 3 + 3) & ~3
    expected = {"size": 40, "width": width, "height": height, "planes": 1, "bpp": 24,
                "compression": 0}
    ok = f.expect(file_size == len(data), f"{name}: header file size {file_size}, file has {len(data)}")
    ok &= f.expect(offset == 54, f"{name}: pixel offset {offset}, expected 54 (no palette)")
    for key, want in expected.items():
        ok &= f.expect(info[key] == want, f"{name}: {key} {info[key]}, expected {want}")
    ok &= f.expect(info["image_size"] in (0, stride * height),
                   f"{name}: image size {info['image_size']}, expected {stride * height}")
    ok &= f.expect(len(data) == 54 + stride * height,
                   f"{name}: {len(data)} bytes, expected {54 + stride * height}")
    return read_rows24(data, 54, width, height) if ok else None


def read_ico(path, sizes, f):
    """Checks an icon file of 24-bit BI_RGB images of the given sizes, in order.
    Returns a list of (colour rows, mask rows) with mask True = transparent."""
    name = os.path.basename(path)
    data = open(path, "rb").read()
    if not f.expect(len(data) >= 6, f"{name}: too short"):
        return None
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    ok = f.expect(reserved == 0 and kind == 1, f"{name}: not an icon file (type {kind})")
    ok &= f.expect(count == len(sizes), f"{name}: {count} images, expected {len(sizes)}")
    if not ok or len(data) < 6 + 16 * count:
        return None
    images = []
    end_of_last = 6 + 16 * count
    for i, size in enumerate(sizes):
        w, h, colours, res, planes, bpp, length, at = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        label = f"{name} image {i}"
        ok = f.expect((w, h) == (size, size), f"{label}: directory says {w}x{h}, expected {size}x{size}")
        ok &= f.expect(colours == 0 and planes == 1 and bpp == 24,
                       f"{label}: directory colours/planes/bpp {colours}/{planes}/{bpp}, expected 0/1/24")
        ok &= f.expect(at == end_of_last and at + length <= len(data),
                       f"{label}: data at {at}+{length} in a file of {len(data)}, expected at {end_of_last}")
        if not ok:
            return None
        end_of_last = at + length
        f.expect(data[at:at + 8] != b"\x89PNG\r\n\x1a\n", f"{label}: PNG-compressed image")
        info = read_info_header(data, at)
        colour_size = ((size * 3 + 3) & ~3) * size
        mask_size = ((size + 31) // 32) * 4 * size
        expected = {"size": 40, "width": size, "height": 2 * size, "planes": 1, "bpp": 24,
                    "compression": 0}
        for key, want in expected.items():
            ok &= f.expect(info is not None and info[key] == want,
                           f"{label}: {key} {info and info[key]}, expected {want}")
        ok &= f.expect(length == 40 + colour_size + mask_size,
                       f"{label}: {length} bytes, expected {40 + colour_size + mask_size}")
        if not ok:
            return None
        rows = read_rows24(data, at + 40, size, size)
        mask_at = at + 40 + colour_size
        mask_stride = ((size + 31) // 32) * 4
        mask = []
        for y in range(size):
            base = mask_at + (size - 1 - y) * mask_stride
            mask.append([bool(data[base + x // 8] & (0x80 >> (x % 8))) for x in range(size)])
        images.append((rows, mask))
    f.expect(end_of_last == len(data), f"{name}: {len(data) - end_of_last} stray bytes at the end")
    return images


def read_cursor(path, size, f):
    """Checks a one-image monochrome cursor file. Returns (hot spot, rows) with
    rows of None (transparent), True (white) or False (black); a transparent
    pixel whose XOR bit is set (it would invert the screen) reads as "invert"."""
    name = os.path.basename(path)
    data = open(path, "rb").read()
    if not f.expect(len(data) >= 6 + 16 + 40, f"{name}: too short"):
        return None
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    ok = f.expect(reserved == 0 and kind == 2, f"{name}: not a cursor file (type {kind})")
    ok &= f.expect(count == 1, f"{name}: {count} images, expected 1")
    if not ok:
        return None
    w, h, colours, res, hot_x, hot_y, length, at = struct.unpack_from("<BBBBHHII", data, 6)
    stride = ((size + 31) // 32) * 4
    want = 40 + 8 + 2 * stride * size
    ok = f.expect((w, h) == (size, size), f"{name}: directory says {w}x{h}, expected {size}x{size}")
    ok &= f.expect(at == 22 and length == want and at + length == len(data),
                   f"{name}: data at {at}+{length} in a file of {len(data)}, expected 22+{want}")
    if not ok:
        return None
    info = read_info_header(data, at)
    expected = {"size": 40, "width": size, "height": 2 * size, "planes": 1, "bpp": 1, "compression": 0}
    for key, value in expected.items():
        ok &= f.expect(info[key] == value, f"{name}: {key} {info[key]}, expected {value}")
    ok &= f.expect(info["colours_used"] in (0, 2), f"{name}: {info['colours_used']} colours, expected 2")
    palette = data[at + 40:at + 48]
    ok &= f.expect(palette == bytes((0, 0, 0, 0, 255, 255, 255, 0)),
                   f"{name}: colour table {palette.hex()}, expected black then white")
    if not ok:
        return None
    xor_at = at + 48
    and_at = xor_at + stride * size

    def bit(base, x, y):
        return bool(data[base + (size - 1 - y) * stride + x // 8] & (0x80 >> (x % 8)))

    rows = [[("invert" if bit(xor_at, x, y) else None) if bit(and_at, x, y) else bit(xor_at, x, y)
             for x in range(size)] for y in range(size)]
    return (hot_x, hot_y), rows


# ---------------------------------------------------------------- drawings

def pinkish(px):
    """A colour of magenta's hue: what blending the key colour into an edge gives."""
    r, g, b = px
    return px != MAGENTA and min(r, b) - g > 48


def luminance(px):
    r, g, b = px
    return 0.299 * r + 0.587 * g + 0.114 * b


def check_icon_image(label, rows, mask, f):
    size = len(rows)
    opaque = [(x, y) for y in range(size) for x in range(size) if not mask[y][x]]
    f.expect(len(opaque) >= size * size // 2,
             f"{label}: only {len(opaque)} of {size * size} pixels drawn, expected at least half")
    f.expect(len(opaque) < size * size, f"{label}: no transparent pixel (the AND mask is empty)")
    stray = [(x, y) for y in range(size) for x in range(size) if mask[y][x] and rows[y][x] != (0, 0, 0)]
    f.expect(not stray, f"{label}: transparent pixels must be black in the colour image, "
                        f"first wrong at {stray[:1]}: {stray and rows[stray[0][1]][stray[0][0]]}")
    bad = [(x, y) for x, y in opaque if rows[y][x] == MAGENTA or pinkish(rows[y][x])]
    f.expect(not bad, f"{label}: magenta-hued drawn pixels at {bad[:4]}")


def check_tray(path, pressed_path, f):
    tray = read_ico(path, [16, 32], f)
    pressed = read_ico(pressed_path, [16], f)
    if tray:
        for (rows, mask), size in zip(tray, (16, 32)):
            check_icon_image(f"tray.ico {size}px", rows, mask, f)
    if pressed:
        check_icon_image("tray_pressed.ico", *pressed[0], f)
    if not (tray and pressed):
        return
    (rows, mask), (prows, pmask) = tray[0], pressed[0]
    # Same silhouette, so it reads as the same icon ...
    both = sum(1 for y in range(16) for x in range(16) if not mask[y][x] and not pmask[y][x])
    either = sum(1 for y in range(16) for x in range(16) if not mask[y][x] or not pmask[y][x])
    f.expect(both >= 0.9 * either,
             f"tray_pressed.ico: shape overlaps the tray icon's by {both}/{either}, expected 90%")
    # ... but clearly darker and visibly changed.
    def mean(r, m):
        px = [luminance(r[y][x]) for y in range(16) for x in range(16) if not m[y][x]]
        return sum(px) / len(px)
    normal, sunk = mean(rows, mask), mean(prows, pmask)
    f.expect(sunk <= normal - 20, f"tray_pressed.ico: mean brightness {sunk:.0f}, expected at "
                                  f"least 20 below the tray icon's {normal:.0f}")
    changed = sum(1 for y in range(16) for x in range(16) if rows[y][x] != prows[y][x])
    f.expect(changed >= 64, f"tray_pressed.ico: only {changed} pixels differ from the tray icon")


def cells_of(rows, size):
    return [[row[i * size:(i + 1) * size] for row in rows] for i in range(COMMAND_COUNT)]


def check_strip(name, rows, size, f):
    cells = cells_of(rows, size)
    for i, cell in enumerate(cells):
        label = f"{name} icon {i} (command {i + 1})"
        drawn = sum(1 for row in cell for px in row if px != MAGENTA)
        f.expect(drawn >= size * size // 8,
                 f"{label}: {drawn} drawn pixels, expected at least {size * size // 8}")
        f.expect(drawn < size * size - 8, f"{label}: hardly any magenta background left ({drawn} drawn)")
        corners = [cell[0][0], cell[0][-1], cell[-1][0], cell[-1][-1]]
        f.expect(all(px == MAGENTA for px in corners), f"{label}: corners {corners}, expected magenta")
        bad = [(x, y) for y, row in enumerate(cell) for x, px in enumerate(row) if pinkish(px)]
        f.expect(not bad, f"{label}: pinkish pixels at {bad[:4]}: {[cell[y][x] for x, y in bad[:4]]}")
    for i in range(len(cells)):
        for j in range(i + 1, len(cells)):
            f.expect(cells[i] != cells[j], f"{name}: icons {i} and {j} are identical")
    return cells


def check_not_doubled(cells16, cells32, f):
    for i, (small, large) in enumerate(zip(cells16, cells32)):
        label = f"Orvalet.vga icon {i} (command {i + 1})"
        # A pixel-doubled picture is made of uniform 2x2 blocks.
        mixed = sum(1 for by in range(16) for bx in range(16)
                    if len({large[2 * by + dy][2 * bx + dx] for dy in (0, 1) for dx in (0, 1)}) > 1)
        f.expect(mixed >= 12, f"{label}: only {mixed} of 256 2x2 blocks are not uniform; "
                              "looks enlarged rather than drawn for 32 px")
        same = sum(1 for y in range(32) for x in range(32) if large[y][x] == small[y // 2][x // 2])
        f.expect(same <= 0.9 * 1024, f"{label}: {same} of 1024 pixels equal the doubled 16 px icon")


def check_banner(path, f):
    name = os.path.basename(path)
    data = open(path, "rb").read()
    if not f.expect(len(data) >= 54 and data[:2] == b"BM", f"{name}: not a BMP file"):
        return
    file_size, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    info = read_info_header(data, 14)
    expected = {"size": 40, "width": 1, "height": 17, "planes": 1, "bpp": 8, "compression": 0}
    ok = True
    for key, want in expected.items():
        ok &= f.expect(info[key] == want, f"{name}: {key} {info[key]}, expected {want}")
    ok &= f.expect(file_size == len(data), f"{name}: header file size {file_size}, file has {len(data)}")
    colours = info["colours_used"] or 256
    ok &= f.expect(1 <= colours <= 256 and offset == 54 + 4 * colours,
                   f"{name}: {colours} palette entries but pixels at {offset}")
    ok &= f.expect(len(data) == offset + 4 * 17, f"{name}: {len(data)} bytes, expected {offset + 68}")
    if not ok:
        return
    levels = []
    for y in range(17):
        index = data[offset + 4 * (16 - y)]  # rows are stored bottom-up, 4 bytes each
        if not f.expect(index < colours, f"{name}: row {y} uses palette index {index} of {colours}"):
            return
        b, g, r = data[54 + 4 * index:54 + 4 * index + 3]
        f.expect(r == g == b, f"{name}: row {y} is ({r},{g},{b}), not grey")
        levels.append(r)
    f.expect(levels == BANNER_LEVELS, f"{name}: grey levels {levels}, expected {BANNER_LEVELS}")


def check_installer(paths, f):
    small = {}
    for name in INSTALLER_ICONS:
        images = read_ico(paths[name], [16, 32], f)
        for (rows, mask), size in zip(images or [], (16, 32)):
            check_icon_image(f"{name} {size}px", rows, mask, f)
        if images:
            small[name] = images[0]
    for i, a in enumerate(small):
        for b in list(small)[i + 1:]:
            f.expect(small[a] != small[b], f"{a} and {b}: identical 16 px images")
    rule = read_bmp24(paths["rule.bmp"], 164, 2, f)
    if rule:
        left, right = rule[0][0], rule[0][-1]
        f.expect(left[2] > left[0] + 40, f"rule.bmp: left end {left} is not blue")
        f.expect(luminance(right) >= 235 > luminance(left),
                 f"rule.bmp: right end {right} should be near white, lighter than the left {left}")
        steps = [luminance(b) - luminance(a) for row in rule for a, b in zip(row, row[1:])]
        f.expect(min(steps) > -1, "rule.bmp: does not lighten steadily from left to right")
    panel = read_bmp24(paths["panel.bmp"], 238, 112, f)
    if panel:
        # Black text and an icon are drawn over it: every pixel stays a light blue.
        bad = [(x, y) for y, row in enumerate(panel) for x, px in enumerate(row)
               if luminance(px) < 160 or px[2] <= px[0]]
        f.expect(not bad, f"panel.bmp: pixels too dark or not blue for black text, first at "
                          f"{bad[:1]}: {bad and panel[bad[0][1]][bad[0][0]]}")
    cursor = read_cursor(paths["hand.cur"], 32, f)
    if cursor:
        hotspot, rows = cursor
        f.expect(hotspot == HAND_HOTSPOT, f"hand.cur: hot spot {hotspot}, expected {HAND_HOTSPOT}")
        x, y = hotspot
        f.expect(x < 32 and y < 32 and rows[y][x] in (True, False),
                 f"hand.cur: hot spot {hotspot} is on a transparent pixel, not the finger tip")
        cells = [px for row in rows for px in row]
        f.expect(False in cells and True in cells, "hand.cur: needs both a black outline and a white fill")
        f.expect("invert" not in cells, "hand.cur: transparent pixels with the XOR bit set invert the screen")
        f.expect(cells.count(None) >= 512 and rows[31][31] is None,
                 f"hand.cur: {cells.count(None)} transparent pixels, expected at least half")


def run(art_dir, vga, installer_dir):
    f = Failures()
    paths = {n: os.path.join(art_dir, n) for n in
             ("tray.ico", "tray_pressed.ico", "strip16.bmp", "banner.bmp")}
    paths["Orvalet.vga"] = vga
    paths.update((n, os.path.join(installer_dir, n)) for n in INSTALLER_FILES)
    present = [f.expect(os.path.isfile(p), f"missing: {p}") for p in paths.values()]
    if not all(present):
        return f.items, f.checks
    check_installer(paths, f)
    check_tray(paths["tray.ico"], paths["tray_pressed.ico"], f)
    check_banner(paths["banner.bmp"], f)
    strip16 = read_bmp24(paths["strip16.bmp"], 16 * COMMAND_COUNT, 16, f)
    strip32 = read_bmp24(vga, 32 * COMMAND_COUNT, 32, f)
    cells16 = check_strip("strip16.bmp", strip16, 16, f) if strip16 else None
    cells32 = check_strip("Orvalet.vga", strip32, 32, f) if strip32 else None
    if cells16 and cells32:
        check_not_doubled(cells16, cells32, f)
    return f.items, f.checks


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--art-dir", required=True)
    parser.add_argument("--vga", required=True)
    parser.add_argument("--installer-dir", required=True)
    args = parser.parse_args(argv)
    failures, checks = run(args.art_dir, args.vga, args.installer_dir)
    for line in failures:
        print("FAIL " + line)
    print(f"art check: {checks - len(failures)} of {checks} checks passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
