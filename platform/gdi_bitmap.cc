// Bitmaps: CreateCompatibleBitmap and PatBlt.
#include <algorithm>
#include <cstring>

#include "platform/call_hooks.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_palette.h"

namespace win32_subset {
namespace {

// The most pixels a bitmap holds, whatever its depth (256 MiB at 32 bits). Pictures of
// text are 8 pixels per column and 16 per line: 300 x 400 cells are 15 Mi pixels, while
// a single line of 100,000 bytes (800,000 x 16 pixels and more) is refused.
constexpr int64_t kMaxBitmapPixels = int64_t{1} << 26;

// Sets the pixels of rows [top, bottom) and columns [left, right) to `value`: the first
// row pixel by pixel (or by memset when the value's bytes are all alike), the others as
// copies of it; one span when the rows are whole and so adjoin.
template <typename Pixel>
void Fill(const Bitmap& bitmap, int left, int top, int right, int bottom, uint32_t value) {
  const Pixel pixel = static_cast<Pixel>(value);
  const bool whole_rows = left == 0 && right == bitmap.width;
  const size_t span = static_cast<size_t>(right - left) * (whole_rows ? bottom - top : 1);
  Pixel* first = RowOf<Pixel>(bitmap, top) + left;
  Pixel repeated;
  std::memset(&repeated, static_cast<uint8_t>(pixel), sizeof repeated);
  if (repeated == pixel) {
    std::memset(first, static_cast<uint8_t>(pixel), span * sizeof(Pixel));
  } else {
    std::fill(first, first + span, pixel);
  }
  if (whole_rows) return;
  const size_t row_bytes = static_cast<size_t>(right - left) * sizeof(Pixel);
  for (int y = top + 1; y < bottom; ++y) {
    std::memcpy(RowOf<Pixel>(bitmap, y) + left, first, row_bytes);
  }
}

}  // namespace
}  // namespace win32_subset

using namespace win32_subset;

HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height) {
  if (FailHere(Call::kCreateCompatibleBitmap, ERROR_NOT_ENOUGH_MEMORY)) return nullptr;
  if (width < 0 || height < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  int bits;
  {
    const GdiGuard lock(GdiMutex());
    const Dc* context = FindDc(dc);
    if (context == nullptr) return nullptr;
    if (width == 0 || height == 0) {
      Journal("CreateCompatibleBitmap");
      return StockBitmap()->handle;
    }
    bits = context->screen ? context->device_bits : context->bitmap->bits;
  }
  if (int64_t{width} * height > kMaxBitmapPixels) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Bitmap* bitmap = NewBitmap(width, height, bits);
  const GdiGuard lock(GdiMutex());
  if (bitmap == nullptr || !Register(bitmap)) {
    if (bitmap != nullptr) FreeBitmap(bitmap);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Acquired(Live::kBitmap);
  Journal("CreateCompatibleBitmap");
  return bitmap->handle;
}

BOOL WINAPI PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  if (FailHere(Call::kPatBlt, ERROR_INVALID_HANDLE)) return FALSE;
  if (rop != BLACKNESS && rop != WHITENESS) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const GdiGuard lock(GdiMutex());
  const Dc* context = FindDc(dc);
  if (context == nullptr) return FALSE;
  Journal("PatBlt");
  Bitmap* bitmap = context->bitmap;
  if (bitmap == nullptr || bitmap->stock) return TRUE;
  // A negative size covers the pixels from x + width + 1 through x.
  const int64_t left = width < 0 ? int64_t{x} + width + 1 : x;
  const int64_t right = width < 0 ? int64_t{x} + 1 : int64_t{x} + width;
  const int64_t top = height < 0 ? int64_t{y} + height + 1 : y;
  const int64_t bottom = height < 0 ? int64_t{y} + 1 : int64_t{y} + height;
  const int l = static_cast<int>(std::max<int64_t>(left, 0));
  const int t = static_cast<int>(std::max<int64_t>(top, 0));
  const int r = static_cast<int>(std::min<int64_t>(right, bitmap->width));
  const int b = static_cast<int>(std::min<int64_t>(bottom, bitmap->height));
  if (l >= r || t >= b) return TRUE;
  const uint32_t value = PixelOf(bitmap->bits, rop == WHITENESS ? 0xFFFFFF : 0x000000);
  if (value == 0 && l == 0 && r == bitmap->width) {
    std::memset(bitmap->black_rows + t, 1, static_cast<size_t>(b - t));
    return TRUE;
  }
  ClearBlackRows(*bitmap, t, b);
  switch (StoredBytes(bitmap->bits)) {
    case 1:
      Fill<uint8_t>(*bitmap, l, t, r, b, value);
      break;
    case 2:
      Fill<uint16_t>(*bitmap, l, t, r, b, value);
      break;
    default:
      Fill<uint32_t>(*bitmap, l, t, r, b, value);
      break;
  }
  return TRUE;
}
