#!/usr/bin/env python3
"""Writes platform/oem_font_cp437.cc, the 8 x 16 CP437 raster font of OEM_FIXED_FONT,
and the Windows-1252 to CP437 byte map with which the ANSI stock fonts use its glyphs.

The glyphs come from Terminus Font's CP437 PCF (Debian package xfonts-terminus-dos).
Bytes that font leaves without a glyph are taken from the Unicode-encoded Terminus PCF
(package xfonts-terminus) through the CP437 -> Unicode mapping. Every glyph in the output
is commented with the file it came from. Python 3 standard library only.

    python3 tools/fonts/generate_oem_font.py [--cp437 PCF] [--unicode PCF] [--output CC]
"""

import argparse
import gzip
import os
import struct
import sys

CELL_WIDTH = 8
CELL_HEIGHT = 16

# PCF table types.
PCF_PROPERTIES = 1 << 0
PCF_ACCELERATORS = 1 << 1
PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_BDF_ACCELERATORS = 1 << 8

# PCF format word: low bits.
PCF_GLYPH_PAD_MASK = 3
PCF_BYTE_MASK = 1 << 2  # set: multi-byte integers and scan units are big-endian
PCF_BIT_MASK = 1 << 3  # set: the most significant bit of a byte is the leftmost pixel
PCF_SCAN_UNIT_MASK = 3 << 4
PCF_FORMAT_MASK = 0xFFFFFF00
PCF_DEFAULT_FORMAT = 0x00000000
PCF_COMPRESSED_METRICS = 0x00000100

NO_GLYPH = 0xFFFF

# CP437 puts pictures on the control codes; Python's cp437 codec maps them to controls.
CP437_CONTROL_PICTURES = [
    0x0000, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
]
CP437_HOUSE = 0x2302
# CP437 shows NUL as an empty cell; the Terminus CP437 PCF puts its missing-glyph box there.
BLANK_BYTES = {0x00}
EMPTY_CELL = "empty cell"


def cp437_to_unicode(byte):
    """The Unicode code point that CP437 shows for `byte`."""
    if byte < 0x20:
        return CP437_CONTROL_PICTURES[byte]
    if byte == 0x7F:
        return CP437_HOUSE
    return ord(bytes([byte]).decode("cp437"))


class PcfError(Exception):
    pass


