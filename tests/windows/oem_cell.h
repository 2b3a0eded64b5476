// The size of one character cell, read from the platform: the stock OEM fixed font's
// widest character by its height.
#pragma once

#include "port/win32.h"

struct CellSize {
  LONG width;
  LONG height;
};

// tmMaxCharWidth by tmHeight of OEM_FIXED_FONT selected into a memory DC.
CellSize OemCellSize();
