#include "render/text_grid.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr BYTE kLineFeed = 0x0A;
constexpr BYTE kCarriageReturn = 0x0D;

// The text is scanned in blocks small enough to stay in the first-level cache: the
// search for line feeds brings a block in, the count of carriage returns reads it again
// from the cache.
constexpr size_t kBlockBytes = 16 * 1024;

// Cells in [begin, end): every byte but carriage returns.
uint32_t CountCells(const BYTE* begin, const BYTE* end) {
  uint32_t cells = static_cast<uint32_t>(end - begin);
  const void* cr;
  while ((cr = std::memchr(begin, kCarriageReturn, static_cast<size_t>(end - begin))) != nullptr) {
    --cells;
    begin = static_cast<const BYTE*>(cr) + 1;
  }
  return cells;
}

}  // namespace

TextGrid MeasureTextGrid(const BYTE* text, DWORD length) {
  uint32_t widest = 0;      // cells in the longest line so far
  uint32_t run = 0;         // cells in the current line
  uint32_t line_feeds = 0;
  bool capped = false;

  const BYTE* position = text;
  const BYTE* const end = text + length;
  while (position < end) {
    const BYTE* block_end = position + std::min<size_t>(static_cast<size_t>(end - position), kBlockBytes);
    const void* line_feed =
        std::memchr(position, kLineFeed, static_cast<size_t>(block_end - position));
    if (line_feed == nullptr) {
      run += CountCells(position, block_end);
      position = block_end;
      continue;
    }
    const BYTE* line_end = static_cast<const BYTE*>(line_feed);
    run += CountCells(position, line_end);
    widest = std::max(widest, run);
    run = 0;
    position = line_end + 1;
    if (++line_feeds >= static_cast<uint32_t>(kMaxRows)) {
      capped = true;
      break;
    }
  }

  uint32_t lines = line_feeds;
  if (!capped && run > 0) {
    widest = std::max(widest, run);
    ++lines;  // the last line, without a line feed
  }

  TextGrid grid;
  grid.columns = static_cast<int32_t>(
      std::clamp<uint32_t>(widest, kMinColumns, static_cast<uint32_t>(INT32_MAX)));
  grid.rows = static_cast<int32_t>(std::clamp<uint32_t>(lines, kMinRows, kMaxRows));
  return grid;
}
