// A text's picture drawn by the test itself with the platform's GDI: the same font and
// calls the module is to use, cell by cell, on a bitmap compatible with the screen. What
// the module delivers is compared with it pixel for pixel.
#pragma once

#include <vector>

#include "tests/windows/oem_cell.h"
#include "tests/windows/text_layout.h"

struct ReferencePicture {
  int width = 0;
  int height = 0;
  int bits = 0;  // the screen bitmap's bits per pixel
  int bytes_per_line = 0;
  std::vector<BYTE> lines;   // scan lines, top row first, as GetDIBits delivers them (BI_RGB)
  RGBQUAD colors[256] = {};  // the colour table, below 16 bits per pixel

  const BYTE* Line(int y) const { return &lines[static_cast<size_t>(y) * bytes_per_line]; }
};

// Black, then every byte of `layout` with OEM_FIXED_FONT in 0xF0F0F0 on a transparent
// background, TextOutA at (column x cell width, row x cell height), control bytes as a
// full stop. Returns false when the platform can't make or read the bitmap.
bool DrawReference(const TextLayout& layout, CellSize cell, ReferencePicture* picture);
