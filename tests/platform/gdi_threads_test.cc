// Several threads loading pictures at once: each picture comes out as if drawn alone,
// a bitmap shared between the threads sits in one context at a time, stale handles
// stay refused, and nothing is left alive.
#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/platform/gdi_test_support.h"

namespace gdi_test {
namespace {

constexpr int kThreads = 4;
constexpr int kRounds = 30;
constexpr int kColumns = 12, kLines = 3;
constexpr int kWidth = kColumns * 8, kHeight = kLines * 16;

std::string LineOf(int thread, int round, int line) {
  std::string text;
  for (int i = 0; i < kColumns; ++i) {
    text += static_cast<char>((thread * 61 + round * 17 + line * 7 + i * 29) & 0xFF);
  }
  return text;
}

// Draws one picture cell by cell as the module does; its pixels at 32 bits, or empty
// when a call failed.
std::vector<uint32_t> DrawPicture(int thread, int round, int* stale_accepted) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  HGDIOBJ initial = SelectObject(memory, bitmap);
  if (initial == nullptr) return {};
  SelectObject(memory, GetStockObject(OEM_FIXED_FONT));
  SetTextColor(memory, RGB(255, 255, 255));
  SetBkMode(memory, TRANSPARENT);
  for (int line = 0; line < kLines; ++line) {
    const std::string text = LineOf(thread, round, line);
    for (int i = 0; i < kColumns; ++i) TextOutA(memory, i * 8, line * 16, &text[i], 1);
  }
  SelectObject(memory, initial);
  std::vector<uint32_t> pixels(size_t(kWidth) * kHeight);
  BITMAPINFOHEADER header{sizeof header, kWidth, kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const int lines = GetDIBits(screen, bitmap, 0, kHeight, pixels.data(),
                              reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  *stale_accepted += DeleteObject(bitmap) + DeleteDC(memory) + ReleaseDC(nullptr, screen);
  if (lines != kHeight) return {};
  return pixels;
}

std::vector<uint32_t> Reference(int thread, int round) {
  Image image(kWidth, kHeight, 0);
  for (int line = 0; line < kLines; ++line) {
    DrawReferenceText(image, 0, line * 16, LineOf(thread, round, line), 0xFFFFFF);
  }
  std::vector<uint32_t> bottom_up;
  for (int y = kHeight - 1; y >= 0; --y) {
    bottom_up.insert(bottom_up.end(), image.pixels.begin() + size_t(y) * kWidth,
                     image.pixels.begin() + size_t(y + 1) * kWidth);
  }
  return bottom_up;
}

using GdiThreadsTest = GdiTest;

TEST_F(GdiThreadsTest, ConcurrentPicturesComeOutAsDrawnAlone) {
  struct Result {
    int mismatches = 0;
    int stale_accepted = 0;
    int shared_holders_seen = 0;  // most threads holding the shared bitmap at once
  };
  std::vector<Result> results(kThreads);
  HDC screen = GetDC(nullptr);
  HBITMAP shared = CreateCompatibleBitmap(screen, 8, 8);
  std::atomic<int> holders{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      Result& result = results[t];
      HDC own = CreateCompatibleDC(screen);
      for (int round = 0; round < kRounds; ++round) {
        if (DrawPicture(t, round, &result.stale_accepted) != Reference(t, round)) {
          ++result.mismatches;
        }
        HGDIOBJ initial = SelectObject(own, shared);
        if (initial != nullptr) {
          result.shared_holders_seen = std::max(result.shared_holders_seen, ++holders);
          PatBlt(own, 0, 0, 8, 8, (round & 1) ? WHITENESS : BLACKNESS);
          --holders;
          SelectObject(own, initial);
        }
      }
      DeleteDC(own);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int t = 0; t < kThreads; ++t) {
    EXPECT_EQ(results[t].mismatches, 0) << "thread " << t;
    EXPECT_EQ(results[t].stale_accepted, 0) << "thread " << t;
    EXPECT_LE(results[t].shared_holders_seen, 1) << "thread " << t;
  }
  EXPECT_TRUE(DeleteObject(shared));
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace gdi_test
