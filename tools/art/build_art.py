#!/usr/bin/env python3
"""Turns Orvalet's SVG artwork into the bitmap files the device program uses.

  build_art.py --rsvg PATH icon   OUT.ico SVG [SVG ...]   one image per SVG
  build_art.py --rsvg PATH strip  OUT.bmp LIST SVGDIR      command icon strip
  build_art.py --rsvg PATH banner OUT.bmp SVG              8-bit grey banner
  build_art.py --rsvg PATH appicon OUT.ico SVG16 SVG32     package icon: 16 px at
                                                           16 colours, 32 px at 24 bits
  build_art.py --rsvg PATH picture OUT.bmp SVG             opaque 24-bit picture
  build_art.py --rsvg PATH cursor OUT.cur SVG --hotspot X Y
                                                           monochrome cursor

Every SVG is rendered at its own declared size (a 32 px icon is drawn for
32 px, never scaled from the 16 px one). Windows CE reads neither PNG icons
nor alpha channels, so the output is plain 24-bit BI_RGB: a pixel is either
opaque or transparent (magenta in strips, AND-mask bit in icons). Half-covered
edge pixels are flattened onto a light neutral grey, never onto the key
colour, so no pink fringe can appear whatever the menu background is.

A strip holds one icon per row of the program's command list
(device/menu/CommandList.h), in its order. Only the Python standard library
and rsvg-convert are used; the output depends on nothing but the sources, so
two builds give identical bytes.
"""
import argparse
import os
import re
import struct
import subprocess
import sys
import zlib

sys.dont_write_bytecode = True  # the build leaves no __pycache__ in the source tree
from command_list import CommandListError, read_commands  # noqa: E402

MAGENTA = (255, 0, 255)
# Coverage from which an edge pixel counts as part of the drawing.
ALPHA_THRESHOLD = 128
# Grey that partly covered edge pixels are flattened onto: between the white
# menu background and the grey-200 icon column, so edges suit both.
MATTE = (228, 228, 228)


class ArtError(Exception):
    pass


# ---------------------------------------------------------------- rendering

def svg_size(path):
    """Width and height declared on the root <svg> element, in pixels."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    root = re.search(r"<svg\b[^>]*>", text, re.S)
    if not root:
        raise ArtError(f"{path}: no <svg> element")
    dims = []
    for name in ("width", "height"):
        m = re.search(r'\s%s="(\d+)(?:px)?"' % name, root.group(0))
        if not m:
            raise ArtError(f"{path}: root element needs a plain pixel {name}")
        dims.append(int(m.group(1)))
    return tuple(dims)


def render_svg(rsvg, path):
    """Renders one SVG at its declared size; returns (width, height, RGBA rows)."""
    width, height = svg_size(path)
    try:
        result = subprocess.run([rsvg, "--format=png", path], check=False,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    except OSError as e:
        raise ArtError(f"cannot run {rsvg}: {e}")
    if result.returncode != 0:
        raise ArtError(f"{rsvg} failed on {path}: {result.stderr.decode(errors='replace')}")
    w, h, rows = decode_png(result.stdout)
    if (w, h) != (width, height):
        raise ArtError(f"{path}: rendered {w}x{h}, declared {width}x{height}")
    return w, h, rows


def decode_png(data):
    """Decodes an 8-bit RGB or RGBA, non-interlaced PNG into rows of RGBA tuples."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ArtError("renderer did not produce a PNG")
    pos, idat, header = 8, [], None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat.append(body)
        elif kind == b"IEND":
            break
        pos += 12 + length
    if header is None:
        raise ArtError("PNG without header")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ArtError(f"unsupported PNG form: depth {depth}, colour type {colour}, interlace {interlace}")
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(b"".join(idat))
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind = raw[start]
        line = bytearray(raw[start + 1:start + 1 + stride])
        unfilter(kind, line, prev, channels)
        pixels = []
        for x in range(width):
            px = tuple(line[x * channels:(x + 1) * channels])
            pixels.append(px if channels == 4 else px + (255,))
        rows.append(pixels)
        prev = line
    return width, height, rows


def unfilter(kind, line, prev, bpp):
    for i in range(len(line)):
        left = line[i - bpp] if i >= bpp else 0
        up = prev[i]
        upleft = prev[i - bpp] if i >= bpp else 0
        if kind == 0:
            pred = 0
        elif kind == 1:
            pred = left
        elif kind == 2:
            pred = up
        elif kind == 3:
            pred = (left + up) >> 1
        elif kind == 4:
            p = left + up - upleft
            pa, pb, pc = abs(p - left), abs(p - up), abs(p - upleft)
            pred = left if pa <= pb and pa <= pc else (up if pb <= pc else upleft)
        else:
            raise ArtError(f"bad PNG filter {kind}")
        line[i] = (line[i] + pred) & 0xFF


