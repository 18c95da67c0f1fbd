#!/usr/bin/env python3
"""Turns Quillon's text-art pictures into what the build needs.

  art2bmp.py bmp PICTURE.art OUT.bmp      one bitmap resource (24-bit, or 8-bit with a 256-colour palette)
  art2bmp.py cpp OUT.cpp LIST.art...      the pixel tables behind the run-time image lists

An art file holds one header line, a palette legend and the pictures, one character a pixel:

  list Glyph 16x16 capacity 19            an image list (name as in GlyphSet) ...
  bitmap 100 34x34 depth 24               ... or one bitmap resource
  key #FF00FF                             optional: the bottom-left pixel of every picture must be this colour
  palette
  .  transparent
  K  #000000  black
  image 0 name                            followed by one row of characters per pixel row
  image 1 name = other.art 16             the very picture of index 16 in other.art

Blank lines and lines starting with '#' are comments (outside a picture's rows).
"""

import argparse
import re
import struct
import sys
from pathlib import Path

TRANSPARENT = None


class ArtError(Exception):
    pass


class Art:
    def __init__(self, path):
        self.path = Path(path)
        self.kind = None  # "list" or "bitmap"
        self.name = None
        self.width = self.height = 0
        self.capacity = 0
        self.depth = 24
        self.key = None
        self.palette = {}  # char -> (r, g, b) or TRANSPARENT
        self.images = []  # (index, name, rows of (r, g, b) or TRANSPARENT)


def parse_colour(text, where):
    if not re.fullmatch(r"#[0-9A-Fa-f]{6}", text):
        raise ArtError(f"{where}: colour must be #RRGGBB, not {text!r}")
    return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))


def parse_size(text, where):
    m = re.fullmatch(r"(\d+)x(\d+)", text)
    if not m:
        raise ArtError(f"{where}: size must be WIDTHxHEIGHT, not {text!r}")
    return int(m.group(1)), int(m.group(2))


def load(path, _seen=None):
    seen = set(_seen or ())
    path = Path(path)
    if path.resolve() in seen:
        raise ArtError(f"{path}: pictures refer to each other in a circle")
    seen.add(path.resolve())
    art = Art(path)
    lines = path.read_text().splitlines()
    i = 0
    in_palette = False

    def where():
        return f"{path}:{i + 1}"

    while i < len(lines):
        line = lines[i].rstrip()
        words = line.split()
        if not words or line.startswith("#"):
            i += 1
            continue
        head = words[0]
        if head == "list" and len(words) == 5 and words[3] == "capacity":
            art.kind, art.name = "list", words[1]
            art.width, art.height = parse_size(words[2], where())
            art.capacity = int(words[4])
            in_palette = False
        elif head == "bitmap" and len(words) == 5 and words[3] == "depth":
            art.kind, art.name = "bitmap", words[1]
            art.width, art.height = parse_size(words[2], where())
            art.depth = int(words[4])
            if art.depth not in (8, 24):
                raise ArtError(f"{where()}: a bitmap is 8 or 24 bits deep")
            in_palette = False
        elif head == "key" and len(words) == 2:
            art.key = parse_colour(words[1], where())
            in_palette = False
        elif head == "palette" and len(words) == 1:
            in_palette = True
        elif head == "image":
            in_palette = False
            i = read_image(art, lines, i, seen)
            continue
        elif in_palette and len(head) == 1 and len(words) >= 2:
            if head in art.palette:
                raise ArtError(f"{where()}: {head!r} is in the palette twice")
            art.palette[head] = TRANSPARENT if words[1] == "transparent" else parse_colour(words[1], where())
        else:
            raise ArtError(f"{where()}: cannot read {line!r}")
        i += 1
    check(art)
    return art


def read_image(art, lines, i, seen):
    where = f"{art.path}:{i + 1}"
    if art.kind is None:
        raise ArtError(f"{where}: a picture before the list or bitmap line")
    m = re.fullmatch(r"image\s+(\d+)\s+(\S+)(?:\s*=\s*(\S+)\s+(\d+))?", lines[i].strip())
    if not m:
        raise ArtError(f"{where}: expected 'image INDEX NAME' or 'image INDEX NAME = FILE INDEX'")
    index, name = int(m.group(1)), m.group(2)
    if m.group(3):
        other = load(art.path.parent / m.group(3), seen)
        wanted = int(m.group(4))
        found = [rows for idx, _, rows in other.images if idx == wanted]
        if not found or (other.width, other.height) != (art.width, art.height):
            raise ArtError(f"{where}: {m.group(3)} has no picture {wanted} of size {art.width}x{art.height}")
        art.images.append((index, name, found[0]))
        return i + 1
    rows = []
    for r in range(art.height):
        k = i + 1 + r
        text = lines[k].rstrip() if k < len(lines) else ""
        if len(text) != art.width:
            raise ArtError(f"{art.path}:{k + 1}: row {r} of picture {index} is {len(text)} wide, not {art.width}")
        unknown = set(text) - set(art.palette)
        if unknown:
            raise ArtError(f"{art.path}:{k + 1}: {''.join(sorted(unknown))!r} not in the palette")
        rows.append([art.palette[c] for c in text])
    art.images.append((index, name, rows))
    return i + 1 + art.height


