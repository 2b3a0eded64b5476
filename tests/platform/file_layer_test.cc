// The native layer's file services where they go beyond what Windows tests can show:
// POSIX special files, sparse files, foreign handles, injected faults.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/testing.h"
#include "port/win32.h"
#include "tests/support/temp_file.h"

namespace {

using win32_testing::Call;
using win32_testing::CountLiveObjects;
using win32_testing::FaultMode;

HANDLE OpenForReading(const char* path) {
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Opens `path` and tries to map it; returns the error of the first refusal, or 0.
DWORD MapError(const char* path) {
  HANDLE file = OpenForReading(path);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  DWORD error = 0;
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping == nullptr) {
    error = GetLastError();
  } else {
    CloseHandle(mapping);
  }
  CloseHandle(file);
  return error;
}

TEST(FileLayer, SpecialFilesOpenWithoutBlockingAndCannotBeMapped) {
  const std::string fifo = UniqueTempPath(".fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(MapError(fifo.c_str()), static_cast<DWORD>(ERROR_FILE_INVALID)) << "FIFO";
  unlink(fifo.c_str());
  EXPECT_EQ(MapError("/dev/zero"), static_cast<DWORD>(ERROR_FILE_INVALID)) << "/dev/zero";
  EXPECT_EQ(CountLiveObjects().total(), 0);
}

TEST(FileLayer, SizeWordsOfALargeSparseFile) {
  TempFile sparse("");
  const std::string& path = sparse.path();
  const struct {
    uint64_t size;
    DWORD high;
    DWORD low;
  } cases[] = {
      {4ull << 30, 1, 0},
      {(4ull << 30) + 5, 1, 5},
      {3ull << 30, 0, 0xC0000000u},
  };
  for (const auto& c : cases) {
    std::filesystem::resize_file(path, 0);
    std::filesystem::resize_file(path, c.size);
    HANDLE file = OpenForReading(path.c_str());
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    BY_HANDLE_FILE_INFORMATION info;
    ASSERT_TRUE(GetFileInformationByHandle(file, &info));
    EXPECT_EQ(info.nFileSizeHigh, c.high) << c.size;
    EXPECT_EQ(info.nFileSizeLow, c.low) << c.size;
    CloseHandle(file);
  }
}

TEST(FileLayer, ForeignValuesAreRefused) {
  for (HANDLE h : {reinterpret_cast<HANDLE>(0x1234), INVALID_HANDLE_VALUE,
                   static_cast<HANDLE>(nullptr)}) {
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    BY_HANDLE_FILE_INFORMATION info;
    EXPECT_FALSE(GetFileInformationByHandle(h, &info));
    EXPECT_EQ(CreateFileMappingA(h, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
    EXPECT_EQ(MapViewOfFile(h, FILE_MAP_READ, 0, 0, 0), nullptr);
  }
  int on_stack = 0;
  EXPECT_FALSE(UnmapViewOfFile(&on_stack));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ADDRESS));
  EXPECT_EQ(CreateFileA(nullptr, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
}

TEST(FileLayer, InjectedFaultsReportWindowsErrors) {
  TempFile temp("text");
  const struct {
    Call call;
    DWORD error;
  } cases[] = {
      {Call::kCreateFileA, ERROR_ACCESS_DENIED},
      {Call::kGetFileInformationByHandle, ERROR_ACCESS_DENIED},
      {Call::kCreateFileMappingA, ERROR_NOT_ENOUGH_MEMORY},
      {Call::kHeapAlloc, ERROR_NOT_ENOUGH_MEMORY},
  };
  for (const auto& c : cases) {
    win32_testing::ArmFault(c.call, 1, FaultMode::kOnce);
    SetLastError(0);
    HANDLE file = OpenForReading(temp.path().c_str());
    BY_HANDLE_FILE_INFORMATION info;
    bool failed = file == INVALID_HANDLE_VALUE;
    if (!failed) failed = !GetFileInformationByHandle(file, &info);
    HANDLE mapping = nullptr;
    if (!failed) failed = (mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr)) == nullptr;
    if (!failed) failed = HeapAlloc(GetProcessHeap(), 0, 16) == nullptr;
    EXPECT_TRUE(failed) << CallName(c.call);
    EXPECT_EQ(GetLastError(), c.error) << CallName(c.call);
    if (mapping) CloseHandle(mapping);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    win32_testing::DisarmFault();
    EXPECT_EQ(CountLiveObjects().total(), 0) << CallName(c.call);
  }
}

TEST(FileLayer, PersistentFaultFailsFromTheNthCallOn) {
  TempFile temp("text");
  win32_testing::ArmFault(Call::kCreateFileA, 2, FaultMode::kPersistent);
  HANDLE first = OpenForReading(temp.path().c_str());
  EXPECT_NE(first, INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenForReading(temp.path().c_str()), INVALID_HANDLE_VALUE);
  EXPECT_EQ(OpenForReading(temp.path().c_str()), INVALID_HANDLE_VALUE);
  EXPECT_EQ(win32_testing::MatchedCalls(), 3u);
  win32_testing::DisarmFault();
  HANDLE again = OpenForReading(temp.path().c_str());
  EXPECT_NE(again, INVALID_HANDLE_VALUE);
  CloseHandle(again);
  CloseHandle(first);
}

}  // namespace
