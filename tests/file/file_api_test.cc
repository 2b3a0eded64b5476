// What the module relies on from the platform's file services, checked the same way on
// Windows and against our own subset, so that the two agree.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "port/win32.h"
#include "tests/support/temp_file.h"

namespace {

HANDLE OpenForReading(const char* path) {
  return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST(FileApi, OpenRefusalsAndTheirErrors) {
  const std::string directory = std::filesystem::temp_directory_path().string();
  const std::string missing = UniqueTempPath(".missing");
  const std::string missing_folder = UniqueTempPath(".folder") + "/file.txt";
  const struct {
    const char* what;
    const char* path;
    DWORD error;
  } cases[] = {
      {"missing file", missing.c_str(), ERROR_FILE_NOT_FOUND},
      {"missing folder", missing_folder.c_str(), ERROR_PATH_NOT_FOUND},
      {"directory", directory.c_str(), ERROR_ACCESS_DENIED},
      {"empty path", "", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(OpenForReading(c.path), INVALID_HANDLE_VALUE) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

TEST(FileApi, EmptyFileCannotBeMapped) {
  TempFile empty("");
  HANDLE file = OpenForReading(empty.path().c_str());
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  BY_HANDLE_FILE_INFORMATION info;
  ASSERT_TRUE(GetFileInformationByHandle(file, &info));
  EXPECT_EQ(info.nFileSizeHigh, 0u);
  EXPECT_EQ(info.nFileSizeLow, 0u);
  SetLastError(0);
  EXPECT_EQ(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_INVALID));
  EXPECT_TRUE(CloseHandle(file));
}

TEST(FileApi, ViewOutlivesItsHandles) {
  TempFile temp("abc");
  HANDLE file = OpenForReading(temp.path().c_str());
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  const char* view = static_cast<const char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(CloseHandle(mapping));
  EXPECT_TRUE(CloseHandle(file));
  EXPECT_EQ(std::string(view, 3), "abc");
  EXPECT_TRUE(UnmapViewOfFile(view));
}

TEST(FileApi, ReleasingTwiceIsRefused) {
  TempFile temp("abc");
  HANDLE file = OpenForReading(temp.path().c_str());
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  ASSERT_NE(mapping, nullptr);
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(UnmapViewOfFile(view));
  EXPECT_FALSE(UnmapViewOfFile(view));
  EXPECT_TRUE(CloseHandle(mapping));
  EXPECT_TRUE(CloseHandle(file));
  SetLastError(0);
  EXPECT_FALSE(CloseHandle(file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(FileApi, ShareModesBetweenHandles) {
  TempFile temp("abc");
  const char* path = temp.path().c_str();
  HANDLE reader = OpenForReading(path);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  // A second reader is fine; a writer is not, since the reader shares reading only.
  HANDLE second = OpenForReading(path);
  EXPECT_NE(second, INVALID_HANDLE_VALUE);
  SetLastError(0);
  EXPECT_EQ(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  CloseHandle(second);
  CloseHandle(reader);
}

TEST(FileApi, StringCopies) {
  const struct {
    int capacity;
    const char* expected;
  } cases[] = {{10, "Quillmere"}, {20, "Quillmere"}, {6, "Quill"}, {1, ""}};
  for (const auto& c : cases) {
    char buffer[24];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(lstrcpynA(buffer, "Quillmere", c.capacity), buffer);
    EXPECT_STREQ(buffer, c.expected) << "capacity " << c.capacity;
    EXPECT_EQ(buffer[c.capacity], '#') << "capacity " << c.capacity << ": wrote past the bound";
  }
  char whole[16];
  std::memset(whole, '#', sizeof whole);
  EXPECT_EQ(lstrcpyA(whole, "asc;nfo;diz"), whole);
  EXPECT_EQ(std::string(whole, 13), std::string("asc;nfo;diz\0#", 13));
}

}  // namespace
