// Reading PNG files back in tests, with libpng.
#pragma once

#include <string>

#include "tests/support/picture_pixels.h"

struct DecodedPng {
  int bit_depth = 0;
  int color_type = -1;   // PNG_COLOR_TYPE_*
  int palette_size = 0;  // entries of the PLTE chunk, 0 without one
  Pixels pixels;         // 0xRRGGBB, whatever the file's format
};

// Decodes the PNG file at `path`. Throws std::runtime_error when it can't be read.
DecodedPng ReadPng(const std::string& path);
