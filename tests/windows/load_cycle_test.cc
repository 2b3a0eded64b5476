// Loading fixture files and reading them back as the host does, on the screen depth the
// test runs at: the description, the colour map and every scan line, compared with the
// same text drawn by the platform's GDI.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "tests/windows/ink_map.h"
#include "tests/windows/module_fixture.h"
#include "tests/windows/reference_picture.h"
#include "tests/windows/screen_depth.h"
#include "tests/windows/test_paths.h"

namespace {

constexpr BYTE kPoison = 0xA5;
constexpr int kSlack = 16;  // poisoned bytes after each line buffer

struct Fixture {
  const char* name;
  int columns;
  int rows;
};

constexpr Fixture kFixtures[] = {
    {"crlf_art.asc", 80, 25},        {"lf_only.nfo", 80, 25},    {"cr_only.diz", 80, 25},
    {"control_bytes.asc", 80, 25},   {"width_80.asc", 80, 25},   {"width_83.asc", 83, 25},
    {"unterminated_30.asc", 80, 30}, {"lines_450.nfo", 80, 400}, {"wide_200.asc", 200, 25},
};

class LoadCycle : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    cell_ = OemCellSize();
    bits_ = ScreenBits();
  }

  CellSize cell_ = {};
  int bits_ = 0;
};

// Where a delivered scan line first differs from the reference one, or "".
std::string LineDifference(const BYTE* got, const BYTE* expected, int width, int bits) {
  std::ostringstream out;
  if (bits == 32) {
    // The host gets red, green, blue, 255 where the platform keeps blue, green, red, x.
    for (int x = 0; x < width; ++x) {
      const BYTE* g = got + 4 * x;
      const BYTE* e = expected + 4 * x;
      if (g[0] != e[2] || g[1] != e[1] || g[2] != e[0] || g[3] != 0xFF) {
        out << "pixel " << x << ": got RGBA " << int{g[0]} << "," << int{g[1]} << "," << int{g[2]}
            << "," << int{g[3]} << ", expected " << int{e[2]} << "," << int{e[1]} << ","
            << int{e[0]} << ",255";
        return out.str();
      }
      if (g[0] != g[1] || g[1] != g[2]) {
        out << "pixel " << x << " is not grey: RGB " << int{g[0]} << "," << int{g[1]} << ","
            << int{g[2]};
        return out.str();
      }
    }
    return "";
  }
  const int bytes = (width * bits + 7) / 8;
  for (int i = 0; i < bytes; ++i) {
    if (got[i] != expected[i]) {
      out << "byte " << i << ": got " << int{got[i]} << ", expected " << int{expected[i]};
      return out.str();
    }
  }
  return "";
}

TEST_F(LoadCycle, ScreenHasTheRegisteredDepth) {
  ASSERT_NE(ExpectedScreenBits(), 0) << "QUILLMERE_SCREEN_BITS is not set";
  EXPECT_EQ(bits_, ExpectedScreenBits());
}

TEST_F(LoadCycle, DescriptionOfEachFixture) {
  for (const Fixture& f : kFixtures) {
    SCOPED_TRACE(f.name);
    void* picture = plugin_.load_picture_init(FixturePath(f.name).c_str());
    ASSERT_NE(picture, nullptr);
    INT kind = -1, width = -1, height = -1, resolution = -1, bits = -1, bytes_per_line = -1;
    BOOL has_colormap = -1;
    char label[32];
    std::memset(label, kPoison, sizeof label);
    EXPECT_EQ(plugin_.load_picture_get_info(picture, &kind, &width, &height, &resolution, &bits,
                                    &bytes_per_line, &has_colormap, label, 6),
              1);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(width, f.columns * cell_.width) << f.columns << " columns of " << cell_.width;
    EXPECT_EQ(height, f.rows * cell_.height) << f.rows << " rows of " << cell_.height;
    EXPECT_EQ(resolution, 72);
    EXPECT_EQ(bits, bits_);
    EXPECT_EQ(bytes_per_line, (bits_ * width + 31) / 32 * 4);
    EXPECT_EQ(has_colormap, bits_ < 16 ? 1 : 0);
    EXPECT_STREQ(label, "Quill");
    EXPECT_EQ(label[6], static_cast<char>(kPoison)) << "label written past its capacity";
    plugin_.load_picture_exit(picture);
  }
}

