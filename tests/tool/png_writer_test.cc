// The PNG writer: files read back with libpng hold the same format and the same pixels.
#include "tools/render/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <vector>

#include "tests/support/temp_file.h"
#include "tests/tool/png_reader.h"

namespace {

// Writes `image` to a temporary file and decodes it into *png.
void WriteAndReadBack(const PngImage& image, DecodedPng* png) {
  const std::string path = UniqueTempPath(".png");
  std::string error;
  ASSERT_TRUE(WritePng(path, image, &error)) << error;
  *png = ReadPng(path);
  std::filesystem::remove(path);
}

constexpr uint32_t kWidth = 13;  // a partly filled last byte at 1, 2 and 4 bits
constexpr uint32_t kHeight = 5;
constexpr size_t kRowPadding = 3;  // rows further apart than their pixels need

uint32_t Packed(const Rgb& c) {
  return (uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue;
}

struct PaletteCase {
  int colours;
  int bit_depth;
};

class PaletteRoundTrip : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(PaletteRoundTrip, KeepsBitDepthPaletteAndPixels) {
  const PaletteCase c = GetParam();
  std::vector<Rgb> palette;
  for (int n = 0; n < c.colours; ++n) {
    palette.push_back(
        Rgb{static_cast<uint8_t>(n), static_cast<uint8_t>(255 - n), static_cast<uint8_t>(n * 3)});
  }
  const size_t stride = (kWidth * c.bit_depth + 7) / 8 + kRowPadding;
  std::vector<uint8_t> rows(stride * kHeight, 0);
  std::vector<uint32_t> expected;
  for (uint32_t y = 0; y < kHeight; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      const unsigned index = (x * 7 + y * 3) % c.colours;
      const size_t bit = x * c.bit_depth;
      rows[y * stride + bit / 8] |= static_cast<uint8_t>(index << (8 - c.bit_depth - bit % 8));
      expected.push_back(Packed(palette[index]));
    }
  }
  PngImage image;
  image.width = kWidth;
  image.height = kHeight;
  image.palette = palette.data();
  image.palette_size = c.colours;
  image.bit_depth = c.bit_depth;
  image.pixels = rows.data();
  image.stride = stride;

  DecodedPng png;
  ASSERT_NO_FATAL_FAILURE(WriteAndReadBack(image, &png));

  EXPECT_EQ(png.color_type, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(png.bit_depth, c.bit_depth);
  EXPECT_EQ(png.palette_size, c.colours);
  EXPECT_EQ(png.pixels.width, static_cast<int>(kWidth));
  EXPECT_EQ(png.pixels.height, static_cast<int>(kHeight));
  EXPECT_EQ(png.pixels.rgb, expected);
}

INSTANTIATE_TEST_SUITE_P(EachBitDepth, PaletteRoundTrip,
                         ::testing::Values(PaletteCase{1, 1}, PaletteCase{2, 1}, PaletteCase{3, 2},
                                           PaletteCase{4, 2}, PaletteCase{16, 4},
                                           PaletteCase{17, 8}, PaletteCase{256, 8}),
                         [](const auto& test) {
                           return std::to_string(test.param.colours) + "ColoursAt" +
                                  std::to_string(test.param.bit_depth) + "Bits";
                         });

TEST(PngWriter, TruecolourRoundTrip) {
  const size_t stride = kWidth * 3 + kRowPadding;
  std::vector<uint8_t> rows(stride * kHeight, 0xEE);
  std::vector<uint32_t> expected;
  for (uint32_t y = 0; y < kHeight; ++y) {
    for (uint32_t x = 0; x < kWidth; ++x) {
      const Rgb colour{static_cast<uint8_t>(x * 19), static_cast<uint8_t>(y * 23),
                       static_cast<uint8_t>(x + y)};
      uint8_t* p = &rows[y * stride + x * 3];
      p[0] = colour.red;
      p[1] = colour.green;
      p[2] = colour.blue;
      expected.push_back(Packed(colour));
    }
  }
  PngImage image;
  image.width = kWidth;
  image.height = kHeight;
  image.pixels = rows.data();
  image.stride = stride;

  DecodedPng png;
  ASSERT_NO_FATAL_FAILURE(WriteAndReadBack(image, &png));

  EXPECT_EQ(png.color_type, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(png.bit_depth, 8);
  EXPECT_EQ(png.palette_size, 0);
  EXPECT_EQ(png.pixels.rgb, expected);
}

TEST(PngWriter, ReportsAFileItCannotCreate) {
  const Rgb black{0, 0, 0};
  const uint8_t row = 0;
  PngImage image;
  image.width = 1;
  image.height = 1;
  image.palette = &black;
  image.palette_size = 1;
  image.bit_depth = 1;
  image.pixels = &row;
  image.stride = 1;
  const std::string path = UniqueTempPath("") + "/missing/picture.png";
  std::string error;
  EXPECT_FALSE(WritePng(path, image, &error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
