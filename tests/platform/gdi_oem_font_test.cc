// The generated CP437 font: box-drawing glyphs meet their neighbours' strokes at the
// cell edges, and blocks and shades fill and tile the cell.
#include <gtest/gtest.h>

#include <bitset>

#include "platform/oem_font.h"

namespace {

using win32_subset::kOemFontGlyphs;

const uint8_t* Glyph(int byte) { return kOemFontGlyphs[byte]; }

// Bit 15 - r set where row r of the glyph has its pixel in column `column`.
uint16_t Column(int byte, int column) {
  uint16_t bits = 0;
  for (int r = 0; r < 16; ++r) bits = uint16_t(bits << 1 | ((Glyph(byte)[r] >> (7 - column)) & 1));
  return bits;
}

TEST(OemFont, BoxDrawingStrokesMeetAtTheCellEdges) {
  // Arms up, down, left, right: 0 none, 1 single line, 2 double line.
  const struct {
    int byte, up, down, left, right;
  } boxes[] = {
      {0xB3, 1, 1, 0, 0}, {0xB4, 1, 1, 1, 0}, {0xB5, 1, 1, 2, 0}, {0xB6, 2, 2, 1, 0},
      {0xB7, 0, 2, 1, 0}, {0xB8, 0, 1, 2, 0}, {0xB9, 2, 2, 2, 0}, {0xBA, 2, 2, 0, 0},
      {0xBB, 0, 2, 2, 0}, {0xBC, 2, 0, 2, 0}, {0xBD, 2, 0, 1, 0}, {0xBE, 1, 0, 2, 0},
      {0xBF, 0, 1, 1, 0}, {0xC0, 1, 0, 0, 1}, {0xC1, 1, 0, 1, 1}, {0xC2, 0, 1, 1, 1},
      {0xC3, 1, 1, 0, 1}, {0xC4, 0, 0, 1, 1}, {0xC5, 1, 1, 1, 1}, {0xC6, 1, 1, 0, 2},
      {0xC7, 2, 2, 0, 1}, {0xC8, 2, 0, 0, 2}, {0xC9, 0, 2, 0, 2}, {0xCA, 2, 0, 2, 2},
      {0xCB, 0, 2, 2, 2}, {0xCC, 2, 2, 0, 2}, {0xCD, 0, 0, 2, 2}, {0xCE, 2, 2, 2, 2},
      {0xCF, 1, 0, 2, 2}, {0xD0, 2, 0, 1, 1}, {0xD1, 0, 1, 2, 2}, {0xD2, 0, 2, 1, 1},
      {0xD3, 2, 0, 0, 1}, {0xD4, 1, 0, 0, 2}, {0xD5, 0, 1, 0, 2}, {0xD6, 0, 2, 0, 1},
      {0xD7, 2, 2, 1, 1}, {0xD8, 1, 1, 2, 2}, {0xD9, 1, 0, 1, 0}, {0xDA, 0, 1, 0, 1},
  };
  const int vertical[3] = {0, 0xB3, 0xBA};    // the strokes an up or down arm continues
  const int horizontal[3] = {0, 0xC4, 0xCD};  // and a left or right arm
  ASSERT_NE(Glyph(0xB3)[0], 0);
  ASSERT_NE(Glyph(0xBA)[0], Glyph(0xB3)[0]);
  ASSERT_NE(Column(0xC4, 0), 0);
  ASSERT_NE(Column(0xCD, 0), Column(0xC4, 0));
  auto top = [&](int style) { return style ? Glyph(vertical[style])[0] : 0; };
  auto bottom = [&](int style) { return style ? Glyph(vertical[style])[15] : 0; };
  auto left = [&](int style) { return style ? Column(horizontal[style], 0) : 0; };
  auto right = [&](int style) { return style ? Column(horizontal[style], 7) : 0; };
  for (const auto& box : boxes) {
    SCOPED_TRACE(testing::Message() << "glyph 0x" << std::hex << box.byte);
    EXPECT_EQ(Glyph(box.byte)[0], top(box.up)) << "top row";
    EXPECT_EQ(Glyph(box.byte)[15], bottom(box.down)) << "bottom row";
    EXPECT_EQ(Column(box.byte, 0), left(box.left)) << "left column";
    EXPECT_EQ(Column(box.byte, 7), right(box.right)) << "right column";
  }
}

TEST(OemFont, BlocksFillTheirPartOfTheCell) {
  const struct {
    int byte;
    uint8_t upper, lower;  // every row of the upper and of the lower half
  } blocks[] = {
      {0xDB, 0xFF, 0xFF}, {0xDC, 0x00, 0xFF}, {0xDD, 0xF0, 0xF0},
      {0xDE, 0x0F, 0x0F}, {0xDF, 0xFF, 0x00},
  };
  for (const auto& block : blocks) {
    for (int r = 0; r < 16; ++r) {
      EXPECT_EQ(Glyph(block.byte)[r], r < 8 ? block.upper : block.lower)
          << "glyph 0x" << std::hex << block.byte << ", row " << std::dec << r;
    }
  }
}

TEST(OemFont, ShadesTileAndDarkenInTurn) {
  size_t previous_ink = 0;
  for (int byte : {0xB0, 0xB1, 0xB2}) {
    SCOPED_TRACE(testing::Message() << "glyph 0x" << std::hex << byte);
    size_t ink = 0;
    for (int r = 0; r < 16; ++r) ink += std::bitset<8>(Glyph(byte)[r]).count();
    EXPECT_GT(ink, previous_ink);
    previous_ink = ink;
    bool tiles = false;  // rows repeat with a period that divides the cell's height
    for (int period : {1, 2, 4, 8}) {
      bool periodic = true;
      for (int r = 0; r < 16; ++r) periodic = periodic && Glyph(byte)[r] == Glyph(byte)[r % period];
      tiles = tiles || periodic;
    }
    EXPECT_TRUE(tiles);
  }
}

}  // namespace