def flatten(rows):
    """RGBA rows -> rows of RGB tuples or None (transparent)."""
    out = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            if a < ALPHA_THRESHOLD:
                line.append(None)
                continue
            rgb = tuple((c * a + m * (255 - a) + 127) // 255 for c, m in zip((r, g, b), MATTE))
            if rgb == MAGENTA:  # a drawn pixel must never read as the key colour
                rgb = (254, 0, 254)
            line.append(rgb)
        out.append(line)
    return out


# ---------------------------------------------------------------- file forms

def bmp24_rows(rows):
    """Bottom-up BGR rows, each padded to 4 bytes; None becomes magenta."""
    out = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for px in row:
            r, g, b = px if px is not None else MAGENTA
            line += bytes((b, g, r))
        line += b"\0" * (-len(line) % 4)
        out += line
    return bytes(out)


def info_header(width, height, bpp, image_size, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size,
                       2835, 2835, colours, colours)


def write_bmp24(path, rows):
    pixels = bmp24_rows(rows)
    info = info_header(len(rows[0]), len(rows), 24, len(pixels))
    offset = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    write_file(path, head + info + pixels)


def write_bmp8_grey(path, levels):
    """A 1-pixel-wide 8-bit bitmap over a 256-entry grey ramp (index = level)."""
    palette = b"".join(bytes((i, i, i, 0)) for i in range(256))
    pixels = b"".join(bytes((lv,)) + b"\0\0\0" for lv in reversed(levels))
    info = info_header(1, len(levels), 8, len(pixels), 256)
    offset = 14 + len(info) + len(palette)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    write_file(path, head + info + palette + pixels)


def ico_image(rows):
    size = len(rows)
    colour = bmp24_rows([[px if px is not None else (0, 0, 0) for px in row] for row in rows])
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray((size + 7) // 8)
        for x, px in enumerate(row):
            if px is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        bits += b"\0" * (-len(bits) % 4)
        mask += bits
    # Icon images carry twice the height: the colour rows, then the mask rows.
    return info_header(size, 2 * size, 24, len(colour) + len(mask)) + colour + bytes(mask)


# The sixteen standard colours of a 4-bit image, in their usual order.
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def mask_rows(rows):
    """AND-mask rows, bottom-up, a set bit for each transparent pixel."""
    size = len(rows)
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray((size + 7) // 8)
        for x, px in enumerate(row):
            if px is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        bits += b"\0" * (-len(bits) % 4)
        mask += bits
    return bytes(mask)


def ico_image16(rows):
    """A 4-bit icon image over the standard palette; each pixel takes the
    nearest of its colours (the drawing for it uses them exactly)."""
    size = len(rows)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, size, 2):
            pair = []
            for px in row[x:x + 2]:
                if px is None:
                    pair.append(0)
                else:
                    pair.append(min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(px, VGA16[i]))))
            line.append(pair[0] << 4 | (pair[1] if len(pair) > 1 else 0))
        line += b"\0" * (-len(line) % 4)
        pixels += line
    mask = mask_rows(rows)
    return (info_header(size, 2 * size, 4, len(pixels) + len(mask), 16) + palette + bytes(pixels) + mask)


def write_ico(path, images, depths=None):
    """images: rows per image; depths: 24 (default) or 4 bits per image."""
    depths = depths or [24] * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries, bodies = b"", b""
    for rows, depth in zip(images, depths):
        size = len(rows)
        if size != len(rows[0]) or size > 255:
            raise ArtError(f"{path}: icon images must be square and smaller than 256")
        body = ico_image16(rows) if depth == 4 else ico_image(rows)
        colours = 16 if depth == 4 else 0
        entries += struct.pack("<BBBBHHII", size, size, colours, 0, 1, depth, len(body), offset)
        bodies += body
        offset += len(body)
    write_file(path, head + entries + bodies)


