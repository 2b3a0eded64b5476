// A loaded picture: the bitmap and its device-independent description. The header and
// colour table together are a BITMAPINFO with room for 256 colours, so the record is
// passed as it is wherever the platform asks for one.
#pragma once

#include <cstddef>

#include "port/win32.h"

struct PictureRecord {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
  HBITMAP bitmap;
};

static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER crosses the boundary as 40 bytes");
static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD crosses the boundary as 4 bytes");
static_assert(offsetof(PictureRecord, header) == offsetof(BITMAPINFO, bmiHeader),
              "the record starts with a BITMAPINFO header");
static_assert(offsetof(PictureRecord, colors) == offsetof(BITMAPINFO, bmiColors),
              "the colour table follows the header as in a BITMAPINFO");

inline BITMAPINFO* AsBitmapInfo(PictureRecord* record) {
  return reinterpret_cast<BITMAPINFO*>(record);
}
