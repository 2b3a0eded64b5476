// Contexts and objects at the display depth of the run: the screen's context and its
// depth, memory contexts, compatible bitmaps and their sizes, selection rules, deletion,
// stock objects, stale handles, text metrics, context state and PatBlt.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/oem_font.h"
#include "tests/platform/gdi_test_support.h"

namespace gdi_test {
namespace {

using win32_testing::CountLiveObjects;

struct Format {
  int width, height, bits;
};

// The bitmap's format as GetDIBits reports it, read with the screen's context.
Format FormatOf(HBITMAP bitmap) {
  HDC screen = GetDC(nullptr);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  const int result =
      GetDIBits(screen, bitmap, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&header), 0);
  ReleaseDC(nullptr, screen);
  EXPECT_NE(result, 0);
  return {header.biWidth, header.biHeight, header.biBitCount};
}

// Sets QUILLMERE_DISPLAY_BITS for the life of the object.
class DisplaySetting {
 public:
  explicit DisplaySetting(const char* value) {
    const char* old = std::getenv("QUILLMERE_DISPLAY_BITS");
    had_ = old != nullptr;
    if (had_) old_ = old;
    setenv("QUILLMERE_DISPLAY_BITS", value, 1);
  }
  ~DisplaySetting() {
    if (had_) {
      setenv("QUILLMERE_DISPLAY_BITS", old_.c_str(), 1);
    } else {
      unsetenv("QUILLMERE_DISPLAY_BITS");
    }
  }

 private:
  bool had_;
  std::string old_;
};

using ContextTest = GdiTest;

TEST_F(ContextTest, TheScreensContextHasTheDisplayDepth) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(CountLiveObjects().screen_dcs, 1);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), RunDisplayBits());
  EXPECT_EQ(GetDeviceCaps(screen, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(screen, 8 /* HORZRES */), 0);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 10, 3);
  const Format format = FormatOf(bitmap);
  EXPECT_EQ(format.bits, RunDisplayBits());
  EXPECT_EQ(format.width, 10);
  EXPECT_EQ(format.height, 3);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0) << "released twice";
}

TEST_F(ContextTest, NoContextForAWindow) {
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x1234)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(ContextTest, TheDisplayDepthIsReadForEachScreenContext) {
  const struct {
    const char* setting;
    int bits;
  } cases[] = {{"1", 1}, {"4", 4}, {"8", 8}, {"16", 16}, {"24", 24}, {"32", 32},
               {"", 32}, {"7", 32}, {"8x", 32}, {"-8", 32}, {"deep", 32}};
  for (const auto& c : cases) {
    DisplaySetting setting(c.setting);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), c.bits) << "\"" << c.setting << "\"";
    EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), c.bits) << "\"" << c.setting << "\"";
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }
}

