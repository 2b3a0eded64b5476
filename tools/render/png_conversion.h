// Turning the module's scan lines into the smallest lossless PNG image.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/render/png_image.h"
#include "tools/render/scan_lines.h"

class PngConverter {
 public:
  // Converts `lines` (width and height at least 1, a pixel format ScanLines lists) into
  // a palette image of the distinct colours the pixels show, at the least bit depth that
  // holds them, or into a truecolour image when there are more than 256. Colours of a
  // colour map come out as they are, 5-bit channels as (c << 3) | (c >> 2). The image
  // refers to buffers of the converter, valid until the next conversion; the buffers are
  // kept, so converting a series of pictures allocates little. Throws std::bad_alloc.
  PngImage Convert(const ScanLines& lines);

 private:
  PngImage ConvertIndexed(const ScanLines& lines);
  PngImage ConvertDirect(const ScanLines& lines);
  template <class Format>
  PngImage ConvertDirect(const ScanLines& lines);
  PngImage Image(const ScanLines& lines, int bit_depth, const uint8_t* pixels, size_t stride,
                 bool with_palette) const;

  std::vector<Rgb> palette_;
  std::vector<uint8_t> indices_;  // one palette index per pixel, from direct colours
  std::vector<uint8_t> pixels_;   // the image's rows
};
