// Helpers for the tests of the GDI layer: the display depth of the run, DIB reads that
// catch overruns, a reference rendering of text from the font table, and a fixture that
// checks every test leaves no GDI object alive.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/testing.h"
#include "port/win32.h"

namespace gdi_test {

// The byte output buffers are filled with before a call.
constexpr uint8_t kPoison = 0xA5;

// The depth this run was registered for: QUILLMERE_DISPLAY_BITS, or 32.
int RunDisplayBits();

// A bottom-up DIB read with GetDIBits; `colours` directly follows `header`, as in
// BITMAPINFO.
struct Dib {
  BITMAPINFOHEADER header{};
  RGBQUAD colours[256]{};  // entries GetDIBits does not write stay kPoison
  int lines = 0;              // what GetDIBits returned
  std::vector<uint8_t> bits;  // Stride() * header.biHeight bytes

  size_t Stride() const;
  // The pixel at (x, y), y = 0 being the top row: 0xRRGGBB from the colour table below
  // 16 bits, the raw 5-5-5 value at 16, 0xRRGGBB at 24 and 32.
  uint32_t At(int x, int y) const;
};

// Reads every line of `bitmap` (width x height) as a DIB of `bits` per pixel. The
// buffer is poisoned first; a byte written past the lines reported fails the test.
Dib ReadDib(HDC dc, HBITMAP bitmap, int width, int height, int bits);

// Pixels as Dib::At gives them, top row first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  Image(int w, int h, uint32_t fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}
  uint32_t& at(int x, int y) { return pixels[size_t(y) * width + x]; }
  uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// Draws `text` as TextOutA does in TRANSPARENT mode with OEM_FIXED_FONT: each set bit
// of kOemFontGlyphs becomes `fore`, clipped to the image.
void DrawReferenceText(Image& image, int x, int y, const std::string& text, uint32_t fore);

// Whether every pixel of `dib` equals the image's; names the first that differs.
::testing::AssertionResult SamePixels(const Dib& dib, const Image& expected);

// A bitmap of the display's format selected into a memory context with OEM_FIXED_FONT,
// a transparent background and `text_colour`; all released on destruction.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF text_colour);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }
  // The bitmap read as a DIB of `dib_bits` (unselected meanwhile, as GetDIBits wants).
  Dib Read(int dib_bits);

 private:
  int width_, height_;
  HDC screen_, dc_;
  HBITMAP bitmap_;
  HGDIOBJ initial_;
};

// Checks that a test leaves as many GDI objects alive as it found.
class GdiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  win32_testing::LiveObjects before_;
};

}  // namespace gdi_test
