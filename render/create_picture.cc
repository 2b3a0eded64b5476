#include <cstdint>
#include <cstring>

#include "render/picture.h"

namespace {

constexpr LONG kPelsPerMeter = 72;
constexpr DWORD kPaletteEntries = 256;

// The picture's size in pixels, or false when a side is not positive or does not fit in
// a signed 32-bit value.
bool PictureSize(const TextGrid& grid, LONG cell_width, LONG cell_height, LONG* width,
                 LONG* height) {
  if (cell_width <= 0 || cell_height <= 0 || grid.columns <= 0 || grid.rows <= 0) return false;
  const int64_t w = static_cast<int64_t>(cell_width) * grid.columns;
  const int64_t h = static_cast<int64_t>(cell_height) * grid.rows;
  if (w > INT32_MAX || h > INT32_MAX) return false;
  *width = static_cast<LONG>(w);
  *height = static_cast<LONG>(h);
  return true;
}

// Makes the record's bitmap and reads its format (and palette, below 16 bits per pixel)
// into the record's header and colour table. False when the platform refuses either.
bool MakeBitmap(HDC screen, LONG width, LONG height, PictureRecord* record) {
  record->bitmap = CreateCompatibleBitmap(screen, width, height);
  if (record->bitmap == nullptr) return false;
  if (GetDIBits(screen, record->bitmap, 0, 0, nullptr, AsBitmapInfo(record), DIB_RGB_COLORS) == 0) {
    return false;
  }
  record->header.biCompression = BI_RGB;
  record->header.biXPelsPerMeter = kPelsPerMeter;
  record->header.biYPelsPerMeter = kPelsPerMeter;
  if (record->header.biBitCount < 16) {
    if (GetDIBits(screen, record->bitmap, 0, 0, nullptr, AsBitmapInfo(record), DIB_RGB_COLORS) == 0) {
      return false;
    }
    record->header.biClrUsed = kPaletteEntries;
    record->header.biClrImportant = kPaletteEntries;
  }
  return true;
}

// Clears the bitmap to black and paints the text into it. False when the bitmap can't
// be selected into `memory`.
bool Paint(HDC memory, const BYTE* text, DWORD length, LONG cell_width, LONG cell_height,
           PictureRecord* record) {
  HGDIOBJ previous = SelectObject(memory, record->bitmap);
  if (previous == nullptr) return false;
  const LONG width = record->header.biWidth;
  const LONG height = record->header.biHeight;
  PatBlt(memory, 0, 0, width, height, BLACKNESS);
  PaintText(memory, text, length, cell_width, cell_height, width, height);
  SelectObject(memory, previous);
  return true;
}

}  // namespace

PictureRecord* CreatePicture(const BYTE* text, DWORD length, const TextGrid& grid) {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return nullptr;
  HDC memory = CreateCompatibleDC(screen);
  if (memory == nullptr) {
    ReleaseDC(nullptr, screen);
    return nullptr;
  }
  SetTextColor(memory, kTextColor);
  SetBkMode(memory, TRANSPARENT);
  SelectObject(memory, GetStockObject(OEM_FIXED_FONT));
  TEXTMETRICA metrics;
  std::memset(&metrics, 0, sizeof metrics);
  GetTextMetricsA(memory, &metrics);
  const LONG cell_width = metrics.tmMaxCharWidth;
  const LONG cell_height = metrics.tmHeight;

  auto* record = static_cast<PictureRecord*>(
      HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PictureRecord)));
  if (record != nullptr) {
    record->header.biSize = sizeof(BITMAPINFOHEADER);
    LONG width = 0;
    LONG height = 0;
    const bool made = PictureSize(grid, cell_width, cell_height, &width, &height) &&
                      MakeBitmap(screen, width, height, record) &&
                      Paint(memory, text, length, cell_width, cell_height, record);
    if (!made) {
      DestroyPicture(record);
      record = nullptr;
    }
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return record;
}

void DestroyPicture(PictureRecord* record) {
  if (record == nullptr) return;
  if (record->bitmap != nullptr) DeleteObject(record->bitmap);
  HeapFree(GetProcessHeap(), 0, record);
}
