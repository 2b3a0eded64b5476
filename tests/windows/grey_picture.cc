#include "tests/windows/grey_picture.h"

#include <algorithm>

namespace {

BYTE Brightest(BYTE red, BYTE green, BYTE blue) { return std::max({red, green, blue}); }

// Pixel x of a scan line of `bits` per pixel.
BYTE LevelAt(const BYTE* line, int x, int bits, const BYTE* colormap) {
  const size_t at = static_cast<size_t>(x) * bits / 8;
  switch (bits) {
    case 32:
    case 24:
      return Brightest(line[at], line[at + 1], line[at + 2]);
    case 16: {
      const unsigned value = line[at] | (line[at + 1] << 8);
      const unsigned five = std::max({(value >> 10) & 31u, (value >> 5) & 31u, value & 31u});
      return static_cast<BYTE>(five * 255 / 31);
    }
    default: {
      const unsigned shift = 8 - bits - static_cast<unsigned>(x * bits % 8);
      const unsigned index = (line[at] >> shift) & ((1u << bits) - 1);
      return Brightest(colormap[index], colormap[256 + index], colormap[512 + index]);
    }
  }
}

}  // namespace

bool ReadGreyPicture(const PluginApi& plugin, void* picture, GreyPicture* grey,
                     std::string* error) {
  INT kind = 0, width = 0, height = 0, resolution = 0, bits = 0, bytes_per_line = 0;
  BOOL has_colormap = 0;
  char label[64];
  if (!plugin.load_picture_get_info(picture, &kind, &width, &height, &resolution, &bits, &bytes_per_line,
                            &has_colormap, label, sizeof label)) {
    *error = "gfpLoadPictureGetInfo returned 0";
    return false;
  }
  if (width <= 0 || height <= 0 || bytes_per_line < (width * bits + 7) / 8) {
    *error = "unusable geometry " + std::to_string(width) + " x " + std::to_string(height) + ", " +
             std::to_string(bits) + " bits, " + std::to_string(bytes_per_line) + " bytes per line";
    return false;
  }
  BYTE colormap[768] = {};
  if (has_colormap && !plugin.load_picture_get_colormap(picture, colormap)) {
    *error = "gfpLoadPictureGetColormap returned 0";
    return false;
  }
  grey->width = width;
  grey->height = height;
  grey->levels.assign(static_cast<size_t>(width) * height, 0);
  std::vector<BYTE> line(static_cast<size_t>(bytes_per_line));
  for (int y = 0; y < height; ++y) {
    if (!plugin.load_picture_get_line(picture, y, line.data())) {
      *error = "gfpLoadPictureGetLine returned 0 for line " + std::to_string(y);
      return false;
    }
    for (int x = 0; x < width; ++x) {
      grey->levels[static_cast<size_t>(y) * width + x] = LevelAt(line.data(), x, bits, colormap);
    }
  }
  return true;
}
