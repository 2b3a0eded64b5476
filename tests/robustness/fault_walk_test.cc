// Failures of the Win32 layer walked call by call through whole loads, at the display
// depth the test runs at (load_cycle_test walks a single failure through
// gfpLoadPictureInit alone). Whatever fails, nothing stays alive, a picture that comes
// back has the size of a good load, and every line delivered is that of a good load.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/testing.h"
#include "plugin/exports.h"
#include "tests/support/temp_file.h"

namespace {

using win32_testing::FaultMode;

struct Info {
  INT kind = 0, width = 0, height = 0, resolution = 0, bits = 0, bytes_per_line = 0;
  BOOL has_colormap = 0;
};

Info InfoOf(void* picture) {
  Info info;
  char label[16];
  EXPECT_EQ(gfpLoadPictureGetInfo(picture, &info.kind, &info.width, &info.height,
                                  &info.resolution, &info.bits, &info.bytes_per_line,
                                  &info.has_colormap, label, sizeof label),
            1);
  return info;
}

// Line `y` read into a buffer of exactly bytes_per_line bytes; empty when not delivered.
std::vector<BYTE> Line(void* picture, const Info& info, int y) {
  std::vector<BYTE> line(static_cast<size_t>(info.bytes_per_line));
  if (gfpLoadPictureGetLine(picture, y, line.data()) != 1) line.clear();
  return line;
}

std::string LiveObjects() { return win32_testing::Describe(win32_testing::CountLiveObjects()); }

const char* ModeName(FaultMode mode) {
  return mode == FaultMode::kOnce ? "single failure" : "persistent failure";
}

// Calls of the layer that can be made to fail in a clean host cycle of `path`: while
// loading, and in all, with every line read.
struct CallCounts {
  uint32_t load = 0;
  uint32_t total = 0;
};

CallCounts CountCalls(const std::string& path) {
  CallCounts counts;
  win32_testing::ArmFaultOnAnyCall(UINT32_MAX, FaultMode::kOnce);
  void* picture = gfpLoadPictureInit(path.c_str());
  counts.load = win32_testing::MatchedCalls();
  if (picture != nullptr) {
    const Info info = InfoOf(picture);
    for (int y = 0; y < info.height; ++y) Line(picture, info, y);
  }
  counts.total = win32_testing::MatchedCalls();
  gfpLoadPictureExit(picture);
  win32_testing::DisarmFault();
  return counts;
}

bool IsReleaseNamed(const std::string& name) {
  for (int c = 0; c < static_cast<int>(win32_testing::Call::kCount); ++c) {
    const auto call = static_cast<win32_testing::Call>(c);
    if (win32_testing::IsRelease(call) && name == win32_testing::CallName(call)) return true;
  }
  return false;
}

// The calls of a clean load of `path` that can be made to fail, in order: entry n - 1 is
// the call that ArmFaultOnAnyCall(n) aims at.
std::vector<std::string> FailableCallsOfALoad(const std::string& path) {
  win32_testing::StartJournal();
  void* picture = gfpLoadPictureInit(path.c_str());
  const std::vector<std::string> journal = win32_testing::StopJournal();
  gfpLoadPictureExit(picture);
  std::vector<std::string> calls;
  for (const std::string& entry : journal) {
    const std::string name = entry.substr(0, entry.find('('));
    if (!IsReleaseNamed(name)) calls.push_back(name);
  }
  return calls;
}

// Whether calls[i] lies inside a run of the same call, past its first two and before its
// last: drawing one glyph is like drawing the next.
bool InsideARun(const std::vector<std::string>& calls, size_t i) {
  return i >= 2 && i + 1 < calls.size() && calls[i - 2] == calls[i] &&
         calls[i - 1] == calls[i] && calls[i + 1] == calls[i];
}

// 400 rows, the most a picture has, and a line of 120 cells: 960 x 6400 pixels.
std::string TallWideText() { return std::string(120, '#') + std::string(399, '\n') + "end"; }

TEST(FaultWalk, PersistentFailureThroughTheLoadOfATallWidePicture) {
  TempFile file(TallWideText());
  void* reference = gfpLoadPictureInit(file.path().c_str());
  ASSERT_NE(reference, nullptr);
  const Info expected = InfoOf(reference);
  gfpLoadPictureExit(reference);
  ASSERT_EQ(expected.height, 400 * 16);
  const std::vector<std::string> calls = FailableCallsOfALoad(file.path());
  ASSERT_EQ(calls.size(), CountCalls(file.path()).load) << "journal and fault counter disagree";

  for (uint32_t n = 1; n <= calls.size() + 1; ++n) {
    if (InsideARun(calls, n - 1)) continue;
    win32_testing::ArmFaultOnAnyCall(n, FaultMode::kPersistent);
    void* picture = gfpLoadPictureInit(file.path().c_str());
    const bool triggered = win32_testing::FaultTriggered();
    win32_testing::DisarmFault();
    if (picture != nullptr) {
      const Info got = InfoOf(picture);
      EXPECT_EQ(got.width, expected.width) << "calls failing from " << n;
      EXPECT_EQ(got.height, expected.height) << "calls failing from " << n;
      EXPECT_EQ(got.bits, expected.bits) << "calls failing from " << n;
      EXPECT_EQ(got.bytes_per_line, expected.bytes_per_line) << "calls failing from " << n;
      for (int y : {0, got.height / 2, got.height - 1}) {
        EXPECT_FALSE(Line(picture, got, y).empty()) << "calls failing from " << n << ", line " << y;
      }
      gfpLoadPictureExit(picture);
    }
    EXPECT_EQ(triggered, n <= calls.size()) << "calls failing from " << n;
    ASSERT_EQ(win32_testing::CountLiveObjects().total(), 0)
        << "calls failing from " << n << " (" << (n <= calls.size() ? calls[n - 1] : "none")
        << "): " << LiveObjects();
  }
}

// The host's whole cycle: load, describe, colour map, every line, release. A failure
// while lines are read fails that line (and, persistent, every later one) and nothing
// else. Every line makes the same calls: the walk goes through the load, the first two
// lines and the last.
TEST(FaultWalk, FailureThroughAWholeHostCycle) {
  TempFile file("AB\r\nC\r\n\tx\xdb\xb0");
  void* reference = gfpLoadPictureInit(file.path().c_str());
  ASSERT_NE(reference, nullptr);
  const Info expected = InfoOf(reference);
  std::vector<std::vector<BYTE>> expected_lines;
  for (int y = 0; y < expected.height; ++y) expected_lines.push_back(Line(reference, expected, y));
  gfpLoadPictureExit(reference);
  const CallCounts calls = CountCalls(file.path());
  ASSERT_GT(calls.total, calls.load);
  ASSERT_EQ((calls.total - calls.load) % expected.height, 0u);
  const uint32_t per_line = (calls.total - calls.load) / expected.height;

  for (FaultMode mode : {FaultMode::kOnce, FaultMode::kPersistent}) {
    SCOPED_TRACE(ModeName(mode));
    for (uint32_t n = 1; n <= calls.total + 1; ++n) {
      if (n > calls.load + 2 * per_line && n <= calls.total - per_line) continue;
      win32_testing::ArmFaultOnAnyCall(n, mode);
      void* picture = gfpLoadPictureInit(file.path().c_str());
      const bool made_whole = !win32_testing::FaultTriggered();
      if (picture != nullptr) {
        const Info got = InfoOf(picture);
        BYTE colormap[768];
        EXPECT_EQ(gfpLoadPictureGetColormap(picture, colormap), 1) << "call " << n;
        ASSERT_EQ(got.height, expected.height) << "call " << n;
        ASSERT_EQ(got.bytes_per_line, expected.bytes_per_line) << "call " << n;
        int failed_lines = 0;
        for (int y = 0; y < got.height; ++y) {
          const bool failed_before = win32_testing::FaultTriggered();
          const std::vector<BYTE> line = Line(picture, got, y);
          const bool failed_now = win32_testing::FaultTriggered() &&
                                  (mode == FaultMode::kPersistent || !failed_before);
          if (line.empty()) {
            ++failed_lines;
            EXPECT_TRUE(failed_now) << "line " << y << " not delivered, call " << n << " failing";
          } else if (made_whole) {
            EXPECT_TRUE(line == expected_lines[y]) << "line " << y << ", call " << n << " failing";
          }
        }
        if (mode == FaultMode::kOnce) {
          EXPECT_LE(failed_lines, 1) << "call " << n;
        }
        gfpLoadPictureExit(picture);
      }
      const bool triggered = win32_testing::FaultTriggered();
      win32_testing::DisarmFault();
      EXPECT_EQ(triggered, n <= calls.total) << "call " << n;
      ASSERT_EQ(win32_testing::CountLiveObjects().total(), 0)
          << "call " << n << " failing: " << LiveObjects();
    }
  }
}

}  // namespace
