// GetDIBits at the display depth of the run: the query, the scan-line format of every
// DIB depth, colour tables, conversions, start and count, sizes and refusals.
#include <climits>
#include <cstring>
#include <set>
#include <vector>

#include "tests/platform/gdi_test_support.h"

namespace gdi_test {
namespace {

constexpr int kDepths[] = {1, 4, 8, 16, 24, 32};

// BITMAPINFO with room for 256 colours, all poisoned.
struct Info {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
  Info() { std::memset(this, kPoison, sizeof *this); }
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

void SetFormat(Info& info, int width, int height, int bits, DWORD compression = BI_RGB) {
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = compression;
}

size_t Stride(int width, int bits) { return (size_t(width) * bits + 31) / 32 * 4; }

uint32_t Colour(const RGBQUAD& c) {
  return uint32_t(c.rgbRed) << 16 | uint32_t(c.rgbGreen) << 8 | c.rgbBlue;
}

// A bitmap of the display's format, unselected, with a memory context to draw on it.
class Picture {
 public:
  Picture(int width, int height) : width_(width), height_(height) {
    screen_ = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen_);
    bitmap_ = CreateCompatibleBitmap(screen_, width, height);
    EXPECT_NE(bitmap_, nullptr);
    SelectObject(dc_, GetStockObject(OEM_FIXED_FONT));
    SetBkMode(dc_, TRANSPARENT);
  }
  ~Picture() {
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    ReleaseDC(nullptr, screen_);
  }
  // Draws with `draw(dc)` on the bitmap, then unselects it.
  template <typename Draw>
  void Paint(Draw draw) {
    HGDIOBJ initial = SelectObject(dc_, bitmap_);
    ASSERT_NE(initial, nullptr);
    draw(dc_);
    SelectObject(dc_, initial);
  }
  HDC screen() const { return screen_; }
  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_, height_;
  HDC screen_, dc_;
  HBITMAP bitmap_;
};

using GetDIBitsTest = GdiTest;

TEST_F(GetDIBitsTest, QueryDescribesTheBitmapAndLeavesTheColourTable) {
  Picture picture(13, 5);
  HBITMAP monochrome = CreateCompatibleBitmap(picture.dc(), 13, 5);
  const struct {
    HBITMAP bitmap;
    int bits;
  } cases[] = {{picture.bitmap(), RunDisplayBits()}, {monochrome, 1}};
  for (const auto& c : cases) {
    Info info;
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biBitCount = 0;
    EXPECT_NE(GetDIBits(picture.screen(), c.bitmap, 0, 0, nullptr, info.get(), DIB_RGB_COLORS),
              0);
    const DWORD compression = c.bits == 16 || c.bits == 32 ? BI_BITFIELDS : BI_RGB;
    EXPECT_EQ(info.header.biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(info.header.biWidth, 13);
    EXPECT_EQ(info.header.biHeight, 5);
    EXPECT_EQ(info.header.biPlanes, 1);
    EXPECT_EQ(info.header.biBitCount, c.bits);
    EXPECT_EQ(info.header.biCompression, compression) << c.bits << " bits";
    EXPECT_EQ(info.header.biSizeImage, Stride(13, c.bits) * 5) << c.bits << " bits";
    EXPECT_EQ(info.header.biClrUsed, 0u);
    for (const RGBQUAD& entry : info.colours) {
      ASSERT_EQ(Colour(entry), 0xA5A5A5u) << "the query wrote the colour table";
    }
  }
  DeleteObject(monochrome);
}

TEST_F(GetDIBitsTest, ScanLinesOfEveryDepth) {
  // Top row white, black, black; bottom row black.
  Picture picture(3, 2);
  picture.Paint([](HDC dc) { PatBlt(dc, 0, 0, 1, 1, WHITENESS); });
  const struct {
    int bits;
    std::vector<uint8_t> top;  // the second line of the bottom-up DIB
  } cases[] = {
      {1, {0x80, 0, 0, 0}},
      {4, {0xF0, 0, 0, 0}},
      {8, {0xFF, 0, 0, 0}},
      {16, {0xFF, 0x7F, 0, 0, 0, 0, 0, 0}},
      {24, {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {32, {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const Dib dib = ReadDib(picture.screen(), picture.bitmap(), 3, 2, c.bits);
    std::vector<uint8_t> expected(c.top.size(), 0);  // the bottom line
    expected.insert(expected.end(), c.top.begin(), c.top.end());
    EXPECT_EQ(dib.bits, expected) << "read at " << c.bits << " bits";
    EXPECT_EQ(dib.header.biSizeImage, expected.size()) << "read at " << c.bits << " bits";
  }
}

TEST_F(GetDIBitsTest, ColourTablesOfTheIndexedDepths) {
  Picture picture(1, 1);
  const Dib mono = ReadDib(picture.screen(), picture.bitmap(), 1, 1, 1);
  EXPECT_EQ(Colour(mono.colours[0]), 0x000000u);
  EXPECT_EQ(Colour(mono.colours[1]), 0xFFFFFFu);
  EXPECT_EQ(Colour(mono.colours[2]), 0xA5A5A5u) << "2 entries at 1 bit";

  const uint32_t vga[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                            0x008080, 0x808080, 0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00,
                            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  const Dib four = ReadDib(picture.screen(), picture.bitmap(), 1, 1, 4);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(Colour(four.colours[i]), vga[i]) << "entry " << i;
    EXPECT_EQ(four.colours[i].rgbReserved, 0);
  }
  EXPECT_EQ(Colour(four.colours[16]), 0xA5A5A5u) << "16 entries at 4 bits";

  const uint32_t statics[20] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  const Dib eight = ReadDib(picture.screen(), picture.bitmap(), 1, 1, 8);
  std::set<uint32_t> distinct;
  for (int i = 0; i < 256; ++i) distinct.insert(Colour(eight.colours[i]));
  EXPECT_EQ(distinct.size(), 256u);
  EXPECT_EQ(distinct.count(0xF0F0F0), 1u) << "light grey is in the system palette";
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(Colour(eight.colours[i]), statics[i]) << "entry " << i;
    EXPECT_EQ(Colour(eight.colours[246 + i]), statics[10 + i]) << "entry " << 246 + i;
  }
}

TEST_F(GetDIBitsTest, ConvertsTheDisplaysColoursToEveryDepth) {
  // Light grey as the display shows it (1 and 4 bits: white; 16 bits: 5-5-5), read at
  // each DIB depth: per display depth 1, 4, 8, 16, 24, 32.
  const struct {
    int bits;
    uint32_t shown[6];
  } cases[] = {
      {1, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
      {4, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
      {8, {0xFFFFFF, 0xFFFFFF, 0xF0F0F0, 0xFFFBF0, 0xF0F0F0, 0xF0F0F0}},
      {16, {0x7FFF, 0x7FFF, 0x7BDE, 0x7BDE, 0x7BDE, 0x7BDE}},
      {24, {0xFFFFFF, 0xFFFFFF, 0xF0F0F0, 0xF7F7F7, 0xF0F0F0, 0xF0F0F0}},
      {32, {0xFFFFFF, 0xFFFFFF, 0xF0F0F0, 0xF7F7F7, 0xF0F0F0, 0xF0F0F0}},
  };
  const int display = RunDisplayBits();
  const int column = display == 1 ? 0 : display == 4 ? 1 : display == 8 ? 2
                   : display == 16 ? 3 : display == 24 ? 4 : 5;
  Picture picture(8, 16);
  picture.Paint([](HDC dc) {
    SetTextColor(dc, RGB(0xF0, 0xF0, 0xF0));
    TextOutA(dc, 0, 0, "\xDB", 1);
  });
  for (const auto& c : cases) {
    const Dib dib = ReadDib(picture.screen(), picture.bitmap(), 8, 16, c.bits);
    EXPECT_TRUE(SamePixels(dib, Image(8, 16, c.shown[column]))) << "read at " << c.bits;
  }
}

TEST_F(GetDIBitsTest, StartAndCountSelectBottomUpLines) {
  Picture picture(5, 7);
  picture.Paint([](HDC dc) {  // rows that differ from each other
    SetTextColor(dc, RGB(0xF0, 0xF0, 0xF0));
    TextOutA(dc, -1, -3, "\x01", 1);
    PatBlt(dc, 4, 0, 1, 3, WHITENESS);
  });
  const int bits = RunDisplayBits();
  const Dib all = ReadDib(picture.screen(), picture.bitmap(), 5, 7, bits);
  const size_t stride = Stride(5, bits);
  const struct {
    UINT start, count;
    int lines;
  } cases[] = {
      {0, 7, 7},        {0, 100, 7},      {6, 3, 1},   {3, 2, 2},        {7, 1, 0},
      {100, 1, 0},      {2, 0, 0},        {0, UINT_MAX, 7}, {UINT_MAX, 2, 0}, {5, UINT_MAX, 2},
  };
  for (const auto& c : cases) {
    Info info;
    SetFormat(info, 5, 7, bits);
    std::vector<uint8_t> buffer(stride * 7 + 64, kPoison);
    const int lines = GetDIBits(picture.screen(), picture.bitmap(), c.start, c.count,
                                buffer.data(), info.get(), DIB_RGB_COLORS);
    EXPECT_EQ(lines, c.lines) << "start " << c.start << ", count " << c.count;
    const size_t written = stride * c.lines;
    for (size_t i = 0; i < buffer.size(); ++i) {
      const uint8_t expected = i < written ? all.bits[stride * c.start + i] : kPoison;
      if (buffer[i] != expected) {
        ADD_FAILURE() << "start " << c.start << ", count " << c.count << ": byte " << i
                      << " is 0x" << std::hex << int(buffer[i]) << ", expected 0x"
                      << int(expected);
        break;
      }
    }
  }
}

TEST_F(GetDIBitsTest, ADibOfAnotherSizeLinesUpWithTheTopLeftCorner) {
  Picture picture(5, 7);
  picture.Paint([](HDC dc) { PatBlt(dc, 0, 0, 5, 7, WHITENESS); });
  const uint32_t white = RunDisplayBits() == 16 ? 0x7FFF : 0xFFFFFF;
  const struct {
    int width, height, lines;
  } cases[] = {{7, 10, 7}, {3, 4, 4}};
  for (const auto& c : cases) {
    const Dib dib = [&] {
      Info info;
      SetFormat(info, c.width, c.height, RunDisplayBits());
      Dib read;
      read.header = info.header;
      read.bits.assign(read.Stride() * c.height, kPoison);
      read.lines = GetDIBits(picture.screen(), picture.bitmap(), 0, c.height,
                             read.bits.data(), info.get(), DIB_RGB_COLORS);
      std::memcpy(read.colours, info.colours, sizeof read.colours);
      return read;
    }();
    EXPECT_EQ(dib.lines, c.lines) << c.width << " x " << c.height;
    Image expected(c.width, c.height, 0);
    for (int y = 0; y < std::min(c.height, 7); ++y) {
      for (int x = 0; x < std::min(c.width, 5); ++x) expected.at(x, y) = white;
    }
    EXPECT_TRUE(SamePixels(dib, expected)) << c.width << " x " << c.height;
  }
}

TEST_F(GetDIBitsTest, BitfieldsGiveTheSamePixelsAndWriteTheirMasks) {
  Picture picture(4, 2);
  picture.Paint([](HDC dc) { PatBlt(dc, 1, 0, 2, 1, WHITENESS); });
  const struct {
    int bits;
    DWORD masks[3];
  } cases[] = {{16, {0x7C00, 0x03E0, 0x001F}}, {32, {0xFF0000, 0x00FF00, 0x0000FF}}};
  for (const auto& c : cases) {
    const Dib plain = ReadDib(picture.screen(), picture.bitmap(), 4, 2, c.bits);
    Info info;
    SetFormat(info, 4, 2, c.bits, BI_BITFIELDS);
    std::vector<uint8_t> buffer(plain.bits.size(), kPoison);
    EXPECT_EQ(GetDIBits(picture.screen(), picture.bitmap(), 0, 2, buffer.data(), info.get(),
                        DIB_RGB_COLORS),
              2);
    EXPECT_EQ(buffer, plain.bits) << c.bits << " bits";
    DWORD masks[3];
    std::memcpy(masks, info.colours, sizeof masks);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(masks[i], c.masks[i]) << c.bits << " bits, mask " << i;
  }
}

TEST_F(GetDIBitsTest, WithoutBitsFillsTheColourTableOnly) {
  Picture picture(4, 2);
  for (int bits : kDepths) {
    Info info;
    SetFormat(info, 4, 2, bits);
    EXPECT_NE(GetDIBits(picture.screen(), picture.bitmap(), 0, 2, nullptr, info.get(),
                        DIB_RGB_COLORS),
              0);
    EXPECT_EQ(info.header.biSizeImage, Stride(4, bits) * 2);
    const bool indexed = bits <= 8;
    EXPECT_EQ(Colour(info.colours[0]), indexed ? 0x000000u : 0xA5A5A5u) << bits << " bits";
  }
}

TEST_F(GetDIBitsTest, ReadsABitmapWhileItIsSelected) {
  Picture picture(4, 2);
  HGDIOBJ initial = SelectObject(picture.dc(), picture.bitmap());
  const Dib dib = ReadDib(picture.screen(), picture.bitmap(), 4, 2, 32);
  EXPECT_TRUE(SamePixels(dib, Image(4, 2, 0)));
  SelectObject(picture.dc(), initial);
}

TEST_F(GetDIBitsTest, RefusesWhatItCannotMake) {
  Picture picture(4, 2);
  HBITMAP stale = CreateCompatibleBitmap(picture.screen(), 4, 2);
  DeleteObject(stale);
  const HDC screen = picture.screen();
  const HBITMAP bitmap = picture.bitmap();
  constexpr UINT kRgb = DIB_RGB_COLORS;
  const struct {
    const char* what;
    HDC dc;
    HBITMAP bitmap;
    DWORD size;
    int width, height, bits;
    DWORD compression;
    UINT usage;
  } cases[] = {
      {"header too small", screen, bitmap, 39, 4, 2, 32, BI_RGB, kRgb},
      {"palette usage", screen, bitmap, 40, 4, 2, 32, BI_RGB, 1},
      {"7 bits", screen, bitmap, 40, 4, 2, 7, BI_RGB, kRgb},
      {"top-down", screen, bitmap, 40, 4, -2, 32, BI_RGB, kRgb},
      {"no width", screen, bitmap, 40, 0, 2, 32, BI_RGB, kRgb},
      {"masks at 8 bits", screen, bitmap, 40, 4, 2, 8, BI_BITFIELDS, kRgb},
      {"compressed", screen, bitmap, 40, 4, 2, 8, 1 /* BI_RLE8 */, kRgb},
      {"too large", screen, bitmap, 40, 0x7FFFFFFF, 0x7FFFFFFF, 32, BI_RGB, kRgb},
      {"deleted bitmap", screen, stale, 40, 4, 2, 32, BI_RGB, kRgb},
      {"context as bitmap", screen, reinterpret_cast<HBITMAP>(picture.dc()), 40, 4, 2, 32,
       BI_RGB, kRgb},
      {"no context", nullptr, bitmap, 40, 4, 2, 32, BI_RGB, kRgb},
      {"bitmap as context", reinterpret_cast<HDC>(bitmap), bitmap, 40, 4, 2, 32, BI_RGB, kRgb},
  };
  for (const auto& c : cases) {
    Info info;
    SetFormat(info, c.width, c.height, c.bits, c.compression);
    info.header.biSize = c.size;
    std::vector<uint8_t> buffer(64, kPoison);
    EXPECT_EQ(GetDIBits(c.dc, c.bitmap, 0, 2, buffer.data(), info.get(), c.usage), 0) << c.what;
    EXPECT_EQ(buffer, std::vector<uint8_t>(64, kPoison)) << c.what;
  }
}

}  // namespace
}  // namespace gdi_test
