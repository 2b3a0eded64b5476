// A loaded picture read through the entry points, as grey levels: how bright each pixel
// is, whatever the picture's format.
#pragma once

#include <string>
#include <vector>

#include "tests/windows/plugin_module.h"

struct GreyPicture {
  int width = 0;
  int height = 0;
  std::vector<BYTE> levels;  // top row first; the brightest of red, green and blue
  BYTE at(int x, int y) const { return levels[static_cast<size_t>(y) * width + x]; }
};

// Reads every line of `picture` (colour numbers through its colour map, 16-bit pixels as
// 5-5-5). Returns false, with the reason in `error`, when an entry point refuses.
bool ReadGreyPicture(const PluginApi& plugin, void* picture, GreyPicture* grey,
                     std::string* error);
