// Where a text's glyphs are expected in its picture, with the native layer's font.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/picture_pixels.h"

// One glyph at a cell: its column and row, counted from the top-left, and the byte
// whose glyph the cell shows.
struct Cell {
  int column;
  int row;
  uint8_t byte;
};

// Cells for `lines`: line r at row r, byte c of it at column c (no control bytes).
std::vector<Cell> CellsOfLines(const std::vector<std::string>& lines);

// Compares `pixels` with a black picture of the same size holding `cells` drawn in
// `ink` with the 8 x 16 OEM font. Returns "" when they match, else where and how they
// differ first.
std::string CompareWithCells(const Pixels& pixels, const std::vector<Cell>& cells,
                             uint32_t ink);
