// GetDIBits: bitmaps read out as device-independent bitmaps.
//
// Only bottom-up DIBs (positive biHeight) of DIB_RGB_COLORS are made; biCompression is
// BI_RGB, or BI_BITFIELDS at 16 and 32 bits, which yields the same pixels and writes
// their masks (5-5-5 and 8-8-8) to the colour table. A DIB of another size than the
// bitmap lines up with the bitmap's top-left corner; the DIB's pixels outside the bitmap
// are zero. Below 16 bits the colour table is the palette of the DIB's depth (see
// gdi_palette.h), and each pixel the entry nearest to the bitmap's colour.
#include <algorithm>
#include <cstring>

#include "platform/call_hooks.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_palette.h"

namespace win32_subset {
namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "stored 16- and 32-bit pixels are copied out as little-endian DIB pixels");

int64_t DibStride(int64_t width, int bits) { return (width * bits + 31) / 32 * 4; }

bool IsDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Maps stored pixels of one depth to pixel values of another (palette indices below 16
// bits, 5-5-5 at 16, 0x00RRGGBB above).
class Converter {
 public:
  Converter(int from_bits, int to_bits) : from_bits_(from_bits), to_bits_(to_bits) {
    if (from_bits <= 8) {
      for (uint32_t i = 0; i < (1u << from_bits); ++i) table_[i] = Convert(i);
    }
  }

  uint32_t operator()(uint32_t pixel) {
    if (from_bits_ <= 8) return table_[pixel];
    if (pixel != last_pixel_) {
      last_pixel_ = pixel;
      last_value_ = Convert(pixel);
    }
    return last_value_;
  }

 private:
  uint32_t Convert(uint32_t pixel) const {
    if (to_bits_ == from_bits_ || (to_bits_ > 16 && from_bits_ > 16)) return pixel;
    return PixelOf(to_bits_, ColourOf(from_bits_, pixel));
  }

  int from_bits_;
  int to_bits_;
  uint32_t table_[256] = {};
  uint32_t last_pixel_ = 0xFFFFFFFFu;
  uint32_t last_value_ = 0;
};

// Writes `count` pixels of a stored row as one DIB line; `out` is zero on entry.
template <typename Pixel>
void WriteLine(const Pixel* row, int count, int bits, Converter& convert, uint8_t* out) {
  switch (bits) {
    case 1:
      for (int i = 0; i < count; ++i) {
        out[i >> 3] = static_cast<uint8_t>(out[i >> 3] | convert(row[i]) << (7 - (i & 7)));
      }
      break;
    case 4:
      for (int i = 0; i < count; ++i) {
        out[i >> 1] = static_cast<uint8_t>(out[i >> 1] | convert(row[i]) << ((i & 1) ? 0 : 4));
      }
      break;
    case 8:
      for (int i = 0; i < count; ++i) out[i] = static_cast<uint8_t>(convert(row[i]));
      break;
    case 16:
      for (int i = 0; i < count; ++i) {
        const uint32_t value = convert(row[i]);
        out[2 * i] = static_cast<uint8_t>(value);
        out[2 * i + 1] = static_cast<uint8_t>(value >> 8);
      }
      break;
    case 24:
      for (int i = 0; i < count; ++i) {
        const uint32_t value = convert(row[i]);
        out[3 * i] = static_cast<uint8_t>(value);
        out[3 * i + 1] = static_cast<uint8_t>(value >> 8);
        out[3 * i + 2] = static_cast<uint8_t>(value >> 16);
      }
      break;
    default:
      for (int i = 0; i < count; ++i) {
        const uint32_t value = convert(row[i]);
        std::memcpy(out + 4 * i, &value, 4);
      }
      break;
  }
}

// Writes lines [start, end) of the bottom-up DIB that `header` describes: zeros for lines
// below the bitmap and for its rows flagged black (0 is black in every DIB format: the
// first entry of each palette, and no light at 16 bits and above), put(row, out) for the
// others. Returns how many lines show rows.
template <typename Pixel, typename PutLine>
int ForEachLine(const Bitmap& bitmap, const BITMAPINFOHEADER& header, size_t stride,
                int64_t start, int64_t end, uint8_t* bits, PutLine put) {
  int copied = 0;
  for (int64_t line = start; line < end; ++line) {
    uint8_t* out = bits + static_cast<size_t>(line - start) * stride;
    const int64_t y = header.biHeight - 1 - line;
    if (y >= bitmap.height) {
      std::memset(out, 0, stride);
      continue;
    }
    ++copied;
    if (bitmap.black_rows[y]) {
      std::memset(out, 0, stride);
      continue;
    }
    put(RowOf<Pixel>(bitmap, static_cast<int>(y)), out);
  }
  return copied;
}

// Copies lines [start, end) of the DIB that `header` describes; returns how many of them
// show rows of the bitmap. Rows already in the DIB's format are copied as they are.
template <typename Pixel>
int CopyLines(const Bitmap& bitmap, const BITMAPINFOHEADER& header, int64_t start,
              int64_t end, uint8_t* bits) {
  const int dib_bits = header.biBitCount;
  const size_t stride = static_cast<size_t>(DibStride(header.biWidth, dib_bits));
  const int count = std::min<int>(header.biWidth, bitmap.width);
  if (dib_bits == bitmap.bits && sizeof(Pixel) * 8 == bitmap.bits) {
    const size_t bytes = sizeof(Pixel) * count;
    return ForEachLine<Pixel>(bitmap, header, stride, start, end, bits,
                              [&](const Pixel* row, uint8_t* out) {
                                std::memcpy(out, row, bytes);
                                std::memset(out + bytes, 0, stride - bytes);
                              });
  }
  Converter convert(bitmap.bits, dib_bits);
  return ForEachLine<Pixel>(bitmap, header, stride, start, end, bits,
                            [&](const Pixel* row, uint8_t* out) {
                              std::memset(out, 0, stride);
                              WriteLine(row, count, dib_bits, convert, out);
                            });
}

// Fills the header of `info` from the bitmap; returns the bitmap's height.
int DescribeBitmap(const Bitmap& bitmap, BITMAPINFOHEADER& header) {
  header.biWidth = bitmap.width;
  header.biHeight = bitmap.height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitmap.bits);
  header.biCompression = bitmap.bits == 16 || bitmap.bits == 32 ? BI_BITFIELDS : BI_RGB;
  header.biSizeImage = static_cast<DWORD>(DibStride(bitmap.width, bitmap.bits) * bitmap.height);
  header.biXPelsPerMeter = 0;
  header.biYPelsPerMeter = 0;
  header.biClrUsed = 0;
  header.biClrImportant = 0;
  return bitmap.height;
}

