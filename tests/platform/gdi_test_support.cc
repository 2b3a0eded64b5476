#include "tests/platform/gdi_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/oem_font.h"

namespace gdi_test {

int RunDisplayBits() {
  const char* setting = std::getenv("QUILLMERE_DISPLAY_BITS");
  return setting != nullptr ? std::atoi(setting) : 32;
}

size_t Dib::Stride() const { return (size_t(header.biWidth) * header.biBitCount + 31) / 32 * 4; }

uint32_t Dib::At(int x, int y) const {
  const uint8_t* line = bits.data() + Stride() * size_t(header.biHeight - 1 - y);
  auto colour = [&](unsigned index) {
    const RGBQUAD& c = colours[index];
    return uint32_t(c.rgbRed) << 16 | uint32_t(c.rgbGreen) << 8 | c.rgbBlue;
  };
  switch (header.biBitCount) {
    case 1:
      return colour((line[x / 8] >> (7 - x % 8)) & 1);
    case 4:
      return colour((line[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
    case 8:
      return colour(line[x]);
    case 16:
      return uint32_t(line[2 * x]) | uint32_t(line[2 * x + 1]) << 8;
    case 24:
      return uint32_t(line[3 * x + 2]) << 16 | uint32_t(line[3 * x + 1]) << 8 | line[3 * x];
    default:
      return uint32_t(line[4 * x + 2]) << 16 | uint32_t(line[4 * x + 1]) << 8 | line[4 * x];
  }
}

Dib ReadDib(HDC dc, HBITMAP bitmap, int width, int height, int bits) {
  Dib dib;
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = width;
  dib.header.biHeight = height;
  dib.header.biPlanes = 1;
  dib.header.biBitCount = static_cast<WORD>(bits);
  dib.header.biCompression = BI_RGB;
  std::memset(dib.colours, kPoison, sizeof dib.colours);
  const size_t size = dib.Stride() * height;
  std::vector<uint8_t> buffer(size + 64, kPoison);
  dib.lines = GetDIBits(dc, bitmap, 0, height, buffer.data(),
                        reinterpret_cast<BITMAPINFO*>(&dib.header), DIB_RGB_COLORS);
  EXPECT_EQ(dib.lines, height) << "GetDIBits at " << bits << " bits";
  const size_t written = dib.Stride() * std::max(dib.lines, 0);
  for (size_t i = written; i < buffer.size(); ++i) {
    if (buffer[i] != kPoison) {
      ADD_FAILURE() << "GetDIBits at " << bits << " bits wrote byte " << i << " past the "
                    << written << " bytes of " << dib.lines << " lines";
      break;
    }
  }
  buffer.resize(size);
  dib.bits = std::move(buffer);
  return dib;
}

void DrawReferenceText(Image& image, int x, int y, const std::string& text, uint32_t fore) {
  using win32_subset::kOemFontGlyphs;
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t* glyph = kOemFontGlyphs[static_cast<uint8_t>(text[i])];
    for (int r = 0; r < 16; ++r) {
      for (int c = 0; c < 8; ++c) {
        const long long px = x + 8LL * i + c;
        const long long py = static_cast<long long>(y) + r;
        if ((glyph[r] & (0x80 >> c)) && px >= 0 && px < image.width && py >= 0 &&
            py < image.height) {
          image.at(int(px), int(py)) = fore;
        }
      }
    }
  }
}

::testing::AssertionResult SamePixels(const Dib& dib, const Image& expected) {
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const uint32_t got = dib.At(x, y);
      if (got != expected.at(x, y)) {
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") of a " << dib.header.biBitCount
               << "-bit DIB: got 0x" << std::hex << got << ", expected 0x"
               << expected.at(x, y);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

void GdiTest::SetUp() { before_ = win32_testing::CountLiveObjects(); }

void GdiTest::TearDown() {
  const win32_testing::LiveObjects after = win32_testing::CountLiveObjects();
  EXPECT_TRUE(after == before_) << "before: " << win32_testing::Describe(before_)
                                << "\nafter:  " << win32_testing::Describe(after);
}

Canvas::Canvas(int width, int height, COLORREF text_colour) : width_(width), height_(height) {
  screen_ = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen_);
  bitmap_ = CreateCompatibleBitmap(screen_, width, height);
  initial_ = SelectObject(dc_, bitmap_);
  EXPECT_NE(initial_, nullptr);
  EXPECT_NE(SelectObject(dc_, GetStockObject(OEM_FIXED_FONT)), nullptr);
  SetBkMode(dc_, TRANSPARENT);
  SetTextColor(dc_, text_colour);
}

Canvas::~Canvas() {
  SelectObject(dc_, initial_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
  ReleaseDC(nullptr, screen_);
}

Dib Canvas::Read(int dib_bits) {
  SelectObject(dc_, initial_);
  Dib dib = ReadDib(screen_, bitmap_, width_, height_, dib_bits);
  SelectObject(dc_, bitmap_);
  return dib;
}

}  // namespace gdi_test
