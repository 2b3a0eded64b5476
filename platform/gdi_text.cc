// Text: TextOutA and GetTextMetricsA with the stock raster fonts.
//
// TextOutA draws each byte's glyph in a cell of kOemFontWidth x kOemFontHeight whose
// top-left corner is (x + i * kOemFontWidth, y), clipped to the selected bitmap. Glyph
// pixels take the text colour as the bitmap's depth shows it; in TRANSPARENT mode the
// other pixels of the cell stay as they were, in OPAQUE mode they turn white (the
// layer's background colour, which it has no call to change). Drawing on the screen's
// context or on the stock bitmap succeeds and leaves no trace.
#include <algorithm>
#include <cstring>

#include "platform/call_hooks.h"
#include "platform/gdi_glyph_rows.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_palette.h"
#include "platform/oem_font.h"

namespace win32_subset {
namespace {

constexpr Rgb kBackgroundColour = 0xFFFFFF;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Sets `columns` pixels from `out` by the row's bits (bit 7 = out[0]): set bits to
// `fore`; clear bits to `back` when opaque, else left as they are. For cells that the
// bitmap's edges cut.
template <typename Pixel, bool kOpaque>
inline void PutRow(Pixel* out, unsigned bits, int columns, Pixel fore, Pixel back) {
  for (int c = 0; c < columns; ++c) {
    const bool on = (bits >> (7 - c)) & 1u;
    if (kOpaque) {
      out[c] = on ? fore : back;
    } else {
      out[c] = on ? fore : out[c];
    }
  }
}

// The rows that a line of cells covers: glyph rows [first_row, end_row) of cells whose
// top is y lie inside the bitmap.
struct CellRows {
  int y;
  int first_row;
  int end_row;
};

// A clipped cell, pixel by pixel.
template <typename Pixel, bool kOpaque>
void DrawCutCell(const Bitmap& bitmap, const CellRows& rows, int64_t left,
                 const uint8_t* glyph, Pixel fore, Pixel back) {
  const int skip = left < 0 ? static_cast<int>(-left) : 0;
  const int columns =
      static_cast<int>(std::min<int64_t>(kOemFontWidth, bitmap.width - left)) - skip;
  Pixel* origin = RowOf<Pixel>(bitmap, 0) + left + skip;
  const size_t pitch = static_cast<size_t>(bitmap.width);
  for (int r = rows.first_row; r < rows.end_row; ++r) {
    const unsigned bits = (static_cast<unsigned>(glyph[r]) << skip) & 0xFFu;
    if (!kOpaque && bits == 0) continue;
    PutRow<Pixel, kOpaque>(origin + static_cast<size_t>(rows.y + r) * pitch, bits, columns,
                           fore, back);
  }
}

// A cell whose full width lies inside the bitmap, a glyph row at a time: the row's 8
// pixels are sizeof(Pixel) 64-bit words, blended with the masks of the row's bits.
template <typename Pixel, bool kOpaque>
void DrawWholeCell(const Bitmap& bitmap, const CellRows& rows, int64_t left,
                   const uint8_t* glyph, uint64_t fore, uint64_t back) {
  constexpr int kWords = GlyphRowMasks<Pixel>::kWords;
  const size_t pitch = static_cast<size_t>(bitmap.width) * sizeof(Pixel);
  auto* out = reinterpret_cast<uint8_t*>(RowOf<Pixel>(bitmap, rows.y + rows.first_row) + left);
  for (int r = rows.first_row; r < rows.end_row; ++r, out += pitch) {
    const uint64_t* masks = kGlyphRowMasks<Pixel>.of[glyph[r]];
    for (int w = 0; w < kWords; ++w) {
      uint64_t word;
      if (kOpaque) {
        word = (fore & masks[w]) | (back & ~masks[w]);
      } else {
        std::memcpy(&word, out + 8 * w, 8);
        word = (word & ~masks[w]) | (fore & masks[w]);
      }
      std::memcpy(out + 8 * w, &word, 8);
    }
  }
}

// Draws text[first, end); in transparent mode only the rows of each glyph that hold ink.
template <typename Pixel, bool kOpaque>
void DrawCells(const Bitmap& bitmap, const CellRows& rows, int64_t x, int64_t first,
               int64_t end, const uint8_t* text, const uint8_t* glyph_of, Pixel fore,
               Pixel back) {
  const uint64_t fore_words = Replicated(fore);
  const uint64_t back_words = Replicated(back);
  const InkRows* ink_rows = GlyphInkRows();
  for (int64_t i = first; i < end; ++i) {
    const uint8_t index = glyph_of[text[i]];
    CellRows drawn = rows;
    if (!kOpaque) {
      const InkRows& ink = ink_rows[index];
      drawn.first_row = std::max<int>(rows.first_row, ink.first);
      drawn.end_row = std::min<int>(rows.end_row, ink.end);
      if (drawn.first_row >= drawn.end_row) continue;
    }
    const uint8_t* glyph = kOemFontGlyphs[index];
    const int64_t left = x + i * kOemFontWidth;
    if (left >= 0 && left + kOemFontWidth <= bitmap.width) {
      DrawWholeCell<Pixel, kOpaque>(bitmap, drawn, left, glyph, fore_words, back_words);
    } else {
      DrawCutCell<Pixel, kOpaque>(bitmap, drawn, left, glyph, fore, back);
    }
  }
}

template <typename Pixel>
void DrawText(Bitmap& bitmap, const Dc& dc, int x, int y, const uint8_t* text, int count) {
  const int64_t first_row = std::max<int64_t>(0, -int64_t{y});
  const int64_t end_row = std::min<int64_t>(kOemFontHeight, int64_t{bitmap.height} - y);
  if (first_row >= end_row) return;
  ClearBlackRows(bitmap, static_cast<int>(y + first_row), static_cast<int>(y + end_row));
  const CellRows rows = {y, static_cast<int>(first_row), static_cast<int>(end_row)};
  const int64_t first = std::max<int64_t>(0, FloorDiv(-int64_t{x}, kOemFontWidth));
  const int64_t end = std::min<int64_t>(
      count, FloorDiv(int64_t{bitmap.width} - x + kOemFontWidth - 1, kOemFontWidth));
  const Pixel fore = static_cast<Pixel>(dc.text_pixel);
  const Pixel back = static_cast<Pixel>(dc.background_pixel);
  const uint8_t* glyph_of = dc.font->glyph_of;
  if (dc.bk_mode == OPAQUE) {
    DrawCells<Pixel, true>(bitmap, rows, x, first, end, text, glyph_of, fore, back);
  } else {
    DrawCells<Pixel, false>(bitmap, rows, x, first, end, text, glyph_of, fore, back);
  }
}

}  // namespace
}  // namespace win32_subset

