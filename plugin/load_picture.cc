#include <cstdint>
#include <cstring>

#include "file/mapped_file.h"
#include "plugin/exports.h"
#include "plugin/format.h"
#include "render/picture.h"
#include "render/text_grid.h"

namespace {

constexpr WORD kFirstDirectColorDepth = 16;

PictureRecord* ToRecord(void* picture) { return static_cast<PictureRecord*>(picture); }

// ((bits per pixel x width + 31) / 32) x 4, each scan line padded to 32 bits.
INT BytesPerLine(const BITMAPINFOHEADER& header) {
  const int64_t bits = static_cast<int64_t>(header.biBitCount) * header.biWidth;
  return static_cast<INT>((bits + 31) / 32 * 4);
}

uint32_t ToRgbaWord(uint32_t bgrx) {
  return 0xFF000000u | (bgrx & 0x0000FF00u) | (bgrx & 0xFFu) << 16 | (bgrx >> 16 & 0xFFu);
}

// The platform's 32-bit pixels (blue, green, red, unused) as the host takes them: red,
// green, blue, 255. Pixels are read as little-endian words, four at a time so that the
// compiler turns each group into vector code.
void ToRedGreenBlueOpaque(BYTE* pixels, LONG width) {
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixels are read as little-endian words");
  LONG x = 0;
  for (; x + 4 <= width; x += 4) {
    uint32_t four[4];
    std::memcpy(four, pixels + 4 * x, sizeof four);
    for (uint32_t& pixel : four) pixel = ToRgbaWord(pixel);
    std::memcpy(pixels + 4 * x, four, sizeof four);
  }
  for (; x < width; ++x) {
    uint32_t pixel;
    std::memcpy(&pixel, pixels + 4 * x, 4);
    pixel = ToRgbaWord(pixel);
    std::memcpy(pixels + 4 * x, &pixel, 4);
  }
}

}  // namespace

void* WINAPI gfpLoadPictureInit(LPCSTR path) {
  MappedFile file;
  const BYTE* text = file.Open(path);
  if (text == nullptr) return nullptr;
  if (file.info().nFileSizeHigh != 0) return nullptr;
  const DWORD length = file.info().nFileSizeLow;
  PictureRecord* record = CreatePicture(text, length, MeasureTextGrid(text, length));
  file.Close();
  return record;
}

BOOL WINAPI gfpLoadPictureGetInfo(void* picture, INT* kind, INT* width, INT* height,
                                  INT* resolution, INT* bits_per_pixel, INT* bytes_per_line,
                                  BOOL* has_colormap, LPSTR label, INT label_capacity) {
  if (picture == nullptr) return 0;
  const BITMAPINFOHEADER& header = ToRecord(picture)->header;
  *kind = 0;
  *width = header.biWidth;
  *height = header.biHeight;
  *resolution = header.biXPelsPerMeter;
  *bits_per_pixel = header.biBitCount;
  *bytes_per_line = BytesPerLine(header);
  *has_colormap = header.biBitCount < kFirstDirectColorDepth ? 1 : 0;
  lstrcpynA(label, kFormatLabel, label_capacity);
  return 1;
}

BOOL WINAPI gfpLoadPictureGetColormap(void* picture, BYTE* colormap) {
  if (picture == nullptr) return 0;
  const RGBQUAD* colors = ToRecord(picture)->colors;
  for (int n = 0; n < 256; ++n) {
    colormap[n] = colors[n].rgbRed;
    colormap[256 + n] = colors[n].rgbGreen;
    colormap[512 + n] = colors[n].rgbBlue;
  }
  return 1;
}

BOOL WINAPI gfpLoadPictureGetLine(void* picture, INT line, BYTE* buffer) {
  if (picture == nullptr) return 0;
  PictureRecord* record = ToRecord(picture);
  const LONG height = record->header.biHeight;
  if (line < 0 || line >= height) return 0;

  // GetDIBits writes the colour table into the description it is given: reading through
  // a copy of the header leaves the record as it is for threads reading the same picture.
  PictureRecord format;
  format.header = record->header;

  HDC screen = GetDC(nullptr);
  // The bitmap's rows are stored bottom-up: scan line 0 is the bottom row.
  const int copied = GetDIBits(screen, record->bitmap, static_cast<UINT>(height - 1 - line), 1,
                               buffer, AsBitmapInfo(&format), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (copied == 0) return 0;

  if (record->header.biBitCount == 32) ToRedGreenBlueOpaque(buffer, record->header.biWidth);
  return 1;
}

void WINAPI gfpLoadPictureExit(void* picture) { DestroyPicture(ToRecord(picture)); }
