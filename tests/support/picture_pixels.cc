#include "tests/support/picture_pixels.h"

#include <stdexcept>

namespace {

uint32_t ToRgb(const RGBQUAD& q) {
  return (static_cast<uint32_t>(q.rgbRed) << 16) | (static_cast<uint32_t>(q.rgbGreen) << 8) |
         q.rgbBlue;
}

uint32_t Expand555(uint16_t p) {
  const uint32_t r = (p >> 10) & 31, g = (p >> 5) & 31, b = p & 31;
  return ((r << 3) << 16) | ((g << 3) << 8) | (b << 3);
}

}  // namespace

void DecodeScanLine(const BYTE* line, int width, int bits, const RGBQUAD* colors,
                    uint32_t* out) {
  for (int x = 0; x < width; ++x) {
    switch (bits) {
      case 1:
        out[x] = ToRgb(colors[(line[x / 8] >> (7 - x % 8)) & 1]);
        break;
      case 4:
        out[x] = ToRgb(colors[(line[x / 2] >> (x % 2 ? 0 : 4)) & 15]);
        break;
      case 8:
        out[x] = ToRgb(colors[line[x]]);
        break;
      case 16:
        out[x] = Expand555(static_cast<uint16_t>(line[2 * x] | (line[2 * x + 1] << 8)));
        break;
      case 24:
      case 32: {
        const BYTE* p = line + x * (bits / 8);
        out[x] = (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[0];
        break;
      }
      default:
        throw std::runtime_error("unexpected bit count " + std::to_string(bits));
    }
  }
}

Pixels ReadPicture(PictureRecord* record) {
  Pixels pixels;
  pixels.width = record->header.biWidth;
  pixels.height = record->header.biHeight;
  const int bits = record->header.biBitCount;
  const size_t stride = (static_cast<size_t>(bits) * pixels.width + 31) / 32 * 4;
  std::vector<BYTE> line(stride);
  pixels.rgb.resize(static_cast<size_t>(pixels.width) * pixels.height);
  HDC screen = GetDC(nullptr);
  for (int y = 0; y < pixels.height; ++y) {
    const UINT scan = static_cast<UINT>(pixels.height - 1 - y);
    if (GetDIBits(screen, record->bitmap, scan, 1, line.data(), AsBitmapInfo(record),
                  DIB_RGB_COLORS) != 1) {
      ReleaseDC(nullptr, screen);
      throw std::runtime_error("GetDIBits delivered no line " + std::to_string(y));
    }
    DecodeScanLine(line.data(), pixels.width, bits, record->colors,
                   &pixels.rgb[static_cast<size_t>(y) * pixels.width]);
  }
  ReleaseDC(nullptr, screen);
  return pixels;
}

uint32_t DisplayedColor(uint32_t rgb, int bits, const RGBQUAD* colors) {
  if (bits == 16) return rgb & 0xF8F8F8;
  if (bits > 16) return rgb;
  const int r = (rgb >> 16) & 255, g = (rgb >> 8) & 255, b = rgb & 255;
  uint32_t best = 0;
  long best_distance = -1;
  for (int n = 0; n < (1 << bits); ++n) {
    const long dr = colors[n].rgbRed - r, dg = colors[n].rgbGreen - g, db = colors[n].rgbBlue - b;
    const long distance = dr * dr + dg * dg + db * db;
    if (best_distance < 0 || distance < best_distance) {
      best_distance = distance;
      best = ToRgb(colors[n]);
    }
  }
  return best;
}
