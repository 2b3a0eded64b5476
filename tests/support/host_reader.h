// Reading a loaded picture through the module's entry points only, as the host does.
#pragma once

#include <string>

#include "tests/support/picture_pixels.h"

struct HostPicture {
  int kind = -1;
  int width = 0;
  int height = 0;
  int resolution = 0;
  int bits = 0;
  int bytes_per_line = 0;
  BOOL has_colormap = -1;
  std::string label;
  BYTE colormap[768] = {};
  Pixels pixels;  // every line, through the colour map below 16 bits
};

// Reads everything the host can ask of `picture`; lines in the order given by
// `reverse` (bottom row first when true). Fails the current test on a 0 result.
HostPicture ReadThroughHost(void* picture, bool reverse = false);