// Every scan line as the reference drawing has it, line 0 the top row, nothing written
// past the line; lines outside the picture refused with the buffer untouched; below 16
// bits, the reference's colour map.
TEST_F(LoadCycle, PixelsMatchTheSameTextDrawnByThePlatform) {
  for (const Fixture& f : kFixtures) {
    SCOPED_TRACE(f.name);
    const TextLayout layout(ReadFixture(f.name));
    ASSERT_EQ(layout.columns(), f.columns);
    ASSERT_EQ(layout.rows(), f.rows);
    ReferencePicture expected;
    ASSERT_TRUE(DrawReference(layout, cell_, &expected));
    ASSERT_EQ(expected.bits, bits_);

    void* picture = plugin_.load_picture_init(FixturePath(f.name).c_str());
    ASSERT_NE(picture, nullptr);
    INT kind, width, height, resolution, bits, bytes_per_line;
    BOOL has_colormap;
    char label[32];
    ASSERT_EQ(plugin_.load_picture_get_info(picture, &kind, &width, &height, &resolution, &bits,
                                    &bytes_per_line, &has_colormap, label, sizeof label),
              1);
    ASSERT_EQ(width, expected.width);
    ASSERT_EQ(height, expected.height);
    ASSERT_EQ(bytes_per_line, expected.bytes_per_line);

    if (has_colormap) {
      BYTE colormap[768 + kSlack];
      std::memset(colormap, kPoison, sizeof colormap);
      EXPECT_EQ(plugin_.load_picture_get_colormap(picture, colormap), 1);
      for (int n = 0; n < 256; ++n) {
        const RGBQUAD& c = expected.colors[n];
        EXPECT_TRUE(colormap[n] == c.rgbRed && colormap[256 + n] == c.rgbGreen &&
                    colormap[512 + n] == c.rgbBlue)
            << "colour " << n << ": got " << int{colormap[n]} << "," << int{colormap[256 + n]}
            << "," << int{colormap[512 + n]} << ", expected " << int{c.rgbRed} << ","
            << int{c.rgbGreen} << "," << int{c.rgbBlue};
      }
      for (int i = 768; i < 768 + kSlack; ++i) ASSERT_EQ(colormap[i], kPoison) << "byte " << i;
    }

    std::vector<BYTE> line(static_cast<size_t>(bytes_per_line) + kSlack);
    int bad_lines = 0;  // reading stops after five: enough to show how they differ
    for (int y = 0; y < height && bad_lines < 5; ++y) {
      std::fill(line.begin(), line.end(), kPoison);
      ASSERT_EQ(plugin_.load_picture_get_line(picture, y, line.data()), 1) << "line " << y;
      const std::string difference = LineDifference(line.data(), expected.Line(y), width, bits);
      if (!difference.empty()) ++bad_lines;
      EXPECT_EQ(difference, "") << "line " << y;
      for (int i = bytes_per_line; i < bytes_per_line + kSlack; ++i) {
        ASSERT_EQ(line[static_cast<size_t>(i)], kPoison) << "line " << y << ": byte " << i;
      }
    }

    for (const INT outside : {-1, height, height + 1}) {
      std::fill(line.begin(), line.end(), kPoison);
      EXPECT_EQ(plugin_.load_picture_get_line(picture, outside, line.data()), 0) << "line " << outside;
      EXPECT_EQ(std::count(line.begin(), line.end(), kPoison),
                static_cast<std::ptrdiff_t>(line.size()))
          << "line " << outside << " wrote into the buffer";
    }
    plugin_.load_picture_exit(picture);
  }
}

// Independent of the reference drawing: ink exactly in the cells whose bytes have
// glyphs, counted from the top.
TEST_F(LoadCycle, InkWhereTheBytesAre) {
  for (const Fixture& f : kFixtures) {
    SCOPED_TRACE(f.name);
    const TextLayout layout(ReadFixture(f.name));
    void* picture = plugin_.load_picture_init(FixturePath(f.name).c_str());
    ASSERT_NE(picture, nullptr);
    GreyPicture grey;
    std::string error;
    ASSERT_TRUE(ReadGreyPicture(plugin_, picture, &grey, &error)) << error;
    plugin_.load_picture_exit(picture);
    std::string map = InkMap(grey, cell_, layout, &error);
    ASSERT_NE(map, "") << error;
    std::istringstream rows(map.substr(map.find('\n') + 1));
    std::string row_cells;
    for (int row = 0; std::getline(rows, row_cells); ++row) {
      std::string expected;
      for (int column = 0; column < static_cast<int>(row_cells.size()); ++column) {
        const ExpectedInk ink = ExpectedInkAt(layout, column, row);
        expected += ink == ExpectedInk::kInk ? '#' : ink == ExpectedInk::kNone ? '.' : '?';
      }
      EXPECT_EQ(row_cells, expected)
          << "row " << row << " ('#' ink, '.' none); bytes: " << layout.Row(row);
    }
  }
}

}  // namespace
