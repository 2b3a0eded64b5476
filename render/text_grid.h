// The size of a text's picture in character cells.
#pragma once

#include <cstdint>

#include "port/win32.h"

struct TextGrid {
  int32_t columns;  // at least kMinColumns
  int32_t rows;     // kMinRows to kMaxRows
};

constexpr int32_t kMinColumns = 80;
constexpr int32_t kMinRows = 25;
constexpr int32_t kMaxRows = 400;

// Measures `length` bytes of text, in one forward pass without allocating. Line feed
// (0x0A) ends a line, carriage return (0x0D) occupies no cell, every other byte one cell.
// columns: the longest line scanned, at least 80; a line longer than INT32_MAX cells
//   saturates at INT32_MAX.
// rows: the lines scanned, at least 25 and at most 400: one per line feed, and one for a
//   last line without a line feed that holds at least one cell.
// The scan stops at the end of the text or directly after the 400th line feed: lines
// after it are neither counted nor measured.
TextGrid MeasureTextGrid(const BYTE* text, DWORD length);
