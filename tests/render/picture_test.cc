// Pictures made from texts, checked pixel by pixel against the font table at the
// display depth the test runs at.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/oem_font.h"
#include "platform/testing.h"
#include "render/picture.h"
#include "render/text_grid.h"
#include "tests/support/picture_pixels.h"
#include "tests/support/text_cells.h"

namespace {

constexpr int W = win32_subset::kOemFontWidth;
constexpr int H = win32_subset::kOemFontHeight;

struct PictureDeleter {
  void operator()(PictureRecord* record) const { DestroyPicture(record); }
};
using Picture = std::unique_ptr<PictureRecord, PictureDeleter>;

Picture Make(const std::string& text) {
  const auto* bytes = reinterpret_cast<const BYTE*>(text.data());
  const DWORD length = static_cast<DWORD>(text.size());
  return Picture(CreatePicture(bytes, length, MeasureTextGrid(bytes, length)));
}

std::string Repeat(int count, const std::string& piece) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

int DisplayBits() {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits;
}

class PictureTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0)
        << win32_testing::Describe(win32_testing::CountLiveObjects());
  }

  // Checks size and every pixel of the picture of `text`.
  void ExpectPicture(const std::string& text, int columns, int rows,
                     const std::vector<Cell>& cells) {
    Picture picture = Make(text);
    ASSERT_NE(picture, nullptr);
    const BITMAPINFOHEADER& header = picture->header;
    ASSERT_EQ(header.biWidth, columns * W);
    ASSERT_EQ(header.biHeight, rows * H);
    const int bits = header.biBitCount;
    const uint32_t ink = DisplayedColor(kTextColor, bits, picture->colors);
    EXPECT_NE(ink, 0u) << "the text must show on black";
    EXPECT_EQ(CompareWithCells(ReadPicture(picture.get()), cells, ink), "");
  }
};

TEST_F(PictureTest, HeaderDescribesTheDisplaysFormat) {
  Picture picture = Make("AB\r\nC\r\n");
  ASSERT_NE(picture, nullptr);
  const BITMAPINFOHEADER& h = picture->header;
  const int bits = DisplayBits();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 80 * W);
  EXPECT_EQ(h.biHeight, 25 * H);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, bits);
  EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(h.biXPelsPerMeter, 72);
  EXPECT_EQ(h.biYPelsPerMeter, 72);
  if (bits < 16) {
    EXPECT_EQ(h.biClrUsed, 256u);
    EXPECT_EQ(h.biClrImportant, 256u);
    const RGBQUAD black = picture->colors[0];
    EXPECT_EQ(black.rgbRed | black.rgbGreen | black.rgbBlue, 0) << "entry 0 is black";
    bool has_other = false;
    for (int n = 1; n < (1 << bits); ++n) {
      has_other |= (picture->colors[n].rgbRed | picture->colors[n].rgbGreen |
                    picture->colors[n].rgbBlue) != 0;
    }
    EXPECT_TRUE(has_other) << "the colour table holds the display's colours";
  } else {
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(h.biClrImportant, 0u);
  }
}

TEST_F(PictureTest, CarriageReturnsAndLineFeeds) {
  ExpectPicture("AB\r\nC\r\n", 80, 25, {{0, 0, 'A'}, {1, 0, 'B'}, {0, 1, 'C'}});
}

TEST_F(PictureTest, ControlBytesShowAsFullStops) {
  const std::string text("\x09\x00\x1b\x7f\x80\xff\x0d\x01\x0a" "Z", 10);
  ExpectPicture(text, 80, 25,
                {{0, 0, '.'}, {1, 0, '.'}, {2, 0, '.'}, {3, 0, 0x7F}, {4, 0, 0x80},
                 {5, 0, 0xFF}, {6, 0, '.'}, {0, 1, 'Z'}});
}

TEST_F(PictureTest, EveryByteAboveControlIsItsOwnGlyph) {
  std::string text;
  std::vector<Cell> cells;
  for (int byte = 0x20; byte <= 0xFF; ++byte) {
    const int index = byte - 0x20;
    text += static_cast<char>(byte);
    if (index % 32 == 31) text += "\r\n";
    cells.push_back(Cell{index % 32, index / 32, static_cast<uint8_t>(byte)});
  }
  ExpectPicture(text, 80, 25, cells);
}

TEST_F(PictureTest, FullWidthLineLeavesNoEmptyRow) {
  const std::string xs(80, 'x');
  ExpectPicture(xs + "\r\nyz", 80, 25, CellsOfLines({xs, "yz"}));
  const std::string wide(100, 'w');
  ExpectPicture(wide + "\r\n" + wide + "\nv", 100, 25, CellsOfLines({wide, wide, "v"}));
}

TEST_F(PictureTest, LinesBeyondTheMinimumGrowThePicture) {
  std::vector<std::string> lines;
  for (int i = 0; i < 30; ++i) lines.push_back("line " + std::to_string(i));
  std::string terminated;
  for (const auto& line : lines) terminated += line + "\n";
  ExpectPicture(terminated, 80, 30, CellsOfLines(lines));
  // The last line without a line feed is a row of its own, painted inside the picture.
  ExpectPicture(terminated.substr(0, terminated.size() - 1), 80, 30, CellsOfLines(lines));
}

