#include "tests/windows/ink_map.h"

namespace {

// Half the text's brightness (240): glyph strokes reach it; the faint anti-aliased fringe
// of a glyph that spills into a neighbouring cell does not.
constexpr BYTE kInkLevel = 120;

bool CellIsLit(const GreyPicture& picture, CellSize cell, int column, int row) {
  for (LONG y = row * cell.height; y < (row + 1) * cell.height; ++y) {
    for (LONG x = column * cell.width; x < (column + 1) * cell.width; ++x) {
      if (picture.at(x, y) >= kInkLevel) return true;
    }
  }
  return false;
}

}  // namespace

ExpectedInk ExpectedInkAt(const TextLayout& layout, int column, int row) {
  const int value = layout.ByteAt(column, row);
  if (value == -1 || value == ' ') return ExpectedInk::kNone;
  if (value >= 0x7F) return ExpectedInk::kUnjudged;
  return ExpectedInk::kInk;
}

std::string InkMap(const GreyPicture& picture, CellSize cell, const TextLayout& layout,
                   std::string* error) {
  if (cell.width <= 0 || cell.height <= 0 || picture.width % cell.width != 0 ||
      picture.height % cell.height != 0) {
    *error = "picture " + std::to_string(picture.width) + " x " + std::to_string(picture.height) +
             " is no whole number of cells of " + std::to_string(cell.width) + " x " +
             std::to_string(cell.height);
    return "";
  }
  const int columns = picture.width / cell.width;
  const int rows = picture.height / cell.height;
  std::string map = "columns " + std::to_string(columns) + " rows " + std::to_string(rows) + "\n";
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      if (ExpectedInkAt(layout, column, row) == ExpectedInk::kUnjudged) {
        map += '?';
      } else {
        map += CellIsLit(picture, cell, column, row) ? '#' : '.';
      }
    }
    map += '\n';
  }
  return map;
}
