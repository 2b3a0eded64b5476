#!/usr/bin/env python3
"""Writes quillmere.nfo, the bundled example: text art drawn in Unicode here and saved
as code page 437 bytes, the way the module reads it. 100 columns wide, no final line
feed.

    python3 examples/make_quillmere_nfo.py [OUTPUT]   (default: beside this script)
"""
import pathlib
import sys

WIDTH = 100
INNER = WIDTH - 2

# 7-row letters, one "#" per pixel; every pixel becomes two full blocks.
LETTERS = {
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
}


def banner(word):
    """The word in block letters with a light shade for a shadow, one row below and one
    column to the right."""
    rows = ["", "", "", "", "", "", ""]
    for n, letter in enumerate(word):
        for r in range(7):
            pixels = LETTERS[letter][r].replace("#", "██").replace(".", "  ")
            rows[r] += ("" if n == 0 else " ") + pixels
    rows.append(" " * len(rows[0]))
    grid = [list(row + " ") for row in rows]
    for r in range(len(rows) - 1, 0, -1):
        for c in range(len(grid[r]) - 1, 0, -1):
            if grid[r][c] == " " and grid[r - 1][c - 1] == "█":
                grid[r][c] = "░"
    return ["".join(row) for row in grid]


def framed(text=""):
    return "║" + text.center(INNER) + "║"


def left(text=""):
    return "║   " + text.ljust(INNER - 3) + "║"


def main():
    shades = "░░░▒▒▒▓▓▓███"
    lines = ["╔" + "═" * INNER + "╗", framed()]
    lines += [framed(row) for row in banner("QUILLMERE")]
    lines += [
        framed(shades + "  text art, as it was drawn  " + shades[::-1]),
        framed(),
        "╟" + "─" * INNER + "╢",
        left(),
        left("Quillmere shows .asc, .nfo and .diz files as pictures: every byte is one cell of"),
        left("the OEM code page 437 font, light grey on black, the way the art was made."),
        left("No fonts to install, no encodings to guess: the bytes are the drawing."),
        left(),
        left("┌────────┬──────────────────────────────┐    Shades  ░░ ▒▒ ▓▓ ██"),
        left("│ .asc   │ logos, banners, scene art    │    Halves  ▀▀ ▄▄ ▌▐"),
        left("│ .nfo   │ release notes and greetings  │    Frames  ╔═╗ ┌─┐ ╓─╖ ╒═╕"),
        left("│ .diz   │ descriptions, one box each   │    Marks   ■ ° ± ≈ ∞ √ π Σ Ω ½ « »"),
        left("└────────┴──────────────────────────────┘"),
        left(),
        left("Every façade keeps its accents: café, über, mañana, señor, naïve, smörgåsbord."),
        left(),
        "╟" + "─" * INNER + "╢",
        framed("░▒▓█  80 columns at least, as many as the longest line; 400 rows at most  █▓▒░"),
        "╚" + "═" * INNER + "╝",
    ]
    for n, line in enumerate(lines):
        if len(line) != WIDTH:
            raise SystemExit(f"line {n + 1} is {len(line)} columns, not {WIDTH}")
    data = "\r\n".join(lines).encode("cp437")
    default = pathlib.Path(__file__).with_name("quillmere.nfo")
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    out.write_bytes(data)


if __name__ == "__main__":
    main()
