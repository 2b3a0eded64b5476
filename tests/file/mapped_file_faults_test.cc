// MappedFile when the platform fails, through the native layer's fault injection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file/mapped_file.h"
#include "platform/testing.h"
#include "tests/support/temp_file.h"

namespace {

using win32_testing::Call;
using win32_testing::CountLiveObjects;
using win32_testing::Describe;
using win32_testing::FaultMode;
using win32_testing::LiveObjects;

class MappedFileFaults : public ::testing::Test {
 protected:
  void SetUp() override { before_ = CountLiveObjects(); }
  void TearDown() override { win32_testing::DisarmFault(); }
  void ExpectNothingLive(const std::string& context) {
    EXPECT_EQ(CountLiveObjects(), before_)
        << context << ": live " << Describe(CountLiveObjects()) << ", expected "
        << Describe(before_);
  }
  LiveObjects before_;
};

TEST_F(MappedFileFaults, EachFailingCallLeavesNothingHeld) {
  TempFile temp("some text\n");
  for (Call call : {Call::kCreateFileA, Call::kGetFileInformationByHandle,
                    Call::kCreateFileMappingA, Call::kMapViewOfFile}) {
    win32_testing::ArmFault(call, 1, FaultMode::kOnce);
    MappedFile file;
    EXPECT_EQ(file.Open(temp.path().c_str()), nullptr) << CallName(call);
    EXPECT_TRUE(win32_testing::FaultTriggered()) << CallName(call);
    EXPECT_EQ(file.view(), nullptr) << CallName(call);
    ExpectNothingLive(CallName(call));
  }
}

TEST_F(MappedFileFaults, FailureWalkedThroughTheWholeOpen) {
  TempFile temp("some text\n");
  for (uint32_t n = 1;; ++n) {
    win32_testing::ArmFaultOnAnyCall(n, FaultMode::kOnce);
    {
      MappedFile file;
      const BYTE* view = file.Open(temp.path().c_str());
      const bool failed = win32_testing::FaultTriggered();
      EXPECT_EQ(view == nullptr, failed) << "failing call " << n;
    }
    ExpectNothingLive("failing call " + std::to_string(n));
    if (!win32_testing::FaultTriggered()) {
      EXPECT_EQ(n, 5u) << "calls in a successful open, plus one";
      break;
    }
  }
}

TEST_F(MappedFileFaults, ReleasesViewThenMappingThenFile) {
  TempFile first("first");
  TempFile second("second");
  MappedFile file;
  ASSERT_NE(file.Open(first.path().c_str()), nullptr);

  win32_testing::StartJournal();
  ASSERT_NE(file.Open(second.path().c_str()), nullptr);
  const std::vector<std::string> reopen = win32_testing::StopJournal();
  const std::vector<std::string> expected_reopen = {
      "UnmapViewOfFile", "CloseHandle(mapping)", "CloseHandle(file)",
      "CreateFileA",     "GetFileInformationByHandle", "CreateFileMappingA",
      "MapViewOfFile"};
  EXPECT_EQ(reopen, expected_reopen);

  win32_testing::StartJournal();
  file.Close();
  file.Close();
  const std::vector<std::string> close = win32_testing::StopJournal();
  const std::vector<std::string> expected_close = {"UnmapViewOfFile", "CloseHandle(mapping)",
                                                   "CloseHandle(file)"};
  EXPECT_EQ(close, expected_close);
  ExpectNothingLive("after Close");
}

TEST_F(MappedFileFaults, FailedViewReleasesMappingBeforeFile) {
  TempFile temp("text");
  win32_testing::ArmFault(Call::kMapViewOfFile, 1, FaultMode::kOnce);
  win32_testing::StartJournal();
  MappedFile file;
  EXPECT_EQ(file.Open(temp.path().c_str()), nullptr);
  const std::vector<std::string> journal = win32_testing::StopJournal();
  const std::vector<std::string> expected = {"CreateFileA", "GetFileInformationByHandle",
                                             "CreateFileMappingA", "CloseHandle(mapping)",
                                             "CloseHandle(file)"};
  EXPECT_EQ(journal, expected);
}

}  // namespace
