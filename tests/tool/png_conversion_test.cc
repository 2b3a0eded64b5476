// Converting the module's scan lines: every source format comes out with the same
// colours, in a palette of just the colours shown at the least bit depth, or as
// truecolour past 256 colours; padding in the lines never shows.
#include "tools/render/png_conversion.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr uint8_t kPadding = 0xFF;

// The pixels of `image` as 0xRRGGBB, top row first.
std::vector<uint32_t> ImagePixels(const PngImage& image) {
  std::vector<uint32_t> out;
  for (uint32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.pixels + y * image.stride;
    for (uint32_t x = 0; x < image.width; ++x) {
      Rgb c;
      if (image.palette_size == 0) {
        c = Rgb{row[3 * x], row[3 * x + 1], row[3 * x + 2]};
      } else {
        const size_t bit = static_cast<size_t>(x) * image.bit_depth;
        const unsigned index =
            (row[bit / 8] >> (8 - image.bit_depth - bit % 8)) & ((1u << image.bit_depth) - 1);
        EXPECT_LT(index, static_cast<unsigned>(image.palette_size)) << "at " << x << ", " << y;
        if (index >= static_cast<unsigned>(image.palette_size)) return {};
        c = image.palette[index];
      }
      out.push_back((uint32_t{c.red} << 16) | (uint32_t{c.green} << 8) | c.blue);
    }
  }
  return out;
}

uint32_t Expand5(uint32_t c) { return (c << 3) | (c >> 2); }

// A source picture: the value of each pixel (a colour number, a 5-5-5 word, or
// 0xRRGGBB at 24 and 32 bits) and, below 16 bits, the colour map.
struct Source {
  int bits;
  int width;
  int height;
  std::function<uint32_t(int x, int y)> value;
  std::vector<uint32_t> colormap;  // 0xRRGGBB per colour number
};

// Encodes `source` as the module delivers lines: 32-bit aligned, 4 more bytes of
// padding, every padding bit set.
struct Encoded {
  std::vector<uint8_t> data;
  std::vector<uint8_t> colormap;
  std::vector<uint32_t> expected;
  ScanLines lines;
};

Encoded Encode(const Source& s) {
  Encoded e;
  const int stride = (s.bits * s.width + 31) / 32 * 4 + 4;
  e.data.assign(static_cast<size_t>(stride) * s.height, kPadding);
  if (s.bits < 16) {
    e.colormap.assign(768, 0);
    for (size_t n = 0; n < s.colormap.size(); ++n) {
      e.colormap[n] = static_cast<uint8_t>(s.colormap[n] >> 16);
      e.colormap[256 + n] = static_cast<uint8_t>(s.colormap[n] >> 8);
      e.colormap[512 + n] = static_cast<uint8_t>(s.colormap[n]);
    }
  }
  for (int y = 0; y < s.height; ++y) {
    uint8_t* row = &e.data[static_cast<size_t>(y) * stride];
    for (int x = 0; x < s.width; ++x) {
      const uint32_t v = s.value(x, y);
      switch (s.bits) {
        case 1:
        case 4:
        case 8: {
          const int bit = x * s.bits;
          const int shift = 8 - s.bits - bit % 8;
          const uint8_t mask = static_cast<uint8_t>(((1u << s.bits) - 1) << shift);
          row[bit / 8] = static_cast<uint8_t>((row[bit / 8] & ~mask) | (v << shift));
          e.expected.push_back(s.colormap[v]);
          break;
        }
        case 16:
          row[2 * x] = static_cast<uint8_t>(v);
          row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
          e.expected.push_back((Expand5((v >> 10) & 31) << 16) | (Expand5((v >> 5) & 31) << 8) |
                               Expand5(v & 31));
          break;
        case 24:
          row[3 * x] = static_cast<uint8_t>(v);
          row[3 * x + 1] = static_cast<uint8_t>(v >> 8);
          row[3 * x + 2] = static_cast<uint8_t>(v >> 16);
          e.expected.push_back(v);
          break;
        case 32:
          row[4 * x] = static_cast<uint8_t>(v >> 16);
          row[4 * x + 1] = static_cast<uint8_t>(v >> 8);
          row[4 * x + 2] = static_cast<uint8_t>(v);
          row[4 * x + 3] = 0xFF;
          e.expected.push_back(v);
          break;
      }
    }
  }
  e.lines.width = s.width;
  e.lines.height = s.height;
  e.lines.bits_per_pixel = s.bits;
  e.lines.bytes_per_line = stride;
  e.lines.colormap = e.colormap.empty() ? nullptr : e.colormap.data();
  e.lines.data = e.data.data();
  return e;
}

// The grey of the text and black, as most pictures hold them.
uint32_t Text(int x, int y) { return (x * 5 + y * 3) % 7 < 3 ? 1 : 0; }

