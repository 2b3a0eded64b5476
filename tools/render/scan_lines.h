// A picture as the module delivers it: its scan lines, one after the other.
#pragma once

#include <cstdint>

struct ScanLines {
  int width = 0;
  int height = 0;
  // 1, 4 or 8: colour numbers into `colormap`, packed most significant bits first.
  // 16: 5-5-5 words (red in bits 10-14, blue in bits 0-4), little-endian.
  // 24: blue, green, red. 32: red, green, blue, 255.
  int bits_per_pixel = 0;
  int bytes_per_line = 0;             // at least the width's pixels; the rest is padding
  const uint8_t* colormap = nullptr;  // below 16 bits: 256 reds, 256 greens, 256 blues
  const uint8_t* data = nullptr;      // height lines, the top one first
};
