#include "platform/gdi_glyph_rows.h"

#include <array>

namespace win32_subset {
namespace {

std::array<InkRows, 256> FindInkRows() {
  std::array<InkRows, 256> rows{};
  for (int glyph = 0; glyph < 256; ++glyph) {
    int first = 0;
    int end = kOemFontHeight;
    while (first < end && kOemFontGlyphs[glyph][first] == 0) ++first;
    while (end > first && kOemFontGlyphs[glyph][end - 1] == 0) --end;
    rows[glyph] = {static_cast<uint8_t>(first), static_cast<uint8_t>(end)};
  }
  return rows;
}

}  // namespace

const InkRows* GlyphInkRows() {
  static const std::array<InkRows, 256> rows = FindInkRows();
  return rows.data();
}

}  // namespace win32_subset
