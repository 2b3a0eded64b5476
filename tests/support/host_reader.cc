#include "tests/support/host_reader.h"

#include <gtest/gtest.h>

#include <vector>

#include "plugin/exports.h"

HostPicture ReadThroughHost(void* picture, bool reverse) {
  HostPicture host;
  char label[32];
  EXPECT_EQ(gfpLoadPictureGetInfo(picture, &host.kind, &host.width, &host.height,
                                  &host.resolution, &host.bits, &host.bytes_per_line,
                                  &host.has_colormap, label, sizeof label),
            1);
  host.label = label;
  RGBQUAD colors[256] = {};
  if (host.has_colormap) {
    EXPECT_EQ(gfpLoadPictureGetColormap(picture, host.colormap), 1);
    for (int n = 0; n < 256; ++n) {
      colors[n].rgbRed = host.colormap[n];
      colors[n].rgbGreen = host.colormap[256 + n];
      colors[n].rgbBlue = host.colormap[512 + n];
    }
  }
  host.pixels.width = host.width;
  host.pixels.height = host.height;
  host.pixels.rgb.resize(static_cast<size_t>(host.width) * host.height);
  std::vector<BYTE> line(static_cast<size_t>(host.bytes_per_line) + 1);
  for (int i = 0; i < host.height; ++i) {
    const int y = reverse ? host.height - 1 - i : i;
    line.back() = 0xA5;
    EXPECT_EQ(gfpLoadPictureGetLine(picture, y, line.data()), 1) << "line " << y;
    EXPECT_EQ(line.back(), 0xA5) << "line " << y << " written past bytes per line";
    uint32_t* out = &host.pixels.rgb[static_cast<size_t>(y) * host.width];
    if (host.bits == 32) {
      // The host receives red, green, blue, 255.
      for (int x = 0; x < host.width; ++x) {
        const BYTE* p = &line[static_cast<size_t>(x) * 4];
        EXPECT_EQ(p[3], 0xFF) << "alpha at (" << x << ", " << y << ")";
        out[x] = (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
      }
    } else {
      DecodeScanLine(line.data(), host.width, host.bits, colors, out);
    }
  }
  return host;
}