TEST_F(ContextTest, AFreshMemoryContext) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(CountLiveObjects().memory_dcs, 1);
  EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), RunDisplayBits()) << "the device's depth";
  HBITMAP bitmap = CreateCompatibleBitmap(memory, 10, 3);  // the classic pitfall
  EXPECT_EQ(FormatOf(bitmap).bits, 1);
  EXPECT_EQ(SetTextColor(memory, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetBkMode(memory, TRANSPARENT), OPAQUE);
  TEXTMETRICA metrics;
  ASSERT_TRUE(GetTextMetricsA(memory, &metrics));
  EXPECT_EQ(metrics.tmCharSet, 0) << "the system font, not the OEM font";
  HGDIOBJ initial = SelectObject(memory, bitmap);
  const Format initial_format = FormatOf(reinterpret_cast<HBITMAP>(initial));
  EXPECT_EQ(initial_format.width, 1);
  EXPECT_EQ(initial_format.height, 1);
  EXPECT_EQ(initial_format.bits, 1);
  SelectObject(memory, initial);
  DeleteObject(bitmap);
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_FALSE(DeleteDC(screen)) << "the screen's context is released, not deleted";
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, SelectObjectReturnsThePreviousObjectOfItsKind) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP first = CreateCompatibleBitmap(screen, 4, 4);
  HBITMAP second = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ oem = GetStockObject(OEM_FIXED_FONT);
  EXPECT_EQ(SelectObject(memory, oem), GetStockObject(SYSTEM_FONT));
  HGDIOBJ initial = SelectObject(memory, first);
  ASSERT_NE(initial, nullptr);
  EXPECT_EQ(CountLiveObjects().selected_bitmaps, 1);
  EXPECT_EQ(SelectObject(memory, second), first);
  EXPECT_EQ(SelectObject(memory, second), second) << "selected again";
  EXPECT_EQ(CountLiveObjects().selected_bitmaps, 1);
  EXPECT_EQ(SelectObject(memory, GetStockObject(ANSI_FIXED_FONT)), oem);
  EXPECT_EQ(SelectObject(memory, initial), second);
  EXPECT_EQ(CountLiveObjects().selected_bitmaps, 0);
  EXPECT_EQ(SelectObject(memory, memory), nullptr) << "a context is no object";
  DeleteObject(first);
  DeleteObject(second);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, ABitmapIsInOneContextAtATime) {
  HDC screen = GetDC(nullptr);
  HDC one = CreateCompatibleDC(screen);
  HDC two = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ initial = SelectObject(one, bitmap);
  EXPECT_EQ(SelectObject(two, bitmap), nullptr);
  EXPECT_EQ(SelectObject(screen, bitmap), nullptr) << "nothing goes into the screen's";
  SelectObject(one, initial);
  EXPECT_NE(SelectObject(two, bitmap), nullptr) << "free again";
  SelectObject(two, initial);
  DeleteObject(bitmap);
  DeleteDC(one);
  DeleteDC(two);
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, ABitmapMustSuitTheContextAndSetsItsFormat) {
  const int display = RunDisplayBits();
  const char* other_setting = display == 8 ? "16" : "8";
  HBITMAP foreign;  // of another display depth
  {
    DisplaySetting setting(other_setting);
    HDC other_screen = GetDC(nullptr);
    foreign = CreateCompatibleBitmap(other_screen, 4, 4);
    ReleaseDC(nullptr, other_screen);
  }
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP monochrome = CreateCompatibleBitmap(memory, 4, 4);
  HBITMAP colour = CreateCompatibleBitmap(screen, 4, 4);
  EXPECT_EQ(SelectObject(memory, foreign), nullptr) << "a " << other_setting << "-bit bitmap";
  HGDIOBJ initial = SelectObject(memory, colour);
  ASSERT_NE(initial, nullptr);
  HBITMAP like_colour = CreateCompatibleBitmap(memory, 2, 2);
  EXPECT_EQ(FormatOf(like_colour).bits, display);
  EXPECT_NE(SelectObject(memory, monochrome), nullptr) << "monochrome suits any context";
  HBITMAP like_monochrome = CreateCompatibleBitmap(memory, 2, 2);
  EXPECT_EQ(FormatOf(like_monochrome).bits, 1);
  SelectObject(memory, initial);
  for (HBITMAP bitmap : {foreign, monochrome, colour, like_colour, like_monochrome}) {
    EXPECT_TRUE(DeleteObject(bitmap));
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, DeleteObjectRefusesASelectedBitmap) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
  HGDIOBJ initial = SelectObject(memory, bitmap);
  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(CountLiveObjects().bitmaps, 1);
  SelectObject(memory, initial);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(CountLiveObjects().bitmaps, 0);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, DeleteDCLeavesItsBitmapAliveAndUnselected) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 16);
  SelectObject(memory, bitmap);
  PatBlt(memory, 0, 0, 8, 16, WHITENESS);
  EXPECT_TRUE(DeleteDC(memory));
  EXPECT_EQ(CountLiveObjects().selected_bitmaps, 0);
  const uint32_t white = RunDisplayBits() == 16 ? 0x7FFF : 0xFFFFFF;
  EXPECT_TRUE(SamePixels(ReadDib(screen, bitmap, 8, 16, RunDisplayBits()),
                         Image(8, 16, white)));
  HDC another = CreateCompatibleDC(screen);
  HGDIOBJ initial = SelectObject(another, bitmap);
  EXPECT_NE(initial, nullptr);
  SelectObject(another, initial);
  EXPECT_TRUE(DeleteObject(bitmap));
  DeleteDC(another);
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, StockObjectsArePermanent) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  for (int index : {OEM_FIXED_FONT, ANSI_FIXED_FONT, SYSTEM_FONT}) {
    HGDIOBJ font = GetStockObject(index);
    ASSERT_NE(font, nullptr) << index;
    EXPECT_TRUE(DeleteObject(font)) << index;
    EXPECT_EQ(GetStockObject(index), font) << index;
    EXPECT_NE(SelectObject(memory, font), nullptr) << index << " after DeleteObject";
  }
  EXPECT_EQ(GetStockObject(99), nullptr);
  // A size of 0 gives the 1 x 1 monochrome stock bitmap that contexts start with.
  const win32_testing::LiveObjects before = CountLiveObjects();
  HBITMAP empty = CreateCompatibleBitmap(screen, 0, 5);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(screen, 5, 0), empty);
  EXPECT_TRUE(CountLiveObjects() == before);
  const Format format = FormatOf(empty);
  EXPECT_EQ(format.width * format.height * format.bits, 1);
  EXPECT_TRUE(DeleteObject(empty));
  HGDIOBJ initial = SelectObject(memory, empty);
  EXPECT_EQ(initial, empty) << "still there, and already selected";
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, StaleAndForeignHandlesAreRefused) {
  HDC screen = GetDC(nullptr);
  HDC dead_dc = CreateCompatibleDC(screen);
  HBITMAP dead_bitmap = CreateCompatibleBitmap(screen, 4, 4);
  DeleteDC(dead_dc);
  DeleteObject(dead_bitmap);
  // New objects may take the freed slots; the old values must stay dead.
  HDC live_dc = CreateCompatibleDC(screen);
  HBITMAP live_bitmap = CreateCompatibleBitmap(screen, 4, 4);
  const HDC dcs[] = {dead_dc, nullptr, reinterpret_cast<HDC>(0x1234),
                     reinterpret_cast<HDC>(-1), reinterpret_cast<HDC>(live_bitmap)};
  for (HDC dc : dcs) {
    SCOPED_TRACE(testing::Message() << "context " << dc);
    TEXTMETRICA metrics;
    if (dc != nullptr) {  // null asks for the screen's format
      EXPECT_EQ(CreateCompatibleDC(dc), nullptr);
    }
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(ReleaseDC(nullptr, dc), 0);
    EXPECT_EQ(SetTextColor(dc, 0), CLR_INVALID);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 0);
    EXPECT_EQ(SelectObject(dc, GetStockObject(OEM_FIXED_FONT)), nullptr);
    EXPECT_FALSE(GetTextMetricsA(dc, &metrics));
    EXPECT_EQ(CreateCompatibleBitmap(dc, 4, 4), nullptr);
    EXPECT_FALSE(PatBlt(dc, 0, 0, 1, 1, WHITENESS));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "A", 1));
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  }
  const HGDIOBJ objects[] = {reinterpret_cast<HGDIOBJ>(dead_bitmap), nullptr,
                             reinterpret_cast<HGDIOBJ>(0x1234),
                             reinterpret_cast<HGDIOBJ>(live_dc)};
  for (HGDIOBJ object : objects) {
    SCOPED_TRACE(testing::Message() << "object " << object);
    EXPECT_EQ(SelectObject(live_dc, object), nullptr);
    EXPECT_FALSE(DeleteObject(object));
  }
  EXPECT_TRUE(DeleteObject(live_bitmap));
  EXPECT_TRUE(DeleteDC(live_dc));
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, BitmapSizesTheLayerHoldsOrRefuses) {
  HDC screen = GetDC(nullptr);
  const struct {
    int width, height;
    DWORD error;  // 0: created
  } cases[] = {
      {2400, 6400, 0},                      // 300 columns, 400 lines of text
      {8192, 8192, 0},                      // the most pixels a bitmap holds
      {8192, 8193, ERROR_NOT_ENOUGH_MEMORY},
      {800000, 400, ERROR_NOT_ENOUGH_MEMORY},  // one line of 100,000 bytes
      {INT_MAX, INT_MAX, ERROR_NOT_ENOUGH_MEMORY},
      {-1, 4, ERROR_INVALID_PARAMETER},
      {4, -1, ERROR_INVALID_PARAMETER},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, c.width, c.height);
    if (c.error == 0) {
      EXPECT_NE(bitmap, nullptr) << c.width << " x " << c.height;
      DeleteObject(bitmap);
    } else {
      EXPECT_EQ(bitmap, nullptr) << c.width << " x " << c.height;
      EXPECT_EQ(GetLastError(), c.error) << c.width << " x " << c.height;
    }
  }
  ReleaseDC(nullptr, screen);
}

