// Whole loads through the entry points, from files, at the display depth the test runs
// at: what the host reads matches the font table cell by cell.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/oem_font.h"
#include "platform/testing.h"
#include "plugin/exports.h"
#include "render/picture.h"
#include "render/picture_record.h"
#include "tests/support/host_reader.h"
#include "tests/support/temp_file.h"
#include "tests/support/text_cells.h"

namespace {

constexpr int W = win32_subset::kOemFontWidth;
constexpr int H = win32_subset::kOemFontHeight;
constexpr BYTE kPoison = 0x5A;

uint32_t InkSeenByHost(const HostPicture& host) {
  RGBQUAD colors[256] = {};
  for (int n = 0; n < 256; ++n) {
    colors[n].rgbRed = host.colormap[n];
    colors[n].rgbGreen = host.colormap[256 + n];
    colors[n].rgbBlue = host.colormap[512 + n];
  }
  return DisplayedColor(kTextColor, host.bits, colors);
}

class LoadCycle : public ::testing::Test {
 protected:
  void TearDown() override {
    win32_testing::DisarmFault();
    EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0)
        << win32_testing::Describe(win32_testing::CountLiveObjects());
  }
};

TEST_F(LoadCycle, HostReadsTheTextCellByCell) {
  TempFile file("AB\r\nC\r\n\tx\xdb\xb0");
  void* picture = gfpLoadPictureInit(file.path().c_str());
  ASSERT_NE(picture, nullptr);
  const HostPicture host = ReadThroughHost(picture);
  gfpLoadPictureExit(picture);

  HDC screen = GetDC(nullptr);
  const int display_bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(host.kind, 0);
  EXPECT_EQ(host.width, 80 * W);
  EXPECT_EQ(host.height, 25 * H);
  EXPECT_EQ(host.resolution, 72);
  EXPECT_EQ(host.bits, display_bits);
  EXPECT_EQ(host.bytes_per_line, (display_bits * 80 * W + 31) / 32 * 4);
  EXPECT_EQ(host.has_colormap, display_bits < 16 ? 1 : 0);
  EXPECT_EQ(host.label, "Quillmere");
  EXPECT_EQ(CompareWithCells(host.pixels,
                             {{0, 0, 'A'}, {1, 0, 'B'}, {0, 1, 'C'}, {0, 2, '.'}, {1, 2, 'x'},
                              {2, 2, 0xDB}, {3, 2, 0xB0}},
                             InkSeenByHost(host)),
            "");
}

TEST_F(LoadCycle, LinesInAnyOrderAndSeveralLivePictures) {
  TempFile first("first\nfile");
  TempFile second(std::string(120, '#') + "\n" + std::string(40, '\n') + "end");
  void* a = gfpLoadPictureInit(first.path().c_str());
  void* b = gfpLoadPictureInit(second.path().c_str());
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  const HostPicture b_forward = ReadThroughHost(b);
  const HostPicture a_reverse = ReadThroughHost(a, true);
  const HostPicture a_forward = ReadThroughHost(a);
  const HostPicture b_reverse = ReadThroughHost(b, true);
  EXPECT_EQ(a_forward.pixels.rgb, a_reverse.pixels.rgb);
  EXPECT_EQ(b_forward.pixels.rgb, b_reverse.pixels.rgb);
  EXPECT_EQ(b_forward.width, 120 * W);
  EXPECT_EQ(b_forward.height, 42 * H);
  EXPECT_EQ(CompareWithCells(a_forward.pixels, CellsOfLines({"first", "file"}), InkSeenByHost(a_forward)), "");
  std::vector<std::string> b_lines(42);
  b_lines[0] = std::string(120, '#');
  b_lines[41] = "end";
  EXPECT_EQ(CompareWithCells(b_forward.pixels, CellsOfLines(b_lines), InkSeenByHost(b_forward)), "");
  gfpLoadPictureExit(b);
  // The other picture lives on unaffected.
  EXPECT_EQ(ReadThroughHost(a).pixels.rgb, a_forward.pixels.rgb);
  gfpLoadPictureExit(a);
}

