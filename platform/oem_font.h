// The raster font behind the stock OEM_FIXED_FONT: code page 437, fixed pitch, 8 x 16
// pixel cells, a glyph for each of the 256 byte values (generated from Terminus Font by
// tools/fonts/generate_oem_font.py into oem_font_cp437.cc).
#pragma once

#include <cstdint>

namespace win32_subset {

constexpr int kOemFontWidth = 8;
constexpr int kOemFontHeight = 16;

// Glyph rows from the top of the cell; in each row byte the most significant bit is the
// leftmost pixel, a set bit a pixel drawn in the text colour.
extern const uint8_t kOemFontGlyphs[256][kOemFontHeight];
// Rows of the cell above the baseline; the rest lie below it.
extern const int kOemFontAscent;
// The byte the font shows for characters it lacks.
extern const uint8_t kOemFontDefaultChar;
// For each Windows-1252 byte, the byte whose glyph shows the same character, or
// kOemFontDefaultChar where CP437 has none (control codes included).
extern const uint8_t kAnsiToOem[256];

}  // namespace win32_subset
