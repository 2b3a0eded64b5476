// quillmere-render from the outside: the pictures it writes, where it writes them, and
// what it says and returns for bad files and bad command lines.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/oem_font.h"
#include "plugin/exports.h"
#include "tests/support/temp_file.h"
#include "tests/support/text_cells.h"
#include "tests/tool/png_reader.h"
#include "tests/tool/tool_runner.h"

namespace fs = std::filesystem;

namespace {

constexpr int W = win32_subset::kOemFontWidth;
constexpr int H = win32_subset::kOemFontHeight;
constexpr uint32_t kGrey = 0xF0F0F0;
constexpr uint32_t kBlack = 0x000000;

// A folder of its own for each test, removed after it.
class RenderTool : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir_); }
  void TearDown() override { fs::remove_all(dir_); }

  // Writes `bytes` to `name` in the test's folder; returns the path.
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Path(const std::string& name) const { return (fs::path(dir_) / name).string(); }

  const std::string dir_ = UniqueTempPath(".dir");
};

std::string Joined(const std::vector<std::string>& lines, const char* end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

struct PictureCase {
  const char* name;
  std::vector<std::string> lines;
  int columns;
  int rows;
};

class OnePicture : public RenderTool, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(OnePicture, IsTheTextInTheOemFontGreyOnBlack) {
  const PictureCase& c = GetParam();
  const std::string input = Write("art.nfo", Joined(c.lines, "\r\n"));
  const std::string output = Path("art.png");
  const ToolRun run = RunTool({input, "-o", output, "--display-bits", "32"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");

  const DecodedPng png = ReadPng(output);
  EXPECT_EQ(png.pixels.width, W * c.columns);
  EXPECT_EQ(png.pixels.height, H * c.rows);
  EXPECT_EQ(CompareWithCells(png.pixels, CellsOfLines(c.lines), kGrey), "");
  EXPECT_EQ(png.color_type, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(png.bit_depth, 1);
}

INSTANTIATE_TEST_SUITE_P(
    GridSizes, OnePicture,
    ::testing::Values(PictureCase{"SmallTextOnTheLeastGrid",
                                  {"Quillmere", "\xC9\xCD\xBB \x82\x81\xA4 \xB0\xB1\xB2\xDB"},
                                  80,
                                  25},
                      PictureCase{"WideLongText",
                                  [] {
                                    std::vector<std::string> lines(30, std::string(96, '\xB1'));
                                    lines[3] = "text art, as it was drawn";
                                    return lines;
                                  }(),
                                  96, 30}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(RenderTool, WritesBesideEachInputOrIntoTheOutputDirectory) {
  const std::string asc = Write("art.asc", "A");
  const std::string nfo = Write("art.nfo", "B");

  ToolRun run = RunTool({asc, nfo});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ReadPng(asc + ".png").pixels.width, 80 * W);
  EXPECT_EQ(ReadPng(nfo + ".png").pixels.width, 80 * W);

  const std::string out = Path("made/by/the/tool");
  run = RunTool({asc, nfo, "-o", out});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ReadPng(out + "/art.asc.png").pixels.height, 25 * H);
  EXPECT_EQ(ReadPng(out + "/art.nfo.png").pixels.height, 25 * H);

  // One input and an existing directory: the picture goes into it.
  run = RunTool({Write("solo.diz", "C"), "-o", out});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(fs::exists(out + "/solo.diz.png"));
}

TEST_F(RenderTool, NamesEachRefusedFileAndGoesOn) {
  const std::string first = Write("first.asc", "first");
  const std::string empty = Write("empty.asc", "");
  const std::string missing = Path("missing.nfo");
  const std::string folder = Path("folder.nfo");
  fs::create_directory(folder);
  const std::string last = Write("last.nfo", "last");

  const ToolRun run = RunTool({first, missing, empty, folder, last, "-o", Path("out")});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(fs::exists(Path("out/first.asc.png")));
  EXPECT_TRUE(fs::exists(Path("out/last.nfo.png")));
  EXPECT_FALSE(fs::exists(Path("out/missing.nfo.png")));
  EXPECT_FALSE(fs::exists(Path("out/empty.asc.png")));
  EXPECT_EQ(run.err, "quillmere-render: " + missing +
                         ": refused by the module: no such file\n"
                         "quillmere-render: " +
                         empty +
                         ": refused by the module: empty\n"
                         "quillmere-render: " +
                         folder + ": refused by the module: is a directory\n");
}

TEST_F(RenderTool, KeepsThePictureOfTheFirstOfTwoSameNamedInputs) {
  fs::create_directories(Path("a"));
  fs::create_directories(Path("b"));
  const std::string first = Write("a/FILE_ID.DIZ", "first");
  const std::string second = Write(
      "b/FILE_ID.DIZ", "second, longer than the first line and the 80 columns of the least grid");
  const std::string out = Path("out");

  const ToolRun run = RunTool({first, second, "-o", out});
  EXPECT_EQ(run.exit_code, 1);
  const std::string picture = (fs::path(out) / "FILE_ID.DIZ.png").string();
  EXPECT_EQ(run.err, "quillmere-render: " + second + ": not written: " + picture +
                         " holds the picture of " + first + "\n");
  EXPECT_EQ(CompareWithCells(ReadPng(picture).pixels, CellsOfLines({"first"}), kGrey), "");
}

TEST_F(RenderTool, UsageErrorsExitWithTwo) {
  const std::string art = Write("art.asc", "A");
  const std::string file = Write("plain.txt", "not a directory");
  const std::vector<std::vector<std::string>> command_lines = {
      {},
      {"-o", Path("x.png")},
      {art, "--bogus"},
      {art, "-o"},
      {art, "--module"},
      {art, "--display-bits", "7"},
      {art, "--display-bits", "32bits"},
      {art, art, "-o", file},
  };
  for (const auto& arguments : command_lines) {
    std::string shown;
    for (const std::string& a : arguments) shown += " " + a;
    const ToolRun run = RunTool(arguments);
    EXPECT_EQ(run.exit_code, 2) << shown;
    EXPECT_NE(run.err.find("Try 'quillmere-render --help'."), std::string::npos)
        << shown << run.err;
    EXPECT_EQ(run.out, "") << shown;
  }
  EXPECT_FALSE(fs::exists(art + ".png"));
}

TEST_F(RenderTool, HelpAndVersion) {
  ToolRun run = RunTool({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out.rfind("Usage: quillmere-render", 0), 0u) << run.out;
  run = RunTool({"--version"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "quillmere-render " QUILLMERE_VERSION "\n");
}

TEST_F(RenderTool, AModuleThatCannotBeUsedFailsTheRun) {
  const std::string art = Write("art.asc", "A");
  const std::vector<std::pair<std::string, std::string>> modules = {
      {Path("nowhere.usr"), "cannot load the module"},
      {QUILLMERE_NOT_A_MODULE, "does not export gfpGetPluginInfo"},
  };
  for (const auto& [module, message] : modules) {
    const ToolRun run = RunTool({art, "--module", module});
    EXPECT_EQ(run.exit_code, 1) << module;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(art + ".png"));
  }
}

uint32_t Expand5(uint32_t c) { return (c << 3) | (c >> 2); }

// The colour of pixel (x, y) of the picture of `path` at a display depth of `bits`, read
// through the module's entry points and its colour map.
uint32_t ModulePixel(const std::string& path, int bits, int x, int y) {
  setenv("QUILLMERE_DISPLAY_BITS", std::to_string(bits).c_str(), 1);
  void* picture = gfpLoadPictureInit(path.c_str());
  unsetenv("QUILLMERE_DISPLAY_BITS");
  if (picture == nullptr) return 0xFFFFFFFF;
  INT kind, width, height, resolution, depth, bytes_per_line;
  BOOL has_colormap;
  char label[32];
  gfpLoadPictureGetInfo(picture, &kind, &width, &height, &resolution, &depth, &bytes_per_line,
                        &has_colormap, label, sizeof label);
  BYTE map[768] = {};
  if (has_colormap) gfpLoadPictureGetColormap(picture, map);
  std::vector<BYTE> line(static_cast<size_t>(bytes_per_line));
  gfpLoadPictureGetLine(picture, y, line.data());
  gfpLoadPictureExit(picture);
  const BYTE* p = &line[static_cast<size_t>(x) * depth / 8];
  switch (depth) {
    case 16: {
      const uint32_t word = p[0] | (p[1] << 8);
      return (Expand5(word >> 10 & 31) << 16) | (Expand5(word >> 5 & 31) << 8) | Expand5(word & 31);
    }
    case 24:
      return (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
    case 32:
      return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    default: {
      const int n = (*p >> (8 - depth - x * depth % 8)) & ((1 << depth) - 1);
      return (uint32_t{map[n]} << 16) | (uint32_t{map[256 + n]} << 8) | map[512 + n];
    }
  }
}

TEST_F(RenderTool, EveryDisplayDepthShowsThePictureOfThirtyTwoBits) {
  const std::string art = Write("art.asc", "\xDB Quillmere \xB0\xB1\xB2\r\n\x82\x81\xA4");
  // A pixel of ink: the first set bit of the first glyph.
  int ink_x = -1, ink_y = -1;
  for (int gy = 0; gy < H && ink_x < 0; ++gy) {
    for (int gx = 0; gx < W && ink_x < 0; ++gx) {
      if (win32_subset::kOemFontGlyphs[0xDB][gy] & (0x80 >> gx)) ink_x = gx, ink_y = gy;
    }
  }
  ASSERT_GE(ink_x, 0);
  ASSERT_EQ(RunTool({art, "-o", Path("32.png"), "--display-bits", "32"}).exit_code, 0);
  const Pixels reference = ReadPng(Path("32.png")).pixels;

  for (const int bits : {1, 4, 8, 16, 24}) {
    SCOPED_TRACE("display bits " + std::to_string(bits));
    const std::string output = Path(std::to_string(bits) + ".png");
    const ToolRun run = RunTool({art, "-o", output, "--display-bits", std::to_string(bits)});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    const Pixels pixels = ReadPng(output).pixels;
    const uint32_t ink = ModulePixel(art, bits, ink_x, ink_y);
    EXPECT_NE(ink, kBlack);
    ASSERT_EQ(pixels.width, reference.width);
    ASSERT_EQ(pixels.height, reference.height);
    size_t differing = 0;
    for (size_t n = 0; n < pixels.rgb.size(); ++n) {
      differing += pixels.rgb[n] != (reference.rgb[n] == kBlack ? kBlack : ink);
    }
    EXPECT_EQ(differing, 0u);
  }
}

}  // namespace
