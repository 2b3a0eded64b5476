// TextOutA at the display depth of the run: glyphs against the font table, transparent
// and opaque backgrounds, clipping at every edge, the text colour as each depth shows it,
// and the ANSI stock font.
#include <climits>
#include <string>

#include "tests/platform/gdi_test_support.h"

namespace gdi_test {
namespace {

// How Dib::At reads colours at the display depth of the run.
struct Shown {
  COLORREF colour;
  uint32_t at[6];  // at 1, 4, 8, 16, 24, 32 bits
};

uint32_t ShownAtRunDepth(const Shown& shown) {
  switch (RunDisplayBits()) {
    case 1: return shown.at[0];
    case 4: return shown.at[1];
    case 8: return shown.at[2];
    case 16: return shown.at[3];
    case 24: return shown.at[4];
    default: return shown.at[5];
  }
}

const Shown kBlack = {RGB(0, 0, 0), {0, 0, 0, 0, 0, 0}};
const Shown kWhite = {RGB(255, 255, 255),
                      {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x7FFF, 0xFFFFFF, 0xFFFFFF}};
const Shown kLightGrey = {RGB(0xF0, 0xF0, 0xF0),
                          {0xFFFFFF, 0xFFFFFF, 0xF0F0F0, 0x7BDE, 0xF0F0F0, 0xF0F0F0}};

using TextOutTest = GdiTest;

TEST_F(TextOutTest, EveryGlyphMatchesTheFontTable) {
  Canvas canvas(32 * 8, 8 * 16, kLightGrey.colour);
  Image expected(32 * 8, 8 * 16, 0);
  const uint32_t grey = ShownAtRunDepth(kLightGrey);
  for (int line = 0; line < 8; ++line) {
    std::string text;
    for (int i = 0; i < 32; ++i) text += static_cast<char>(line * 32 + i);
    ASSERT_TRUE(TextOutA(canvas.dc(), 0, line * 16, text.data(), 32));
    DrawReferenceText(expected, 0, line * 16, text, grey);
  }
  EXPECT_TRUE(SamePixels(canvas.Read(RunDisplayBits()), expected));
}

TEST_F(TextOutTest, TransparentModeLeavesThePixelsAroundGlyphs) {
  Canvas canvas(40, 24, kLightGrey.colour);
  ASSERT_TRUE(PatBlt(canvas.dc(), 0, 0, 40, 24, WHITENESS));
  SetTextColor(canvas.dc(), kBlack.colour);
  const std::string text = "\x01" "A\xB1\xDC";
  ASSERT_TRUE(TextOutA(canvas.dc(), 3, 5, text.data(), 4));
  Image expected(40, 24, ShownAtRunDepth(kWhite));
  DrawReferenceText(expected, 3, 5, text, ShownAtRunDepth(kBlack));
  EXPECT_TRUE(SamePixels(canvas.Read(RunDisplayBits()), expected));
}

TEST_F(TextOutTest, OpaqueModeTurnsTheRestOfEachCellWhite) {
  Canvas canvas(40, 24, kLightGrey.colour);
  SetBkMode(canvas.dc(), OPAQUE);
  SetTextColor(canvas.dc(), kBlack.colour);
  const std::string text = "\x02" "B\xB0";
  ASSERT_TRUE(TextOutA(canvas.dc(), 5, 3, text.data(), 3));
  Image expected(40, 24, 0);
  for (int y = 3; y < 19; ++y) {
    for (int x = 5; x < 29; ++x) expected.at(x, y) = ShownAtRunDepth(kWhite);
  }
  DrawReferenceText(expected, 5, 3, text, ShownAtRunDepth(kBlack));
  EXPECT_TRUE(SamePixels(canvas.Read(RunDisplayBits()), expected));
}

TEST_F(TextOutTest, ClipsAtEveryEdge) {
  constexpr int kWidth = 21, kHeight = 19;  // partial cells both ways
  const std::string text = "\xDB\xB2\x01";  // 24 x 16 pixels
  const struct {
    int x, y;
  } cases[] = {
      {5, 1},                 // inside but for the right edge
      {-3, 1},    {-13, 2},   // left: part of a cell, part of the second
      {2, -7},    {2, 12},    // top, bottom
      {16, 0},    {-5, -9},   {17, 15},  // right, corners
      {-24, 0},   {21, 0},    {0, 19},   {0, -16},  // just outside each edge
      {INT_MIN, 0}, {INT_MAX, 0}, {0, INT_MIN}, {0, INT_MAX}, {INT_MAX - 7, INT_MAX - 15},
  };
  for (const auto& c : cases) {
    Canvas canvas(kWidth, kHeight, kLightGrey.colour);
    ASSERT_TRUE(TextOutA(canvas.dc(), c.x, c.y, text.data(), 3)) << c.x << ", " << c.y;
    Image expected(kWidth, kHeight, 0);
    DrawReferenceText(expected, c.x, c.y, text, ShownAtRunDepth(kLightGrey));
    EXPECT_TRUE(SamePixels(canvas.Read(RunDisplayBits()), expected)) << "text at (" << c.x << ", " << c.y << ")";
  }
}

TEST_F(TextOutTest, TextColourAsTheDisplayShowsIt) {
  const Shown colours[] = {
      kBlack, kWhite, kLightGrey,
      {RGB(0x12, 0x34, 0x56), {0x000000, 0x000080, 0x003366, 0x08CA, 0x123456, 0x123456}},
      {RGB(0x80, 0x80, 0x80), {0xFFFFFF, 0x808080, 0x808080, 0x4210, 0x808080, 0x808080}},
      {RGB(0x7F, 0x7F, 0x7F), {0x000000, 0x808080, 0x808080, 0x3DEF, 0x7F7F7F, 0x7F7F7F}},
      {RGB(0xFF, 0x00, 0x00), {0x000000, 0xFF0000, 0xFF0000, 0x7C00, 0xFF0000, 0xFF0000}},
      {RGB(0xC0, 0xDC, 0xC0), {0xFFFFFF, 0xC0C0C0, 0xC0DCC0, 0x6378, 0xC0DCC0, 0xC0DCC0}},
  };
  for (const Shown& shown : colours) {
    Canvas canvas(8, 16, kLightGrey.colour);
    if (shown.colour == kBlack.colour) PatBlt(canvas.dc(), 0, 0, 8, 16, WHITENESS);
    SetTextColor(canvas.dc(), shown.colour);
    ASSERT_TRUE(TextOutA(canvas.dc(), 0, 0, "\xDB", 1));  // the full block
    EXPECT_TRUE(SamePixels(canvas.Read(RunDisplayBits()), Image(8, 16, ShownAtRunDepth(shown))))
        << "text colour 0x" << std::hex << shown.colour;
  }
}

TEST_F(TextOutTest, TheDefaultFontShowsWindows1252Text) {
  Canvas canvas(32, 16, kLightGrey.colour);
  ASSERT_NE(SelectObject(canvas.dc(), GetStockObject(SYSTEM_FONT)), nullptr);
  // 'A' as such, A-umlaut (0xC4) as CP437 shows it (0x8E); superscript three and a
  // control code, which CP437 lacks, as the default character '?'.
  ASSERT_TRUE(TextOutA(canvas.dc(), 0, 0, "A\xC4\xB3\x01", 4));
  Image expected(32, 16, 0);
  DrawReferenceText(expected, 0, 0, "A\x8E??", ShownAtRunDepth(kLightGrey));
  EXPECT_TRUE(SamePixels(canvas.Read(RunDisplayBits()), expected));
}

TEST_F(TextOutTest, RefusesBadArgumentsAndDrawsNothingForNoText) {
  Canvas canvas(8, 16, kLightGrey.colour);
  EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, "A", -1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, nullptr, 1));
  EXPECT_TRUE(TextOutA(canvas.dc(), 0, 0, nullptr, 0));
  EXPECT_TRUE(SamePixels(canvas.Read(RunDisplayBits()), Image(8, 16, 0)));
}

}  // namespace
}  // namespace gdi_test
