#include "tests/windows/text_layout.h"

#include <algorithm>

namespace {
constexpr size_t kMaxRows = 400;
constexpr int kMinColumns = 80;
constexpr int kMinRows = 25;
}  // namespace

TextLayout::TextLayout(const std::string& text) {
  std::string line;
  for (const char c : text) {
    if (lines_.size() == kMaxRows) break;
    if (c == '\n') {
      lines_.push_back(line);
      line.clear();
    } else if (c != '\r') {
      line += c;
    }
  }
  if (!line.empty() && lines_.size() < kMaxRows) lines_.push_back(line);
  size_t longest = 0;
  for (const std::string& l : lines_) longest = std::max(longest, l.size());
  columns_ = std::max(kMinColumns, static_cast<int>(longest));
  rows_ = std::max(kMinRows, static_cast<int>(lines_.size()));
}

int TextLayout::ByteAt(int column, int row) const {
  if (row < 0 || static_cast<size_t>(row) >= lines_.size()) return -1;
  const std::string& line = lines_[static_cast<size_t>(row)];
  if (column < 0 || static_cast<size_t>(column) >= line.size()) return -1;
  return static_cast<unsigned char>(line[static_cast<size_t>(column)]);
}

const std::string& TextLayout::Row(int row) const {
  static const std::string kNone;
  if (row < 0 || static_cast<size_t>(row) >= lines_.size()) return kNone;
  return lines_[static_cast<size_t>(row)];
}
