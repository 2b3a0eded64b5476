// MappedFile against the platform's file services; runs on Windows and natively.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "file/mapped_file.h"
#include "tests/support/temp_file.h"

namespace {

std::string ViewText(const MappedFile& file) {
  return std::string(reinterpret_cast<const char*>(file.view()), file.info().nFileSizeLow);
}

// Whether `path` can be opened for writing with no sharing: only when nobody holds it.
bool NobodyHolds(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

TEST(MappedFile, OpenMapsTheWholeFile) {
  const std::string bytes = std::string("line one\r\nline two\n\x00\xff tail", 25);
  TempFile temp(bytes);
  MappedFile file;
  const BYTE* view = file.Open(temp.path().c_str());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view, file.view());
  EXPECT_EQ(file.info().nFileSizeHigh, 0u);
  EXPECT_EQ(file.info().nFileSizeLow, bytes.size());
  EXPECT_EQ(ViewText(file), bytes);
}

TEST(MappedFile, RefusalsLeaveNothingHeld) {
  TempFile empty("");
  const std::string directory = std::filesystem::temp_directory_path().string();
  const std::string missing = UniqueTempPath(".missing");
  const struct {
    const char* what;
    const char* path;
  } cases[] = {
      {"missing file", missing.c_str()},
      {"empty file", empty.path().c_str()},
      {"directory", directory.c_str()},
      {"empty path", ""},
  };
  for (const auto& c : cases) {
    MappedFile file;
    EXPECT_EQ(file.Open(c.path), nullptr) << c.what;
    EXPECT_EQ(file.view(), nullptr) << c.what;
  }
  EXPECT_TRUE(NobodyHolds(empty.path()));
}

TEST(MappedFile, RefusesAFileAnotherHolderWrites) {
  TempFile temp("text");
  HANDLE writer = CreateFileA(temp.path().c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  MappedFile file;
  EXPECT_EQ(file.Open(temp.path().c_str()), nullptr);
  CloseHandle(writer);
  EXPECT_NE(file.Open(temp.path().c_str()), nullptr);
}

TEST(MappedFile, CloseReleasesTheFileAndIsRepeatable) {
  TempFile temp("text");
  MappedFile never_opened;
  never_opened.Close();
  never_opened.Close();

  MappedFile file;
  ASSERT_NE(file.Open(temp.path().c_str()), nullptr);
  EXPECT_FALSE(NobodyHolds(temp.path()));
  file.Close();
  EXPECT_EQ(file.view(), nullptr);
  EXPECT_TRUE(NobodyHolds(temp.path()));
  file.Close();
  EXPECT_TRUE(NobodyHolds(temp.path()));
}

TEST(MappedFile, ReopenReleasesTheFirstFile) {
  TempFile first("first");
  TempFile second("the second");
  MappedFile file;
  ASSERT_NE(file.Open(first.path().c_str()), nullptr);
  ASSERT_NE(file.Open(second.path().c_str()), nullptr);
  EXPECT_EQ(ViewText(file), "the second");
  EXPECT_TRUE(NobodyHolds(first.path()));
  EXPECT_FALSE(NobodyHolds(second.path()));

  // A failed reopen leaves nothing of either file.
  EXPECT_EQ(file.Open(UniqueTempPath(".missing").c_str()), nullptr);
  EXPECT_TRUE(NobodyHolds(second.path()));
}

TEST(MappedFile, DestructionReleasesTheFile) {
  TempFile temp("text");
  {
    MappedFile file;
    ASSERT_NE(file.Open(temp.path().c_str()), nullptr);
  }
  EXPECT_TRUE(NobodyHolds(temp.path()));
}

}  // namespace