TEST_F(ContextTest, MetricsOfTheOemFont) {
  HDC memory = CreateCompatibleDC(nullptr);
  SelectObject(memory, GetStockObject(OEM_FIXED_FONT));
  TEXTMETRICA tm;
  std::memset(&tm, kPoison, sizeof tm);
  ASSERT_TRUE(GetTextMetricsA(memory, &tm));
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmAscent, 12);
  EXPECT_EQ(tm.tmDescent, 4);
  EXPECT_EQ(tm.tmInternalLeading, 0);
  EXPECT_EQ(tm.tmExternalLeading, 0);
  EXPECT_EQ(tm.tmAveCharWidth, 8);
  EXPECT_EQ(tm.tmMaxCharWidth, 8);
  EXPECT_EQ(tm.tmWeight, 400);
  EXPECT_EQ(tm.tmOverhang, 0);
  EXPECT_EQ(tm.tmFirstChar, 0);
  EXPECT_EQ(tm.tmLastChar, 255);
  EXPECT_EQ(tm.tmDefaultChar, win32_subset::kOemFontDefaultChar);
  EXPECT_EQ(tm.tmBreakChar, ' ');
  EXPECT_EQ(tm.tmItalic | tm.tmUnderlined | tm.tmStruckOut, 0);
  EXPECT_EQ(tm.tmPitchAndFamily, FF_MODERN) << "fixed pitch clears TMPF_FIXED_PITCH";
  EXPECT_EQ(tm.tmCharSet, OEM_CHARSET);
  EXPECT_FALSE(GetTextMetricsA(memory, nullptr));
  DeleteDC(memory);
}

