// A picture ready to be encoded as PNG: a view of pixel rows held elsewhere.
#pragma once

#include <cstddef>
#include <cstdint>

struct Rgb {
  uint8_t red;
  uint8_t green;
  uint8_t blue;

  bool operator==(const Rgb& other) const {
    return red == other.red && green == other.green && blue == other.blue;
  }
};

struct PngImage {
  uint32_t width = 0;
  uint32_t height = 0;
  // A palette image when palette_size is 1..256: each pixel is a palette index of
  // bit_depth bits (1, 2, 4 or 8), packed most significant bits first, each row starting
  // on a byte. A truecolour image when palette_size is 0: bit_depth 8, three bytes per
  // pixel (red, green, blue).
  const Rgb* palette = nullptr;
  int palette_size = 0;
  int bit_depth = 8;
  const uint8_t* pixels = nullptr;  // the top row first
  size_t stride = 0;                // bytes from the start of one row to the next
};
