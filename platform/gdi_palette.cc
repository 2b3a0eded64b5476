#include "platform/gdi_palette.h"

#include <array>

namespace win32_subset {
namespace {

constexpr Rgb kMonochrome[2] = {0x000000, 0xFFFFFF};

constexpr Rgb kVga[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr Rgb kStaticLow[10] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
    0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
};
constexpr Rgb kStaticHigh[10] = {
    0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
    0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

constexpr std::array<Rgb, 256> MakeSystemPalette() {
  std::array<Rgb, 256> palette{};
  int next = 0;
  for (Rgb colour : kStaticLow) palette[next++] = colour;
  for (int r = 0; r < 6; ++r) {
    for (int g = 0; g < 6; ++g) {
      for (int b = 0; b < 6; ++b) {
        if (r % 5 == 0 && g % 5 == 0 && b % 5 == 0) continue;  // a corner
        palette[next++] = static_cast<Rgb>((r * 0x33) << 16 | (g * 0x33) << 8 | b * 0x33);
      }
    }
  }
  for (int k = 1; k <= 30; ++k) {
    const Rgb level = static_cast<Rgb>(k * 8);
    if (level == 0x80 || level == 0xC0) continue;
    palette[next++] = level << 16 | level << 8 | level;
  }
  for (Rgb colour : kStaticHigh) palette[next++] = colour;
  return palette;
}

constexpr std::array<Rgb, 256> kSystem = MakeSystemPalette();

int Channel(Rgb colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

uint32_t Widen5(uint32_t c) { return (c << 3) | (c >> 2); }

}  // namespace

const Rgb* PaletteOf(int bits) {
  switch (bits) {
    case 1:
      return kMonochrome;
    case 4:
      return kVga;
    default:
      return kSystem.data();
  }
}

uint32_t NearestIndex(const Rgb* palette, int size, Rgb colour) {
  uint32_t best = 0;
  int best_distance = 1 << 30;
  for (int i = 0; i < size; ++i) {
    const int dr = Channel(palette[i], 16) - Channel(colour, 16);
    const int dg = Channel(palette[i], 8) - Channel(colour, 8);
    const int db = Channel(palette[i], 0) - Channel(colour, 0);
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) {
      best_distance = distance;
      best = static_cast<uint32_t>(i);
    }
  }
  return best;
}

uint32_t PixelOf(int bits, Rgb colour) {
  switch (bits) {
    case 1:
    case 4:
    case 8:
      return NearestIndex(PaletteOf(bits), 1 << bits, colour);
    case 16:
      return ((colour >> 9) & 0x7C00) | ((colour >> 6) & 0x03E0) | ((colour >> 3) & 0x001F);
    default:
      return colour & 0xFFFFFF;
  }
}

Rgb ColourOf(int bits, uint32_t pixel) {
  switch (bits) {
    case 1:
    case 4:
    case 8:
      return PaletteOf(bits)[pixel];
    case 16:
      return Widen5((pixel >> 10) & 0x1F) << 16 | Widen5((pixel >> 5) & 0x1F) << 8 |
             Widen5(pixel & 0x1F);
    default:
      return pixel;
  }
}

}  // namespace win32_subset