def write_cursor(path, rows, hotspot):
    """A one-image monochrome cursor. rows hold None (transparent) or True for
    a white pixel, False for a black one; hotspot is (x, y) from the top left."""
    size = len(rows)
    if size != len(rows[0]) or size > 255:
        raise ArtError(f"{path}: a cursor image must be square and smaller than 256")
    x, y = hotspot
    if not (0 <= x < size and 0 <= y < size) or rows[y][x] is None:
        raise ArtError(f"{path}: hot spot {x},{y} is not on a drawn pixel")
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    stride = ((size + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for i, px in enumerate(row):
            if px:
                bits[i // 8] |= 0x80 >> (i % 8)
        xor += bits
    mask = mask_rows(rows)
    # As in icons: the colour (here XOR) rows, then the AND mask, under twice the height.
    body = info_header(size, 2 * size, 1, len(xor) + len(mask), 2) + palette + bytes(xor) + mask
    # A cursor's directory entry holds the hot spot where an icon's has planes and depth.
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, x, y, len(body), len(head) + 16)
    write_file(path, head + entry + body)


def write_file(path, data):
    # Write beside the target and rename, so an interrupted build never leaves
    # a half file that looks up to date.
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


# ---------------------------------------------------------------- products

def strip_names(command_list):
    """Drawing names in icon strip order, from the program's command list."""
    try:
        return [row.art for row in read_commands(command_list)]
    except CommandListError as e:
        raise ArtError(str(e))


def build_icon(rsvg, out, svgs, depths=None):
    images = []
    for svg in svgs:
        w, h, rows = render_svg(rsvg, svg)
        if w != h:
            raise ArtError(f"{svg}: an icon image must be square")
        images.append(flatten(rows))
    write_ico(out, images, depths)


def build_strip(rsvg, out, command_list, svg_dir):
    cells, size = [], None
    for name in strip_names(command_list):
        svg = os.path.join(svg_dir, name + ".svg")
        w, h, rows = render_svg(rsvg, svg)
        if w != h or (size is not None and w != size):
            raise ArtError(f"{svg}: {w}x{h} does not fit a strip of {size} px cells")
        size = w
        cells.append(flatten(rows))
    strip = [sum((cell[y] for cell in cells), []) for y in range(size)]
    write_bmp24(out, strip)


def build_banner(rsvg, out, svg):
    w, h, rows = render_svg(rsvg, svg)
    if w != 1:
        raise ArtError(f"{svg}: the banner is one pixel wide")
    levels = []
    for y, ((r, g, b, a),) in enumerate(rows):
        if a != 255 or not r == g == b:
            raise ArtError(f"{svg}: row {y} is not an opaque grey ({r},{g},{b},{a})")
        levels.append(r)
    write_bmp8_grey(out, levels)


def build_picture(rsvg, out, svg):
    """An opaque picture of a page (the drawing paints its own background)."""
    w, h, rows = render_svg(rsvg, svg)
    for y, row in enumerate(rows):
        for x, (r, g, b, a) in enumerate(row):
            if a != 255:
                raise ArtError(f"{svg}: pixel {x},{y} is not opaque: a page picture paints its background")
    write_bmp24(out, [[(r, g, b) for r, g, b, a in row] for row in rows])


def build_cursor(rsvg, out, svg, hotspot):
    """Covered pixels are opaque (AND 0), the rest let the screen through; an
    opaque pixel is white if light, black if dark."""
    w, h, rows = render_svg(rsvg, svg)
    if w != h:
        raise ArtError(f"{svg}: a cursor image must be square")
    mono = [[None if a < ALPHA_THRESHOLD else (r * 299 + g * 587 + b * 114) >= 128000
             for r, g, b, a in row] for row in rows]
    write_cursor(out, mono, hotspot)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--rsvg", default="rsvg-convert", help="rsvg-convert program")
    sub = parser.add_subparsers(dest="what", required=True)
    p = sub.add_parser("icon")
    p.add_argument("out")
    p.add_argument("svgs", nargs="+")
    p = sub.add_parser("strip")
    p.add_argument("out")
    p.add_argument("command_list")
    p.add_argument("svg_dir")
    p = sub.add_parser("appicon")
    p.add_argument("out")
    p.add_argument("svg16")
    p.add_argument("svg32")
    p = sub.add_parser("banner")
    p.add_argument("out")
    p.add_argument("svg")
    p = sub.add_parser("picture")
    p.add_argument("out")
    p.add_argument("svg")
    p = sub.add_parser("cursor")
    p.add_argument("out")
    p.add_argument("svg")
    p.add_argument("--hotspot", nargs=2, type=int, required=True, metavar=("X", "Y"))
    args = parser.parse_args(argv)
    try:
        if args.what == "icon":
            build_icon(args.rsvg, args.out, args.svgs)
        elif args.what == "appicon":
            build_icon(args.rsvg, args.out, [args.svg16, args.svg32], [4, 24])
        elif args.what == "strip":
            build_strip(args.rsvg, args.out, args.command_list, args.svg_dir)
        elif args.what == "picture":
            build_picture(args.rsvg, args.out, args.svg)
        elif args.what == "cursor":
            build_cursor(args.rsvg, args.out, args.svg, tuple(args.hotspot))
        else:
            build_banner(args.rsvg, args.out, args.svg)
    except (ArtError, OSError) as e:
        print(f"build_art: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