TEST_F(ContextTest, TextColourAndBackgroundModeReturnTheirPreviousValues) {
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SetTextColor(memory, RGB(0xF0, 0xF0, 0xF0)), RGB(0, 0, 0));
  EXPECT_EQ(SetTextColor(memory, RGB(1, 2, 3)), RGB(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(SetBkMode(memory, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(memory, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(SetBkMode(memory, OPAQUE), TRANSPARENT) << "unchanged by the refused mode";
  DeleteDC(memory);
}

TEST_F(ContextTest, PatBltFillsTheClippedRectangle) {
  constexpr int kWidth = 9, kHeight = 5;
  const uint32_t white = RunDisplayBits() == 16 ? 0x7FFF : 0xFFFFFF;
  const struct {
    int x, y, width, height;
    int left, top, right, bottom;  // the pixels expected white
  } cases[] = {
      {2, 1, 3, 2, 2, 1, 5, 3},
      {-2, -3, 5, 5, 0, 0, 3, 2},
      {7, 3, 10, 10, 7, 3, 9, 5},
      {5, 3, -3, -2, 3, 2, 6, 4},  // a negative size reaches back from x and y
      {9, 0, 2, 2, 0, 0, 0, 0},
      {0, 0, 0, 5, 0, 0, 0, 0},
      {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0, 0, 0, 0},
  };
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  for (const auto& c : cases) {
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    HGDIOBJ initial = SelectObject(memory, bitmap);
    EXPECT_TRUE(PatBlt(memory, c.x, c.y, c.width, c.height, WHITENESS));
    Image expected(kWidth, kHeight, 0);
    for (int y = c.top; y < c.bottom; ++y) {
      for (int x = c.left; x < c.right; ++x) expected.at(x, y) = white;
    }
    SelectObject(memory, initial);
    EXPECT_TRUE(SamePixels(ReadDib(screen, bitmap, kWidth, kHeight, RunDisplayBits()), expected))
        << "PatBlt(" << c.x << ", " << c.y << ", " << c.width << ", " << c.height << ")";
    DeleteObject(bitmap);
  }
  EXPECT_FALSE(PatBlt(memory, 0, 0, 1, 1, 0x00F00021 /* PATCOPY */));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(PatBlt(screen, 0, 0, 1, 1, BLACKNESS)) << "drawing on the screen leaves no trace";
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace gdi_test