// Whether `header` asks for a DIB this layer makes: false when not, with the last error.
bool IsSupportedDib(const BITMAPINFOHEADER& header) {
  const int bits = header.biBitCount;
  const bool masks_allowed = bits == 16 || bits == 32;
  const bool supported =
      IsDepth(bits) && header.biWidth > 0 && header.biHeight > 0 &&
      (header.biCompression == BI_RGB || (header.biCompression == BI_BITFIELDS && masks_allowed)) &&
      DibStride(header.biWidth, bits) <= int64_t{0xFFFFFFFF} / header.biHeight;
  if (!supported) SetLastError(ERROR_INVALID_PARAMETER);
  return supported;
}

// The colour table of a DIB of 1, 4 or 8 bits: its depth's palette as RGBQUADs.
class ColourTable {
 public:
  explicit ColourTable(int bits) : entries_(1 << bits) {
    const Rgb* palette = PaletteOf(bits);
    for (int i = 0; i < entries_; ++i) {
      RGBQUAD& entry = table_[i];
      entry.rgbRed = static_cast<BYTE>(palette[i] >> 16);
      entry.rgbGreen = static_cast<BYTE>(palette[i] >> 8);
      entry.rgbBlue = static_cast<BYTE>(palette[i]);
      entry.rgbReserved = 0;
    }
  }

  void CopyTo(RGBQUAD* colours) const {
    std::memcpy(colours, table_, sizeof(RGBQUAD) * static_cast<size_t>(entries_));
  }

 private:
  int entries_;
  RGBQUAD table_[256] = {};
};

const ColourTable& ColourTableOf(int bits) {
  static const ColourTable kMonochrome(1), kVga(4), kSystem(8);
  return bits == 1 ? kMonochrome : bits == 4 ? kVga : kSystem;
}

// Writes the colour table (below 16 bits) or the masks (BI_BITFIELDS) of the DIB.
void WriteColours(BITMAPINFO* info) {
  const BITMAPINFOHEADER& header = info->bmiHeader;
  const int bits = header.biBitCount;
  if (bits <= 8) {
    ColourTableOf(bits).CopyTo(info->bmiColors);
  } else if (header.biCompression == BI_BITFIELDS) {
    const DWORD masks[2][3] = {{0x7C00, 0x03E0, 0x001F}, {0xFF0000, 0x00FF00, 0x0000FF}};
    std::memcpy(info->bmiColors, masks[bits == 16 ? 0 : 1], sizeof masks[0]);
  }
}

}  // namespace
}  // namespace win32_subset

using namespace win32_subset;

int WINAPI GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT count, LPVOID bits,
                     LPBITMAPINFO info, UINT usage) {
  if (FailHere(Call::kGetDIBits, ERROR_INVALID_HANDLE)) return 0;
  if (info == nullptr || usage != DIB_RGB_COLORS ||
      info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const GdiGuard lock(GdiMutex());
  const Bitmap* source = FindBitmap(reinterpret_cast<HGDIOBJ>(bitmap));
  if (FindDc(dc) == nullptr || source == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biBitCount == 0) {
    Journal("GetDIBits");
    return DescribeBitmap(*source, header);
  }
  if (!IsSupportedDib(header)) return 0;
  header.biSizeImage =
      static_cast<DWORD>(DibStride(header.biWidth, header.biBitCount) * header.biHeight);
  header.biClrUsed = 0;
  header.biClrImportant = 0;
  WriteColours(info);
  if (bits == nullptr) {
    Journal("GetDIBits");
    return 1;
  }
  const int64_t end = std::min<int64_t>(int64_t{start} + count, header.biHeight);
  if (start >= static_cast<UINT>(header.biHeight) || end <= start) return 0;
  uint8_t* out = static_cast<uint8_t*>(bits);
  int copied;
  switch (StoredBytes(source->bits)) {
    case 1:
      copied = CopyLines<uint8_t>(*source, header, start, end, out);
      break;
    case 2:
      copied = CopyLines<uint16_t>(*source, header, start, end, out);
      break;
    default:
      copied = CopyLines<uint32_t>(*source, header, start, end, out);
      break;
  }
  Journal("GetDIBits");
  return copied;
}