TEST_F(LoadCycle, RefusedFiles) {
  TempFile empty("");
  TempFile sparse("");
  std::filesystem::resize_file(sparse.path(), 4ull << 30);
  TempFile too_wide(std::string(1000000, 'w'));
  const std::string missing = UniqueTempPath(".missing");
  const std::string directory = std::filesystem::temp_directory_path().string();
  const struct {
    const char* what;
    const char* path;
  } cases[] = {
      {"missing", missing.c_str()},   {"empty", empty.path().c_str()},
      {"4 GiB", sparse.path().c_str()}, {"directory", directory.c_str()},
      {"line too wide for a bitmap", too_wide.path().c_str()}, {"null path", nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(gfpLoadPictureInit(c.path), nullptr) << c.what;
    EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0) << c.what;
  }
}

TEST_F(LoadCycle, ThirtyTwoBitPixelsReachTheHostAsRedGreenBlue255) {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  if (bits != 32) {
    ReleaseDC(nullptr, screen);
    GTEST_SKIP() << "display of " << bits << " bits";
  }
  // A full block in blue 0x10, green 0x20, red 0x30 fills its cell.
  auto* record = static_cast<PictureRecord*>(
      HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PictureRecord)));
  record->header.biSize = sizeof(BITMAPINFOHEADER);
  record->bitmap = CreateCompatibleBitmap(screen, W, H);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(memory, record->bitmap);
  SelectObject(memory, GetStockObject(OEM_FIXED_FONT));
  SetTextColor(memory, RGB(0x30, 0x20, 0x10));
  SetBkMode(memory, TRANSPARENT);
  const char block = '\xdb';
  TextOutA(memory, 0, 0, &block, 1);
  SelectObject(memory, previous);
  DeleteDC(memory);
  GetDIBits(screen, record->bitmap, 0, 0, nullptr, AsBitmapInfo(record), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);

  BYTE line[W * 4 + 1];
  std::memset(line, kPoison, sizeof line);
  ASSERT_EQ(gfpLoadPictureGetLine(record, H / 2, line), 1);
  for (int x = 0; x < W; ++x) {
    EXPECT_EQ(line[4 * x + 0], 0x30) << x;
    EXPECT_EQ(line[4 * x + 1], 0x20) << x;
    EXPECT_EQ(line[4 * x + 2], 0x10) << x;
    EXPECT_EQ(line[4 * x + 3], 0xFF) << x;
  }
  EXPECT_EQ(line[W * 4], kPoison);
  gfpLoadPictureExit(record);
}

TEST_F(LoadCycle, LineThePlatformDoesNotDeliverIsAFailure) {
  TempFile file("text");
  void* picture = gfpLoadPictureInit(file.path().c_str());
  ASSERT_NE(picture, nullptr);
  win32_testing::ArmFault(win32_testing::Call::kGetDIBits, 1, win32_testing::FaultMode::kOnce);
  BYTE line[80 * 16 * 4];
  std::memset(line, kPoison, sizeof line);
  EXPECT_EQ(gfpLoadPictureGetLine(picture, 0, line), 0);
  for (BYTE b : line) ASSERT_EQ(b, kPoison);
  win32_testing::DisarmFault();
  EXPECT_EQ(gfpLoadPictureGetLine(picture, 0, line), 1);
  gfpLoadPictureExit(picture);
}

TEST_F(LoadCycle, FailureWalkedThroughAWholeLoad) {
  TempFile file("AB\r\nC\r\n" + std::string(90, 'z'));
  void* reference = gfpLoadPictureInit(file.path().c_str());
  ASSERT_NE(reference, nullptr);
  const HostPicture expected = ReadThroughHost(reference);
  gfpLoadPictureExit(reference);

  for (uint32_t n = 1;; ++n) {
    win32_testing::ArmFaultOnAnyCall(n, win32_testing::FaultMode::kOnce);
    void* picture = gfpLoadPictureInit(file.path().c_str());
    const bool triggered = win32_testing::FaultTriggered();
    win32_testing::DisarmFault();
    if (picture != nullptr) {
      const HostPicture got = ReadThroughHost(picture);
      EXPECT_EQ(got.width, expected.width) << "failing call " << n;
      EXPECT_EQ(got.height, expected.height) << "failing call " << n;
      EXPECT_EQ(got.bits, expected.bits) << "failing call " << n;
      gfpLoadPictureExit(picture);
    }
    ASSERT_EQ(win32_testing::CountLiveObjects().total(), 0)
        << "failing call " << n << ": " << win32_testing::Describe(win32_testing::CountLiveObjects());
    if (!triggered) break;
  }
}

}  // namespace
