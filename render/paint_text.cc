#include <cstdint>

#include "render/picture.h"

namespace {
constexpr BYTE kLineFeed = 0x0A;
constexpr BYTE kCarriageReturn = 0x0D;
constexpr BYTE kFirstPrintable = 0x20;
constexpr BYTE kFullStop = 0x2E;
}  // namespace

void PaintText(HDC dc, const BYTE* text, DWORD length, LONG cell_width, LONG cell_height,
               LONG width, LONG height) {
  DWORD i = 0;
  // 64-bit positions: stepping past a width or height near INT32_MAX must not overflow.
  for (int64_t y = 0; y <= height && i < length; y += cell_height) {
    int64_t x = 0;
    do {
      if (i >= length) break;
      BYTE c = text[i++];
      if (c == kLineFeed) break;
      if (c == kCarriageReturn) continue;
      if (c < kFirstPrintable) c = kFullStop;
      TextOutA(dc, static_cast<int>(x), static_cast<int>(y), reinterpret_cast<LPCSTR>(&c), 1);
      x += cell_width;
    } while (x <= width);
  }
}
