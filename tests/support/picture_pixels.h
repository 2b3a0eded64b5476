// Reading a picture's pixels back as colours, the way the host sees them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "port/win32.h"
#include "render/picture_record.h"

// A picture as 0xRRGGBB colours, top row first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;
  uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// Decodes one device-independent scan line of `bits` per pixel: colour numbers into
// `colors` below 16 bits, 5-5-5 at 16, blue-green-red at 24 and 32.
void DecodeScanLine(const BYTE* line, int width, int bits, const RGBQUAD* colors,
                    uint32_t* out);

// Every scan line of the record's bitmap through GetDIBits, in the record's own format.
Pixels ReadPicture(PictureRecord* record);

// The colour of `colors` (2^bits entries) nearest to `rgb`, as the display shows
// a colour it lacks; `rgb` itself at 16 bits and more (5-5-5 rounded down at 16).
uint32_t DisplayedColor(uint32_t rgb, int bits, const RGBQUAD* colors);
