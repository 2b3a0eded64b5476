#!/usr/bin/env python3
"""Writes a folder of varied CP437 text art for bench/compare.sh.

    bench/make_corpus.py FOLDER [COUNT]    (COUNT defaults to 100)

Files are .nfo, .asc and .diz: framed release notes, block-letter logos, shaded
panels and plain text, 80 to 160 columns wide and 25 to 400 lines long, some with CR LF
line ends and some with LF. The same arguments always write the same files.
"""
import random
import sys
from pathlib import Path

BLOCKS = bytes([0xDB, 0xDC, 0xDF, 0xDD, 0xDE])
SHADES = bytes([0xB0, 0xB1, 0xB2, 0xDB])
DOUBLE = {"tl": 0xC9, "tr": 0xBB, "bl": 0xC8, "br": 0xBC, "h": 0xCD, "v": 0xBA}
SINGLE = {"tl": 0xDA, "tr": 0xBF, "bl": 0xC0, "br": 0xD9, "h": 0xC4, "v": 0xB3}
WORDS = ("release group presents crack patch keygen greets members courier supplier "
         "date size disks protection notes install unpack burn play enjoy support "
         "original the of and for with from this our new").split()


def text_line(rng, width):
    words = []
    while sum(len(w) + 1 for w in words) < width * rng.uniform(0.3, 0.9):
        words.append(rng.choice(WORDS))
    return " ".join(words).encode()[:width]


def framed(rng, width, lines):
    box = rng.choice((DOUBLE, SINGLE))
    inner = width - 4
    out = [b"  " + bytes([box["tl"]]) + bytes([box["h"]]) * (inner - 2) + bytes([box["tr"]])]
    for _ in range(lines - 2):
        body = text_line(rng, inner - 4).center(inner - 2)
        out.append(b"  " + bytes([box["v"]]) + body + bytes([box["v"]]))
    out.append(b"  " + bytes([box["bl"]]) + bytes([box["h"]]) * (inner - 2) + bytes([box["br"]]))
    return out


def logo(rng, width):
    letters = rng.randint(3, max(3, width // 10))
    out = []
    for row in range(rng.randint(5, 8)):
        line = bytearray(b" " * rng.randint(0, 6))
        for _ in range(letters):
            for _ in range(rng.randint(4, 7)):
                line.append(rng.choice(BLOCKS) if rng.random() < 0.6 else 0x20)
            line += b" "
        out.append(bytes(line[:width]).rstrip())
    return out


def shaded(rng, width, lines):
    out = []
    for y in range(lines):
        line = bytearray()
        for x in range(width):
            level = (x + y * rng.randint(1, 3)) % (2 * len(SHADES))
            line.append(SHADES[min(level, 2 * len(SHADES) - 1 - level)])
        out.append(bytes(line).rstrip())
    return out


def art(rng, width, rows):
    lines = []
    while len(lines) < rows:
        kind = rng.random()
        if kind < 0.25:
            lines += logo(rng, width)
        elif kind < 0.5:
            lines += framed(rng, width, rng.randint(4, 20))
        elif kind < 0.65:
            lines += shaded(rng, width, rng.randint(2, 10))
        elif kind < 0.8:
            lines.append(b"")
        else:
            lines += [text_line(rng, width) for _ in range(rng.randint(1, 8))]
    lines = lines[:rows]
    lines[0] = lines[0].ljust(width)  # one line of the full width
    return lines


def size(rng, index):
    if index % 10 == 0:
        return rng.randint(100, 160), rng.randint(200, 400)  # wide and long
    if index % 4 == 0:
        return 80, rng.randint(150, 400)                      # long
    return 80, rng.randint(25, 100)                           # typical


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    folder = Path(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) == 3 else 100
    folder.mkdir(parents=True, exist_ok=True)
    rng = random.Random(437)
    for index in range(count):
        width, rows = size(rng, index)
        end = b"\r\n" if rng.random() < 0.5 else b"\n"
        extension = ("nfo", "asc", "diz")[index % 3]
        data = end.join(art(rng, width, rows)) + end
        (folder / f"art-{index:03d}.{extension}").write_bytes(data)


if __name__ == "__main__":
    main()
