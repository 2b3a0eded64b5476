// Black where nothing was drawn, at the display depth of the run: a new bitmap, also one
// made in memory that a freed bitmap drew on, and rows that PatBlt blackens after
// drawing, read at every DIB depth; text drawn over such rows shows only its glyphs.
#include <utility>

#include "tests/platform/gdi_test_support.h"

namespace gdi_test {
namespace {

constexpr int kDibDepths[] = {1, 4, 8, 16, 24, 32};

uint32_t White(int dib_bits) { return dib_bits == 16 ? 0x7FFF : 0xFFFFFF; }

using BlacknessTest = GdiTest;

TEST_F(BlacknessTest, ANewBitmapIsBlackInMemoryAFreedOneDrewOn) {
  // Small bitmaps come from the heap; 2048 x 1024 is 2 MiB or more at every depth.
  for (const auto& [width, height] : {std::pair{40, 20}, std::pair{2048, 1024}}) {
    for (int round = 0; round < 2; ++round) {
      Canvas canvas(width, height, RGB(255, 255, 255));
      for (const int dib_bits : {1, RunDisplayBits()}) {
        EXPECT_TRUE(SamePixels(canvas.Read(dib_bits), Image(width, height, 0)))
            << width << " x " << height << ", round " << round << ", read at " << dib_bits;
      }
      PatBlt(canvas.dc(), 0, 0, width, height, WHITENESS);
      TextOutA(canvas.dc(), 3, 2, "\xDB", 1);
    }
  }
}

TEST_F(BlacknessTest, RowsBlackenedAfterDrawingReadBlackAndTakeNewText) {
  constexpr int kWidth = 24, kHeight = 40;
  Canvas canvas(kWidth, kHeight, RGB(255, 255, 255));
  PatBlt(canvas.dc(), 0, 0, kWidth, kHeight, WHITENESS);
  TextOutA(canvas.dc(), 0, 0, "\xB1\xB1\xB1", 3);
  PatBlt(canvas.dc(), 0, 8, kWidth, 16, BLACKNESS);   // rows 8 to 23, whole width
  PatBlt(canvas.dc(), 5, 30, 10, 4, BLACKNESS);       // part of rows 30 to 33
  for (const int dib_bits : kDibDepths) {
    Image expected(kWidth, kHeight, White(dib_bits));
    for (int y = 8; y < 24; ++y) {
      for (int x = 0; x < kWidth; ++x) expected.at(x, y) = 0;
    }
    for (int y = 30; y < 34; ++y) {
      for (int x = 5; x < 15; ++x) expected.at(x, y) = 0;
    }
    EXPECT_TRUE(SamePixels(canvas.Read(dib_bits), expected)) << "read at " << dib_bits;
  }

  // Glyph rows 10 to 25: on the black band they show; below it the white stays white.
  TextOutA(canvas.dc(), 4, 10, "AB", 2);
  const int bits = RunDisplayBits();
  Image expected(kWidth, kHeight, White(bits));
  for (int y = 8; y < 24; ++y) {
    for (int x = 0; x < kWidth; ++x) expected.at(x, y) = 0;
  }
  for (int y = 30; y < 34; ++y) {
    for (int x = 5; x < 15; ++x) expected.at(x, y) = 0;
  }
  DrawReferenceText(expected, 4, 10, "AB", White(bits));
  EXPECT_TRUE(SamePixels(canvas.Read(bits), expected));
}

}  // namespace
}  // namespace gdi_test
