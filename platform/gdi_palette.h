// Colours of the emulated display and of its bitmaps.
//
// A pixel is stored as a value of its bitmap's depth: a palette index at 1, 4 and 8 bits,
// 0RRRRRGGGGGBBBBB at 16 bits, 0x00RRGGBB at 24 and 32 bits. The palettes are fixed:
//   1 bit:  black, white.
//   4 bits: the 16 VGA colours in Windows order: black, dark red, dark green, dark
//           yellow, dark blue, dark magenta, dark cyan, grey 0x808080, light grey
//           0xC0C0C0, red, green, yellow, blue, magenta, cyan, white.
//   8 bits: 0-9 and 246-255 the 20 static colours of the Windows system palette (black,
//           0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
//           0xC0DCC0, 0xA6CAF0 / 0xFFFBF0, 0xA0A0A4, 0x808080, red, green, yellow, blue,
//           magenta, cyan, white); 10-217 the 6 x 6 x 6 cube of levels 0x00, 0x33, ...,
//           0xFF without its 8 corners (which the static colours hold), red slowest,
//           blue fastest; 218-245 the 28 greys 0x080808 * k for k = 1..30 other than
//           0x808080 and 0xC0C0C0, lightest last (so 0xF0F0F0 at 245 is exact).
// A colour is shown at 1 to 8 bits as the palette entry nearest to it (least squared
// distance in R, G, B; the lower index on a tie), at 16 bits as its top 5 bits per
// channel, at 24 and 32 bits exactly.
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

namespace win32_subset {

// 0x00RRGGBB (as a little-endian 32-bit DIB pixel); COLORREF is 0x00BBGGRR.
using Rgb = uint32_t;

inline Rgb RgbOf(COLORREF colour) {
  return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

// The palette of a depth of 1, 4 or 8 bits: 1 << bits entries.
const Rgb* PaletteOf(int bits);

// The entry of `palette` (of `size` entries) nearest to `colour`.
uint32_t NearestIndex(const Rgb* palette, int size, Rgb colour);

// The stored value that shows `colour` at a depth of 1, 4, 8, 16, 24 or 32 bits.
uint32_t PixelOf(int bits, Rgb colour);

// The colour a stored value of that depth shows; 16-bit channels widen as Windows does,
// the top bits repeated below: 5-bit c becomes (c << 3) | (c >> 2).
Rgb ColourOf(int bits, uint32_t pixel);

}  // namespace win32_subset