def check(art):
    if art.kind is None:
        raise ArtError(f"{art.path}: no list or bitmap line")
    indices = [idx for idx, _, _ in art.images]
    if indices != list(range(len(indices))) or not indices:
        raise ArtError(f"{art.path}: pictures must be numbered 0, 1, 2, ... in order")
    if art.kind == "list" and len(indices) > art.capacity:
        raise ArtError(f"{art.path}: {len(indices)} pictures exceed the capacity {art.capacity}")
    if art.kind == "bitmap":
        if len(indices) != 1:
            raise ArtError(f"{art.path}: a bitmap holds exactly one picture")
        if TRANSPARENT in art.palette.values():
            raise ArtError(f"{art.path}: a bitmap resource has no transparent pixels")
        if art.depth == 8 and len(art.palette) > 256:
            raise ArtError(f"{art.path}: more than 256 colours for an 8-bit bitmap")
    if art.key is not None:
        for idx, _, rows in art.images:
            if rows[-1][0] != art.key:
                raise ArtError(f"{art.path}: bottom-left pixel of picture {idx} is not the key colour")


def bmp_bytes(art):
    rows = art.images[0][2]
    w, h = art.width, art.height
    if art.depth == 24:
        palette_bytes = b""
        stride = (w * 3 + 3) & ~3
        body = b"".join(
            bytes(c for px in row for c in (px[2], px[1], px[0])).ljust(stride, b"\0") for row in reversed(rows)
        )
        colours_used = 0
    else:
        colours = list(dict.fromkeys(art.palette.values()))
        slot = {colour: n for n, colour in enumerate(colours)}
        palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in colours).ljust(256 * 4, b"\0")
        stride = (w + 3) & ~3
        body = b"".join(bytes(slot[px] for px in row).ljust(stride, b"\0") for row in reversed(rows))
        colours_used = 256
    offset = 14 + 40 + len(palette_bytes)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, art.depth, 0, len(body), 2835, 2835, colours_used, 0)
    return file_header + info + palette_bytes + body


def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def pixel_word(px):
    # Transparent pixels carry no colour: the lists store them black under the mask.
    return "0x00000000" if px is TRANSPARENT else "0xFF%02X%02X%02X" % px


def cpp_source(arts):
    out = [
        "// Generated by art2bmp.py from the .art files in resources/art; edit those, not this.",
        '#include "Glyphs.h"',
        "",
        "namespace {",
    ]
    for art in arts:
        for idx, _, rows in art.images:
            words = [pixel_word(px) for row in rows for px in row]
            out.append(f"constexpr std::uint32_t k{art.name}{idx}[] = {{")
            out += ["    " + ", ".join(words[k : k + art.width]) + "," for k in range(0, len(words), art.width)]
            out.append("};")
        out.append(f"constexpr GlyphPicture k{art.name}Pictures[] = {{")
        out += [f"    {{{c_string(name)}, k{art.name}{idx}}}," for idx, name, _ in art.images]
        out.append("};")
        out.append(
            f"constexpr GlyphSetArt k{art.name}Art = {{{c_string(art.name)}, {art.width}, {art.height}, "
            f"{art.capacity}, {len(art.images)}, k{art.name}Pictures}};"
        )
    out += ["}  // namespace", "", "const GlyphSetArt& GlyphArt(GlyphSet set) {", "  switch (set) {"]
    for art in arts[:-1]:
        out += [f"    case GlyphSet::{art.name}:", f"      return k{art.name}Art;"]
    out += ["    default:", f"      return k{arts[-1].name}Art;", "  }", "}", ""]
    return "\n".join(out)


def constant_name(prefix, name):
    return "k" + prefix + "".join(part.capitalize() for part in name.split("-"))


def index_header(arts):
    out = [
        "// Generated by art2bmp.py from the .art files in resources/art; edit those, not this.",
        "// The index of every picture in its image list, named as the art names it.",
        "#pragma once",
        "",
    ]
    for art in arts:
        out.append(f"enum T{art.name}Index : int {{")
        out += [f"  {constant_name(art.name, name)} = {idx}," for idx, name, _ in art.images]
        out += ["};", ""]
    return "\n".join(out)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="what", required=True)
    bmp = sub.add_parser("bmp")
    bmp.add_argument("art")
    bmp.add_argument("out")
    cpp = sub.add_parser("cpp")
    cpp.add_argument("out")
    cpp.add_argument("header")
    cpp.add_argument("arts", nargs="+")
    args = parser.parse_args(argv)
    try:
        if args.what == "bmp":
            art = load(args.art)
            if art.kind != "bitmap":
                raise ArtError(f"{art.path}: not a bitmap")
            Path(args.out).write_bytes(bmp_bytes(art))
        else:
            arts = [load(a) for a in args.arts]
            if any(a.kind != "list" for a in arts):
                raise ArtError("only image lists make pixel tables")
            Path(args.out).write_text(cpp_source(arts))
            Path(args.header).write_text(index_header(arts))
    except (ArtError, OSError) as e:
        print(f"art2bmp: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
