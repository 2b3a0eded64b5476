#include "fuzz/line_colours.h"

namespace {

uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return (red << 16) | (green << 8) | blue;
}

uint32_t MapColour(const uint8_t* colormap, unsigned index) {
  return Rgb(colormap[index], colormap[256 + index], colormap[512 + index]);
}

}  // namespace

uint32_t PixelColour(const uint8_t* line, int x, int bits, const uint8_t* colormap) {
  switch (bits) {
    case 1:
      return MapColour(colormap, (line[x / 8] >> (7 - x % 8)) & 1u);
    case 4:
      return MapColour(colormap, (line[x / 2] >> (x % 2 ? 0 : 4)) & 15u);
    case 8:
      return MapColour(colormap, line[x]);
    case 16: {
      const unsigned word = line[2 * x] | (line[2 * x + 1] << 8);
      return Rgb(((word >> 10) & 31u) << 3, ((word >> 5) & 31u) << 3, (word & 31u) << 3);
    }
    case 24: {
      const uint8_t* p = line + 3 * x;
      return Rgb(p[2], p[1], p[0]);
    }
    default: {
      const uint8_t* p = line + 4 * x;
      return Rgb(p[0], p[1], p[2]);
    }
  }
}