class PcfFont:
    """A PCF bitmap font: its glyphs by encoding, its properties and its cell metrics."""

    def __init__(self, path):
        self.path = path
        self.name = os.path.basename(path)
        with gzip.open(path, "rb") if path.endswith(".gz") else open(path, "rb") as f:
            self.data = f.read()
        if self.data[:4] != b"\x01fcp":
            raise PcfError(f"{path}: not a PCF file")
        (count,) = struct.unpack_from("<i", self.data, 4)
        self.tables = {}
        for i in range(count):
            kind, fmt, size, offset = struct.unpack_from("<iiii", self.data, 8 + 16 * i)
            self.tables[kind] = (fmt, size, offset)
        self.properties = self._read_properties()
        self.font_ascent, self.font_descent = self._read_accelerators()
        self.metrics = self._read_metrics()
        self.bitmaps = self._read_bitmaps()
        self.encoding = self._read_encodings()

    def _table(self, kind):
        if kind not in self.tables:
            raise PcfError(f"{self.path}: no table of type {kind:#x}")
        fmt, size, offset = self.tables[kind]
        (stored_fmt,) = struct.unpack_from("<i", self.data, offset)
        if stored_fmt != fmt:
            raise PcfError(f"{self.path}: table {kind:#x} format disagrees with the TOC")
        order = ">" if fmt & PCF_BYTE_MASK else "<"
        return fmt, order, offset + 4

    def _read_properties(self):
        _, order, pos = self._table(PCF_PROPERTIES)
        (count,) = struct.unpack_from(order + "i", self.data, pos)
        pos += 4
        raw = [struct.unpack_from(order + "ibi", self.data, pos + 9 * i) for i in range(count)]
        pos += 9 * count
        pos += (4 - (count & 3)) & 3
        (strings_size,) = struct.unpack_from(order + "i", self.data, pos)
        strings = self.data[pos + 4:pos + 4 + strings_size]

        def string_at(offset):
            return strings[offset:strings.index(b"\0", offset)].decode("latin-1")

        return {string_at(name): (string_at(value) if is_string else value)
                for name, is_string, value in raw}

    def _read_accelerators(self):
        kind = PCF_BDF_ACCELERATORS if PCF_BDF_ACCELERATORS in self.tables else PCF_ACCELERATORS
        _, order, pos = self._table(kind)
        ascent, descent = struct.unpack_from(order + "ii", self.data, pos + 8)
        return ascent, descent

    def _read_metrics(self):
        fmt, order, pos = self._table(PCF_METRICS)
        metrics = []
        if fmt & PCF_FORMAT_MASK == PCF_COMPRESSED_METRICS:
            (count,) = struct.unpack_from(order + "h", self.data, pos)
            pos += 2
            for i in range(count):
                values = [b - 0x80 for b in self.data[pos + 5 * i:pos + 5 * i + 5]]
                metrics.append(tuple(values))
        elif fmt & PCF_FORMAT_MASK == PCF_DEFAULT_FORMAT:
            (count,) = struct.unpack_from(order + "i", self.data, pos)
            pos += 4
            for i in range(count):
                values = struct.unpack_from(order + "hhhhhH", self.data, pos + 12 * i)
                metrics.append(tuple(values[:5]))
        else:
            raise PcfError(f"{self.path}: unknown metrics format {fmt:#x}")
        # (left bearing, right bearing, advance width, ascent, descent) per glyph
        return metrics

    def _read_bitmaps(self):
        fmt, order, pos = self._table(PCF_BITMAPS)
        (count,) = struct.unpack_from(order + "i", self.data, pos)
        pos += 4
        offsets = struct.unpack_from(order + f"{count}i", self.data, pos)
        pos += 4 * count
        sizes = struct.unpack_from(order + "4i", self.data, pos)
        pos += 16
        data = bytearray(self.data[pos:pos + sizes[fmt & PCF_GLYPH_PAD_MASK]])
        if not fmt & PCF_BIT_MASK:
            data = bytearray(int(f"{b:08b}"[::-1], 2) for b in data)
        scan_unit = 1 << ((fmt & PCF_SCAN_UNIT_MASK) >> 4)
        if bool(fmt & PCF_BYTE_MASK) != bool(fmt & PCF_BIT_MASK) and scan_unit > 1:
            for i in range(0, len(data) - scan_unit + 1, scan_unit):
                data[i:i + scan_unit] = data[i:i + scan_unit][::-1]
        self.row_pad = 1 << (fmt & PCF_GLYPH_PAD_MASK)
        return [(offset, bytes(data)) for offset in offsets]

    def _read_encodings(self):
        _, order, pos = self._table(PCF_BDF_ENCODINGS)
        min2, max2, min1, max1, self.default_char = struct.unpack_from(
            order + "5h", self.data, pos)
        pos += 10
        columns = max2 - min2 + 1
        count = columns * (max1 - min1 + 1)
        indices = struct.unpack_from(order + f"{count}H", self.data, pos)
        encoding = {}
        for i, glyph in enumerate(indices):
            if glyph != NO_GLYPH:
                encoding[((min1 + i // columns) << 8) | (min2 + i % columns)] = glyph
        return encoding

    def cell(self, code):
        """The glyph for `code` as CELL_HEIGHT row bytes (MSB = left), or None."""
        glyph = self.encoding.get(code)
        if glyph is None:
            return None
        left, right, _width, ascent, descent = self.metrics[glyph]
        offset, data = self.bitmaps[glyph]
        stride = (((right - left) + 7) // 8 + self.row_pad - 1) // self.row_pad * self.row_pad
        rows = [0] * CELL_HEIGHT
        for r in range(ascent + descent):
            y = self.font_ascent - ascent + r
            for x in range(right - left):
                bit = data[offset + r * stride + x // 8] & (0x80 >> (x % 8))
                if not bit:
                    continue
                cx = left + x
                if not (0 <= y < CELL_HEIGHT and 0 <= cx < CELL_WIDTH):
                    raise PcfError(f"{self.name}: glyph {code:#x} leaves the "
                                   f"{CELL_WIDTH} x {CELL_HEIGHT} cell")
                rows[y] |= 0x80 >> cx
        return rows


def check_cell_font(font):
    if font.font_ascent + font.font_descent != CELL_HEIGHT:
        raise PcfError(f"{font.name}: cells are {font.font_ascent + font.font_descent} "
                       f"pixels high, not {CELL_HEIGHT}")
    if font.properties.get("SPACING") not in ("C", "M"):
        raise PcfError(f"{font.name}: not a fixed-pitch font")


def ansi_to_oem(byte, default_char):
    """The CP437 byte showing what Windows-1252 `byte` is, or `default_char`."""
    if byte < 0x20 or byte == 0x7F:
        return default_char
    try:
        return bytes([byte]).decode("cp1252").encode("cp437")[0]
    except UnicodeError:
        return default_char


def build_glyphs(cp437_font, unicode_font):
    """Returns [(rows, source file, code point)] for the 256 bytes."""
    glyphs = []
    for byte in range(256):
        code_point = cp437_to_unicode(byte)
        if byte in BLANK_BYTES:
            glyphs.append(([0] * CELL_HEIGHT, EMPTY_CELL, code_point))
            continue
        rows = cp437_font.cell(byte)
        source = cp437_font.name
        if rows is None and unicode_font is not None:
            rows = unicode_font.cell(code_point)
            source = unicode_font.name
        if rows is None:
            raise PcfError(f"no glyph for byte {byte:#04x} (U+{code_point:04X})")
        glyphs.append((rows, source, code_point))
    return glyphs


def render_source(cp437_font, glyphs):
    props = cp437_font.properties
    sources = sorted({source for _, source, _ in glyphs},
                     key=lambda s: (s != cp437_font.name, s))
    counts = ", ".join(
        f"{sum(1 for g in glyphs if g[1] == s)} {'left empty' if s == EMPTY_CELL else 'from ' + s}"
        for s in sources)
    lines = [
        "// Generated by tools/fonts/generate_oem_font.py; do not edit.",
        f"// Glyphs of {props.get('FONT', cp437_font.name)}",
        f"// ({counts}).",
        f"// {props.get('COPYRIGHT', '')}. {props.get('NOTICE', '')}:",
        "// see licenses/Terminus-OFL-1.1.txt and tools/fonts/README.md.",
        '#include "platform/oem_font.h"',
        "",
        "namespace win32_subset {",
        "",
        f"const int kOemFontAscent = {cp437_font.font_ascent};",
        f"const uint8_t kOemFontDefaultChar = 0x{cp437_font.default_char:02X};",
        "",
        f"const uint8_t kOemFontGlyphs[256][kOemFontHeight] = {{",
    ]
    for byte, (rows, source, code_point) in enumerate(glyphs):
        values = ", ".join(f"0x{r:02X}" for r in rows)
        lines.append(f"    {{{values}}},  // 0x{byte:02X} U+{code_point:04X} {source}")
    lines += [
        "};",
        "",
        "// Windows-1252 byte -> CP437 byte of the same character, else the default character.",
        "const uint8_t kAnsiToOem[256] = {",
    ]
    for row in range(0, 256, 16):
        values = ", ".join(f"0x{ansi_to_oem(b, cp437_font.default_char):02X}"
                           for b in range(row, row + 16))
        lines.append(f"    {values},  // 0x{row:02X}")
    lines += ["};", "", "}  // namespace win32_subset", ""]
    return "\n".join(lines)


def main(argv):
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cp437", default="/usr/share/fonts/X11/misc/ter-u16n_ibm437.pcf.gz")
    parser.add_argument("--unicode",
                        default="/usr/share/fonts/X11/misc/ter-u16n_unicode.pcf.gz")
    parser.add_argument("--output", default=os.path.join(root, "platform", "oem_font_cp437.cc"))
    args = parser.parse_args(argv)

    cp437_font = PcfFont(args.cp437)
    check_cell_font(cp437_font)
    unicode_font = None
    if os.path.exists(args.unicode):
        unicode_font = PcfFont(args.unicode)
        check_cell_font(unicode_font)
    glyphs = build_glyphs(cp437_font, unicode_font)
    with open(args.output, "w", encoding="ascii", newline="\n") as out:
        out.write(render_source(cp437_font, glyphs))
    for byte, (_, source, code_point) in enumerate(glyphs):
        if source != cp437_font.name:
            print(f"0x{byte:02X} U+{code_point:04X} from {source}")
    print(f"wrote {args.output}")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1:]))
    except (OSError, PcfError) as error:
        print(f"generate_oem_font.py: {error}", file=sys.stderr)
        sys.exit(1)
