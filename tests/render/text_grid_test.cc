#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/text_grid.h"

namespace {

std::string Lines(int count, const std::string& line, const std::string& ending) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line + ending;
  return text;
}

TextGrid Measure(const std::string& text) {
  return MeasureTextGrid(reinterpret_cast<const BYTE*>(text.data()),
                         static_cast<DWORD>(text.size()));
}

TEST(MeasureTextGrid, Cases) {
  const std::string last_unterminated = Lines(29, "line", "\n") + "line";
  const struct {
    const char* what;
    std::string text;
    int32_t columns;
    int32_t rows;
  } cases[] = {
      {"empty", "", 80, 25},
      {"CRLF lines", "AB\r\nC\r\n", 80, 25},
      {"last line unterminated", "AB\nC", 80, 25},
      {"three carriage returns", "\r\r\r", 80, 25},
      {"30 LF lines", Lines(30, "line", "\n"), 80, 30},
      {"30 CRLF lines", Lines(30, "line", "\r\n"), 80, 30},
      {"30 lines, the last unterminated", last_unterminated, 80, 30},
      {"unterminated last line of carriage returns only", Lines(29, "x", "\n") + "\r\r", 80, 29},
      {"450 lines", Lines(450, "x", "\n"), 80, 400},
      {"399 lines and an unterminated one", Lines(399, "x", "\n") + "x", 80, 400},
      {"single line of 100 bytes", std::string(100, 'a'), 100, 25},
      {"tab, NUL and escape are cells", std::string(97, 'a') + std::string("\t\0\x1b", 3), 100, 25},
      {"carriage returns in a line are no cells", std::string(100, 'a') + "\r\r\r\r", 100, 25},
      {"widest line decides", "short\n" + std::string(123, 'w') + "\n" + std::string(90, 'v'), 123, 25},
      {"long line after the 400th line feed", Lines(400, "x", "\n") + std::string(120, 'y'), 80, 400},
      {"long line on the 400th line", Lines(399, "x", "\n") + std::string(120, 'y') + "\n", 120, 400},
      {"CR-only line breaks make one line", Lines(50, std::string(81, 'z'), "\r"), 50 * 81, 25},
      {"bytes above 0x7F are cells", std::string(85, '\xdb') + "\n", 85, 25},
  };
  for (const auto& c : cases) {
    const TextGrid grid = Measure(c.text);
    EXPECT_EQ(grid.columns, c.columns) << c.what;
    EXPECT_EQ(grid.rows, c.rows) << c.what;
  }
}

// The scan reads in blocks: lines and carriage returns that straddle a block boundary
// count exactly once.
TEST(MeasureTextGrid, LinesAcrossBlockBoundaries) {
  for (size_t width : {16383u, 16384u, 16385u, 40000u}) {
    std::string text = std::string(width, 'a') + "\r\n" + std::string(width / 2, 'b') + "\r";
    text += std::string(7, 'c');
    const TextGrid grid = Measure(text);
    EXPECT_EQ(grid.columns, static_cast<int32_t>(width)) << width;
    EXPECT_EQ(grid.rows, 25) << width;
  }
}

TEST(MeasureTextGrid, ReadsOnlyTheGivenLength) {
  const std::string text = "abc\ndef\n" + std::string(500, 'x');
  const TextGrid grid = MeasureTextGrid(reinterpret_cast<const BYTE*>(text.data()), 8);
  EXPECT_EQ(grid.columns, 80);
  EXPECT_EQ(grid.rows, 25);
}

}  // namespace