std::vector<uint32_t> Map16(std::vector<uint32_t> head) {
  head.resize(16, 0x123456);  // entries no pixel uses, padding's 15 among them
  return head;
}

std::vector<uint32_t> Map256(std::vector<uint32_t> head) {
  head.resize(256, 0x654321);  // entries no pixel uses, padding's 255 among them
  return head;
}

struct Case {
  const char* name;
  Source source;
  int palette_size;  // 0 for truecolour
  int bit_depth;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Conversion : public ::testing::TestWithParam<Case> {};

TEST_P(Conversion, KeepsEveryPixelsColourInTheSmallestFormat) {
  const Case& c = GetParam();
  const Encoded encoded = Encode(c.source);
  PngConverter converter;
  const PngImage image = converter.Convert(encoded.lines);
  EXPECT_EQ(image.width, static_cast<uint32_t>(c.source.width));
  EXPECT_EQ(image.height, static_cast<uint32_t>(c.source.height));
  EXPECT_EQ(image.palette_size, c.palette_size);
  EXPECT_EQ(image.bit_depth, c.bit_depth);
  EXPECT_EQ(ImagePixels(image), encoded.expected);
}

const Case kCases[] = {
    {"OneBitTwoColours", {1, 13, 4, Text, {0x000000, 0xF0F0F0}}, 2, 1},
    {"OneBitAllInk", {1, 13, 2, [](int, int) { return 1u; }, {0x000000, 0xFFFFFF}}, 1, 1},
    {"OneBitSwappedColourMap", {1, 16, 3, Text, {0xFFFFFF, 0x000000}}, 2, 1},
    {"FourBitsTwoColours",
     {4, 13, 4, [](int x, int y) { return Text(x, y) * 7; },
      Map16({0, 0, 0, 0, 0, 0, 0, 0xC0C0C0})},
     2,
     1},
    {"FourBitsSharedEntries",
     {4, 13, 4, [](int x, int y) { return uint32_t(x + y) % 4 * 3; },
      Map16({0x000000, 0, 0, 0xFF0000, 0, 0, 0x00FF00, 0, 0, 0xFF0000})},
     3,
     2},
    {"EightBitsTwoColours",
     {8, 13, 4, [](int x, int y) { return Text(x, y) * 200; },
      [] {
        std::vector<uint32_t> map = Map256({0x000000});
        map[200] = 0xF0F0F0;
        return map;
      }()},
     2,
     1},
    {"EightBitsFiveColours",
     {8, 13, 4, [](int x, int y) { return uint32_t(x * y) % 5; },
      Map256({0x000000, 0x800000, 0x008000, 0x000080, 0xF0F0F0})},
     5,
     4},
    {"EightBitsManyColours",
     {8, 16, 16, [](int x, int y) { return uint32_t(x + 16 * y) % 40; },
      [] {
        std::vector<uint32_t> map(256);
        for (uint32_t n = 0; n < 256; ++n) map[n] = n * 0x010203u;
        return map;
      }()},
     40,
     8},
    {"SixteenBitsTwoColours",
     {16,
      13,
      4,
      [](int x, int y) {
        // Bit 15 is no part of the colour.
        return Text(x, y) ? 30u << 10 | 30u << 5 | 30u : (x % 2) << 15;
      },
      {}},
     2,
     1},
    {"SixteenBitsPastPalette",
     {16, 20, 15, [](int x, int y) { return uint32_t(x + 20 * y) * 97; }, {}},
     0,
     8},
    {"TwentyFourBitsThreeColours",
     {24,
      13,
      4,
      [](int x, int y) {
        const uint32_t colours[] = {0x000000, 0xF0F0F0, 0x1234AB};
        return colours[(x + y) % 3];
      },
      {}},
     3,
     2},
    {"ThirtyTwoBitsTwoColours",
     {32, 13, 4, [](int x, int y) { return Text(x, y) * 0xF0F0F0; }, {}},
     2,
     1},
    {"ThirtyTwoBitsPastPalette",
     {32, 20, 15, [](int x, int y) { return uint32_t(x + 20 * y) * 0x010305u & 0xFFFFFF; }, {}},
     0,
     8},
};

INSTANTIATE_TEST_SUITE_P(EachSourceFormat, Conversion, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

const Source& SourceNamed(const std::string& name) {
  for (const Case& c : kCases) {
    if (name == c.name) return c.source;
  }
  throw std::invalid_argument("no case " + name);
}

TEST(ConversionSeries, LeavesNothingOfOnePictureInTheNext) {
  PngConverter converter;
  const Encoded many = Encode(SourceNamed("ThirtyTwoBitsPastPalette"));
  const Encoded two = Encode(SourceNamed("ThirtyTwoBitsTwoColours"));
  converter.Convert(many.lines);
  const PngImage image = converter.Convert(two.lines);
  EXPECT_EQ(image.palette_size, 2);
  EXPECT_EQ(ImagePixels(image), two.expected);
}

}  // namespace
