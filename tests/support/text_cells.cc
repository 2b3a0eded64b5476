#include "tests/support/text_cells.h"

#include <cstdio>

#include "platform/oem_font.h"

std::vector<Cell> CellsOfLines(const std::vector<std::string>& lines) {
  std::vector<Cell> cells;
  for (size_t row = 0; row < lines.size(); ++row) {
    for (size_t column = 0; column < lines[row].size(); ++column) {
      cells.push_back(Cell{static_cast<int>(column), static_cast<int>(row),
                           static_cast<uint8_t>(lines[row][column])});
    }
  }
  return cells;
}

std::string CompareWithCells(const Pixels& pixels, const std::vector<Cell>& cells,
                             uint32_t ink) {
  using win32_subset::kOemFontGlyphs;
  using win32_subset::kOemFontHeight;
  using win32_subset::kOemFontWidth;
  std::vector<uint32_t> expected(pixels.rgb.size(), 0);
  for (const Cell& cell : cells) {
    for (int gy = 0; gy < kOemFontHeight; ++gy) {
      for (int gx = 0; gx < kOemFontWidth; ++gx) {
        const int x = cell.column * kOemFontWidth + gx;
        const int y = cell.row * kOemFontHeight + gy;
        if (x >= pixels.width || y >= pixels.height) continue;
        if (kOemFontGlyphs[cell.byte][gy] & (0x80 >> gx)) {
          expected[static_cast<size_t>(y) * pixels.width + x] = ink;
        }
      }
    }
  }
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x) {
      const uint32_t got = pixels.at(x, y);
      const uint32_t want = expected[static_cast<size_t>(y) * pixels.width + x];
      if (got != want) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "pixel (%d, %d) in cell (%d, %d): got 0x%06X, expected 0x%06X", x, y,
                      x / kOemFontWidth, y / kOemFontHeight, got, want);
        return text;
      }
    }
  }
  return "";
}
