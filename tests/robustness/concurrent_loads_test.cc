// The host calls from any thread: loads, reads and releases running at once on several
// threads give the host exactly the pixels that one thread alone gets, and leave
// nothing alive. Run under ThreadSanitizer in the tsan build.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/testing.h"
#include "plugin/exports.h"
#include "tests/support/host_reader.h"
#include "tests/support/temp_file.h"

namespace {

constexpr int kThreads = 6;
constexpr int kRounds = 4;

// Texts of different grids and glyphs, so that a mix-up between threads shows.
std::vector<std::string> Texts() {
  return {
      "AB\r\nC\r\n\tx\xdb\xb0",
      std::string(120, '#') + "\n" + std::string(30, '\n') + "end",
      "\xc9\xcd\xcd\xbb\r\n\xba\x01\x02\xba\r\n\xc8\xcd\xcd\xbc",
      std::string(90, '\xb1') + "\r" + std::string(10, '\xdb'),
      std::string(300, '\0'),
      "one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten",
  };
}

bool SamePicture(const HostPicture& a, const HostPicture& b) {
  return a.width == b.width && a.height == b.height && a.bits == b.bits &&
         a.bytes_per_line == b.bytes_per_line && a.pixels.rgb == b.pixels.rgb;
}

class ConcurrentLoads : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& text : Texts()) {
      files_.emplace_back(new TempFile(text));
      void* picture = gfpLoadPictureInit(files_.back()->path().c_str());
      ASSERT_NE(picture, nullptr);
      references_.push_back(ReadThroughHost(picture));
      gfpLoadPictureExit(picture);
    }
  }
  void TearDown() override {
    EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0)
        << win32_testing::Describe(win32_testing::CountLiveObjects());
  }

  std::vector<std::unique_ptr<TempFile>> files_;
  std::vector<HostPicture> references_;
};

TEST_F(ConcurrentLoads, ThreadsLoadingTheirOwnPicturesSeeWhatOneThreadSees) {
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t] {
      for (int round = 0; round < kRounds; ++round) {
        const size_t text = static_cast<size_t>(t + round) % files_.size();
        void* picture = gfpLoadPictureInit(files_[text]->path().c_str());
        ASSERT_NE(picture, nullptr) << "thread " << t << " round " << round;
        const HostPicture host = ReadThroughHost(picture, round % 2 == 1);
        gfpLoadPictureExit(picture);
        EXPECT_TRUE(SamePicture(host, references_[text]))
            << "thread " << t << " round " << round << " text " << text;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
}

TEST_F(ConcurrentLoads, ThreadsReadingOnePictureSeeWhatOneThreadSees) {
  void* picture = gfpLoadPictureInit(files_[1]->path().c_str());
  ASSERT_NE(picture, nullptr);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t, picture] {
      for (int round = 0; round < kRounds; ++round) {
        EXPECT_TRUE(SamePicture(ReadThroughHost(picture, (t + round) % 2 == 1), references_[1]))
            << "thread " << t << " round " << round;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  gfpLoadPictureExit(picture);
}

}  // namespace
