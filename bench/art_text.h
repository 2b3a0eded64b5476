// Text art for the benchmarks: every cell a CP437 block, shade, box-drawing or ASCII
// character, lines ended by CR LF.
#pragma once

#include <string>

inline std::string ArtText(int columns, int rows) {
  static const char kCells[] = "\xdb\xb2\xb1\xb0 .:-=+*#%@\xc4\xb3\xda\xbf\xc0\xd9";
  std::string text;
  text.reserve(static_cast<size_t>(columns + 2) * static_cast<size_t>(rows));
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) text += kCells[(x * 7 + y * 3) % (sizeof kCells - 1)];
    text += "\r\n";
  }
  return text;
}
