// The reading entry points on pictures whose records are set up by hand, so that every
// bit depth and colour table can be shown whatever the display is.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/exports.h"
#include "render/picture_record.h"

namespace {

constexpr BYTE kPoison = 0x5A;

PictureRecord* NewRecord(LONG width, LONG height, WORD bits) {
  auto* record = static_cast<PictureRecord*>(
      HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(PictureRecord)));
  record->header.biSize = sizeof(BITMAPINFOHEADER);
  record->header.biWidth = width;
  record->header.biHeight = height;
  record->header.biPlanes = 1;
  record->header.biBitCount = bits;
  record->header.biXPelsPerMeter = 72;
  record->header.biYPelsPerMeter = 72;
  return record;
}

TEST(PictureEntryPoints, InfoAtEachBitCount) {
  const struct {
    WORD bits;
    INT bytes_per_line;
    BOOL has_colormap;
  } cases[] = {{32, 2572, 0}, {24, 1932, 0}, {16, 1288, 0}, {8, 644, 1}, {4, 324, 1}, {1, 84, 1}};
  for (const auto& c : cases) {
    PictureRecord* record = NewRecord(643, 400, c.bits);
    INT kind = -1, width = -1, height = -1, resolution = -1, bits = -1, bytes_per_line = -1;
    BOOL has_colormap = -1;
    char label[16];
    EXPECT_EQ(gfpLoadPictureGetInfo(record, &kind, &width, &height, &resolution, &bits,
                                    &bytes_per_line, &has_colormap, label, sizeof label),
              1);
    EXPECT_EQ(kind, 0);
    EXPECT_EQ(width, 643);
    EXPECT_EQ(height, 400);
    EXPECT_EQ(resolution, 72);
    EXPECT_EQ(bits, c.bits);
    EXPECT_EQ(bytes_per_line, c.bytes_per_line) << c.bits << " bits";
    EXPECT_EQ(has_colormap, c.has_colormap) << c.bits << " bits";
    EXPECT_STREQ(label, "Quillmere");
    gfpLoadPictureExit(record);
  }
}

TEST(PictureEntryPoints, InfoLabelBoundedByCapacity) {
  PictureRecord* record = NewRecord(640, 400, 32);
  INT v[6];
  BOOL flag;
  char label[8];
  std::memset(label, kPoison, sizeof label);
  EXPECT_EQ(gfpLoadPictureGetInfo(record, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &flag,
                                  label, 5),
            1);
  EXPECT_STREQ(label, "Quil");
  EXPECT_EQ(static_cast<BYTE>(label[5]), kPoison);
  gfpLoadPictureExit(record);
}

TEST(PictureEntryPoints, ColormapLayout) {
  PictureRecord* record = NewRecord(640, 400, 8);
  BYTE map[769];
  std::memset(map, kPoison, sizeof map);
  EXPECT_EQ(gfpLoadPictureGetColormap(record, map), 1);
  for (int i = 0; i < 768; ++i) ASSERT_EQ(map[i], 0) << "byte " << i << " of an all-zero table";
  EXPECT_EQ(map[768], kPoison);

  for (int n = 0; n < 256; ++n) {
    record->colors[n].rgbRed = static_cast<BYTE>(n);
    record->colors[n].rgbGreen = static_cast<BYTE>(255 - n);
    record->colors[n].rgbBlue = static_cast<BYTE>(n ^ 0x55);
  }
  record->colors[5] = RGBQUAD{3, 2, 1, 0};  // blue, green, red
  EXPECT_EQ(gfpLoadPictureGetColormap(record, map), 1);
  EXPECT_EQ(map[5], 1);
  EXPECT_EQ(map[261], 2);
  EXPECT_EQ(map[517], 3);
  EXPECT_EQ(map[0 + 200], 200);
  EXPECT_EQ(map[256 + 200], 55);
  EXPECT_EQ(map[512 + 200], 200 ^ 0x55);
  EXPECT_EQ(map[768], kPoison);
  gfpLoadPictureExit(record);
}

TEST(PictureEntryPoints, NullHandleWritesNothing) {
  INT values[6];
  BOOL flag = 77;
  char label[8];
  BYTE map[768];
  BYTE line[64];
  std::memset(values, kPoison, sizeof values);
  std::memset(label, kPoison, sizeof label);
  std::memset(map, kPoison, sizeof map);
  std::memset(line, kPoison, sizeof line);
  EXPECT_EQ(gfpLoadPictureGetInfo(nullptr, &values[0], &values[1], &values[2], &values[3],
                                  &values[4], &values[5], &flag, label, sizeof label),
            0);
  EXPECT_EQ(gfpLoadPictureGetColormap(nullptr, map), 0);
  EXPECT_EQ(gfpLoadPictureGetLine(nullptr, 0, line), 0);
  gfpLoadPictureExit(nullptr);
  for (size_t i = 0; i < sizeof values; ++i) EXPECT_EQ(reinterpret_cast<BYTE*>(values)[i], kPoison);
  EXPECT_EQ(flag, 77);
  for (BYTE b : label) EXPECT_EQ(b, kPoison);
  for (BYTE b : map) ASSERT_EQ(b, kPoison);
  for (BYTE b : line) ASSERT_EQ(b, kPoison);
}

TEST(PictureEntryPoints, LinesOutsideThePictureAreRefused) {
  PictureRecord* record = NewRecord(16, 4, 32);
  HDC screen = GetDC(nullptr);
  record->bitmap = CreateCompatibleBitmap(screen, 16, 4);
  ReleaseDC(nullptr, screen);
  ASSERT_NE(record->bitmap, nullptr);
  for (INT line : {-1, 4, 5, INT32_MIN, INT32_MAX}) {
    BYTE buffer[64];
    std::memset(buffer, kPoison, sizeof buffer);
    EXPECT_EQ(gfpLoadPictureGetLine(record, line, buffer), 0) << "line " << line;
    for (BYTE b : buffer) ASSERT_EQ(b, kPoison) << "line " << line;
  }
  gfpLoadPictureExit(record);
}

}  // namespace