TEST_F(PictureTest, RowsStopAt400) {
  std::vector<std::string> lines;
  std::string text;
  for (int i = 0; i < 450; ++i) {
    lines.push_back(std::to_string(i % 10));
    text += lines.back() + "\n";
  }
  lines.resize(400);
  ExpectPicture(text, 80, 400, CellsOfLines(lines));
}

TEST_F(PictureTest, ShortTextLeavesTheRestBlack) {
  ExpectPicture("one\ntwo\nthree", 80, 25, CellsOfLines({"one", "two", "three"}));
  ExpectPicture("\r\r\r", 80, 25, {});
}

TEST_F(PictureTest, MakingTheBitmapFailsTheLoad) {
  win32_testing::ArmFault(win32_testing::Call::kCreateCompatibleBitmap, 1,
                          win32_testing::FaultMode::kOnce);
  EXPECT_EQ(Make("text"), nullptr);
  win32_testing::DisarmFault();
}

TEST_F(PictureTest, GridTooLargeForPixelsIsRefusedWithoutAskingForABitmap) {
  const BYTE text[] = "x";
  for (TextGrid grid : {TextGrid{INT32_MAX, 25}, TextGrid{INT32_MAX / W + 1, 25},
                        TextGrid{80, INT32_MAX / H + 1}, TextGrid{0, 25}, TextGrid{80, -1}}) {
    win32_testing::StartJournal();
    EXPECT_EQ(CreatePicture(text, 1, grid), nullptr) << grid.columns << " x " << grid.rows;
    const std::vector<std::string> calls = win32_testing::StopJournal();
    for (const std::string& call : calls) EXPECT_NE(call, "CreateCompatibleBitmap");
  }
}

TEST_F(PictureTest, LargestRefusedLineFailsCleanly) {
  // A text whose lines end in carriage returns only is one very wide line.
  Picture picture = Make(Repeat(100000, "0123456789\r"));
  EXPECT_EQ(picture, nullptr);
}

TEST_F(PictureTest, CallsInOrder) {
  win32_testing::StartJournal();
  Picture picture = Make("ab");
  std::vector<std::string> calls = win32_testing::StopJournal();
  ASSERT_NE(picture, nullptr);
  std::vector<std::string> expected = {
      "GetDC", "CreateCompatibleDC", "SetTextColor", "SetBkMode", "GetStockObject",
      "SelectObject(font)", "GetTextMetricsA", "HeapAlloc", "CreateCompatibleBitmap",
      "GetDIBits"};
  if (picture->header.biBitCount < 16) expected.push_back("GetDIBits");
  for (const char* call : {"SelectObject(bitmap)", "PatBlt", "TextOutA", "TextOutA",
                           "SelectObject(bitmap)", "DeleteDC", "ReleaseDC"}) {
    expected.push_back(call);
  }
  EXPECT_EQ(calls, expected);
}

TEST_F(PictureTest, FailureWalkedThroughAWholePicture) {
  const std::string text = "AB\r\nC";
  Picture reference = Make(text);
  ASSERT_NE(reference, nullptr);
  const Pixels expected = ReadPicture(reference.get());
  reference.reset();

  for (uint32_t n = 1;; ++n) {
    win32_testing::ArmFaultOnAnyCall(n, win32_testing::FaultMode::kOnce);
    Picture picture = Make(text);
    const bool triggered = win32_testing::FaultTriggered();
    win32_testing::DisarmFault();
    if (picture != nullptr) {
      EXPECT_EQ(picture->header.biWidth, expected.width) << "failing call " << n;
      EXPECT_EQ(picture->header.biHeight, expected.height) << "failing call " << n;
      EXPECT_NE(picture->bitmap, nullptr) << "failing call " << n;
    }
    picture.reset();
    EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0)
        << "failing call " << n << ": " << win32_testing::Describe(win32_testing::CountLiveObjects());
    if (!triggered) break;
  }
}

// PaintText on its own, with a picture narrower than the text's lines.
TEST_F(PictureTest, LineWiderThanThePictureContinuesOnTheNextRow) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 3 * W, 3 * H);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  SetTextColor(memory, kTextColor);
  SetBkMode(memory, TRANSPARENT);
  SelectObject(memory, GetStockObject(OEM_FIXED_FONT));
  PatBlt(memory, 0, 0, 3 * W, 3 * H, BLACKNESS);
  const std::string text = "ABCDEFG\nH";
  // Cells run while x <= width: A B C at 0..2W and D at x = 3W, outside; then the row ends.
  PaintText(memory, reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()),
            W, H, 3 * W, 3 * H);
  SelectObject(memory, previous);

  PictureRecord record = {};
  record.header.biSize = sizeof(BITMAPINFOHEADER);
  record.bitmap = bitmap;
  ASSERT_NE(GetDIBits(screen, bitmap, 0, 0, nullptr, AsBitmapInfo(&record), DIB_RGB_COLORS), 0);
  if (record.header.biBitCount < 16) {
    GetDIBits(screen, bitmap, 0, 0, nullptr, AsBitmapInfo(&record), DIB_RGB_COLORS);
  }
  const Pixels pixels = ReadPicture(&record);
  const uint32_t ink = DisplayedColor(kTextColor, record.header.biBitCount, record.colors);
  EXPECT_EQ(CompareWithCells(pixels, CellsOfLines({"ABC", "EFG", "H"}), ink), "");
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
}

}  // namespace