using namespace win32_subset;

BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  if (FailHere(Call::kTextOutA, ERROR_INVALID_HANDLE)) return FALSE;
  if (count < 0 || (count > 0 && text == nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const GdiGuard lock(GdiMutex());
  Dc* context = FindDc(dc);
  if (context == nullptr) return FALSE;
  Journal("TextOutA");
  Bitmap* bitmap = context->bitmap;
  if (bitmap == nullptr || bitmap->stock) return TRUE;
  if (context->pixel_bits != bitmap->bits || context->pixel_colour != context->text_colour) {
    context->pixel_bits = bitmap->bits;
    context->pixel_colour = context->text_colour;
    context->text_pixel = PixelOf(bitmap->bits, RgbOf(context->text_colour));
    context->background_pixel = PixelOf(bitmap->bits, kBackgroundColour);
  }
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text);
  switch (StoredBytes(bitmap->bits)) {
    case 1:
      DrawText<uint8_t>(*bitmap, *context, x, y, bytes, count);
      break;
    case 2:
      DrawText<uint16_t>(*bitmap, *context, x, y, bytes, count);
      break;
    default:
      DrawText<uint32_t>(*bitmap, *context, x, y, bytes, count);
      break;
  }
  return TRUE;
}

BOOL WINAPI GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics) {
  if (FailHere(Call::kGetTextMetricsA, ERROR_INVALID_HANDLE)) return FALSE;
  if (metrics == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const GdiGuard lock(GdiMutex());
  const Dc* context = FindDc(dc);
  if (context == nullptr) return FALSE;
  *metrics = context->font->metrics;
  Journal("GetTextMetricsA");
  return TRUE;
}
