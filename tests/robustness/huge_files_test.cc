// Sparse files of gigabytes, loaded through the entry points. Both are refused before any
// bitmap is made, so the display depth plays no part: this runs once. Creating them
// costs nothing; reading 3 GiB of holes takes a few seconds at most, and the time is
// reported as the test's property "load_ms".
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>

#include "platform/testing.h"
#include "plugin/exports.h"
#include "tests/support/temp_file.h"

namespace {

void ExpectRefusedInTime(uint64_t size) {
  TempFile file("");
  std::filesystem::resize_file(file.path(), size);
  const auto start = std::chrono::steady_clock::now();
  void* picture = gfpLoadPictureInit(file.path().c_str());
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
  ::testing::Test::RecordProperty("load_ms", static_cast<int>(elapsed));
  EXPECT_EQ(picture, nullptr);
  gfpLoadPictureExit(picture);
  EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0)
      << win32_testing::Describe(win32_testing::CountLiveObjects());
  EXPECT_LT(elapsed, 60 * 1000) << "a load must not take minutes";
}

// Its size does not fit in 32 bits: refused without reading.
TEST(HugeFiles, FourGibibytesAreRefusedUnread) { ExpectRefusedInTime(4ull << 30); }

// 3 GiB of NUL bytes with no line feed: one line of more than INT32_MAX cells, whose
// measured width saturates, far too wide for a bitmap.
TEST(HugeFiles, ThreeGibibytesOfOneLineAreMeasuredOnceAndRefused) {
  ExpectRefusedInTime(3ull << 30);
}

}  // namespace
