// Glyph rows for drawing them fast: which rows of a glyph hold ink, and each row as
// masks over stored pixels. A row of the 8-pixel-wide font is one byte (bit 7 the
// leftmost pixel), and its 8 stored pixels of `Pixel` are sizeof(Pixel) 64-bit words, so
// drawing a row is a few word operations instead of 8 pixel tests.
#pragma once

#include <cstdint>

#include "platform/oem_font.h"

namespace win32_subset {

static_assert(kOemFontWidth == 8, "a glyph row is one byte and 8 pixels");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the first pixel of a row is the low end of its first word");

// The rows [first, end) of a glyph that hold set bits; first == end for a blank glyph.
struct InkRows {
  uint8_t first;
  uint8_t end;
};

// The ink rows of each of the 256 glyphs of kOemFontGlyphs.
const InkRows* GlyphInkRows();

// For each row byte, its 8 pixels as words: all ones in the pixels whose bit is set.
template <typename Pixel>
struct GlyphRowMasks {
  static constexpr int kWords = sizeof(Pixel);
  uint64_t of[256][kWords];
};

template <typename Pixel>
constexpr GlyphRowMasks<Pixel> MakeGlyphRowMasks() {
  GlyphRowMasks<Pixel> masks{};
  constexpr int kBytes = sizeof(Pixel);
  for (int bits = 0; bits < 256; ++bits) {
    for (int c = 0; c < kOemFontWidth; ++c) {
      if (((bits >> (7 - c)) & 1) == 0) continue;
      for (int b = c * kBytes; b < (c + 1) * kBytes; ++b) {
        masks.of[bits][b / 8] |= uint64_t{0xFF} << (b % 8 * 8);
      }
    }
  }
  return masks;
}

template <typename Pixel>
inline constexpr GlyphRowMasks<Pixel> kGlyphRowMasks = MakeGlyphRowMasks<Pixel>();

// `pixel` repeated over a 64-bit word.
template <typename Pixel>
constexpr uint64_t Replicated(Pixel pixel) {
  return uint64_t{pixel} * (~uint64_t{0} / ((uint64_t{1} << (8 * sizeof(Pixel))) - 1));
}

}  // namespace win32_subset
