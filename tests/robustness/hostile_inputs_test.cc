// Files a user may open by mistake or on purpose, loaded through the entry points at the
// display depth the test runs at. Each yields either no picture, with nothing left
// alive, or a picture of the stated grid of cells whose every line the host reads.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "platform/oem_font.h"
#include "platform/testing.h"
#include "plugin/exports.h"
#include "tests/support/host_reader.h"
#include "tests/support/temp_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int W = win32_subset::kOemFontWidth;
constexpr int H = win32_subset::kOemFontHeight;

// What a load must give: no picture, or one of columns x rows cells.
struct Outcome {
  bool loads;
  int columns;
  int rows;
};
constexpr Outcome kNoPicture{false, 0, 0};
constexpr Outcome Cells(int columns, int rows) { return {true, columns, rows}; }

int DisplayBits() {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits;
}

void ExpectLoad(const std::string& path, Outcome expected) {
  void* picture = gfpLoadPictureInit(path.c_str());
  if (!expected.loads) {
    EXPECT_EQ(picture, nullptr);
    gfpLoadPictureExit(picture);
  } else {
    ASSERT_NE(picture, nullptr);
    const HostPicture host = ReadThroughHost(picture);
    gfpLoadPictureExit(picture);
    EXPECT_EQ(host.width, expected.columns * W);
    EXPECT_EQ(host.height, expected.rows * H);
    EXPECT_EQ(host.bits, DisplayBits());
  }
  EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0)
      << win32_testing::Describe(win32_testing::CountLiveObjects());
}

// A fresh folder in the system's temporary folder, removed with all it holds.
class TempFolder {
 public:
  TempFolder() : path_(UniqueTempPath(".d")) { fs::create_directory(path_); }
  ~TempFolder() { fs::remove_all(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Writes `bytes` to the file `name` in the folder; returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::string path = path_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

TEST(HostileInputs, Contents) {
  std::string cr_lines;
  for (int i = 0; i < 60; ++i) cr_lines += "0123456789abcdefghi\r";
  const struct {
    const char* what;
    std::string bytes;
    Outcome outcome;
  } cases[] = {
      {"0 bytes", "", kNoPicture},
      {"1 byte", "x", Cells(80, 25)},
      {"only carriage returns", std::string(5000, '\r'), Cells(80, 25)},
      {"only line feeds", std::string(450, '\n'), Cells(80, 400)},
      {"only NUL bytes", std::string(1000, '\0'), Cells(1000, 25)},
      {"carriage returns as the only line breaks", cr_lines, Cells(60 * 19, 25)},
      {"a wide line after the 400th line feed", std::string(400, '\n') + std::string(3000, 'w'),
       Cells(80, 400)},
      {"one line of 4 MiB, too wide for a bitmap", std::string(4 << 20, 'x'), kNoPicture},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempFile file(c.bytes);
    ExpectLoad(file.path(), c.outcome);
  }
}

TEST(HostileInputs, ThingsThatAreNotTextFiles) {
  TempFolder folder;
  const struct {
    const char* what;
    std::string path;
  } cases[] = {
      {"a directory", folder.path()},
      {"a missing file", folder.path() + "/missing.nfo"},
      {"a missing folder", folder.path() + "/missing/art.nfo"},
      {"/dev/zero", "/dev/zero"},
      {"/dev/null", "/dev/null"},
      {"a proc file: size 0, content when read", "/proc/self/status"},
      {"a path longer than the system takes", folder.path() + "/" + std::string(5000, 'n')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectLoad(c.path, kNoPicture);
  }
}

TEST(HostileInputs, AFifoIsRefusedWithoutWaitingForAWriter) {
  TempFolder folder;
  const std::string fifo = folder.path() + "/pipe.asc";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // Should the open wait for a writer, the load is left behind, blocked, and the test
  // fails after the timeout instead of hanging.
  auto done = std::make_shared<std::promise<void*>>();
  std::future<void*> result = done->get_future();
  std::thread([done, fifo] { done->set_value(gfpLoadPictureInit(fifo.c_str())); }).detach();
  ASSERT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(result.get(), nullptr);
  EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0);
}

TEST(HostileInputs, FileNamesWithSpacesAndNonAsciiBytes) {
  TempFolder folder;
  const char* names[] = {
      "art with spaces.nfo",
      " leading and trailing space .asc ",
      "caf\xc3\xa9 \xe2\x96\x88 UTF-8.diz",
      "caf\xe9 Latin-1.nfo",
      "-dash;semicolon,comma'quote\"$(x)*?.asc",
      "\x01\x7f control bytes.nfo",
  };
  for (const char* name : names) {
    SCOPED_TRACE(name);
    ExpectLoad(folder.Write(name, "name\r\ntest"), Cells(80, 25));
  }
  // A name of 255 bytes, the longest a folder entry takes.
  ExpectLoad(folder.Write(std::string(251, 'L') + ".nfo", "long name"), Cells(80, 25));
}

TEST(HostileInputs, ADeletedFile) {
  TempFolder folder;
  const std::string path = folder.Write("gone.nfo", "gone");
  ASSERT_EQ(unlink(path.c_str()), 0);
  ExpectLoad(path, kNoPicture);
}

TEST(HostileInputs, APictureOutlivesItsFile) {
  TempFolder folder;
  const std::string path = folder.Write("short-lived.nfo", std::string(100, '#') + "\n#");
  void* picture = gfpLoadPictureInit(path.c_str());
  ASSERT_NE(picture, nullptr);
  const HostPicture before = ReadThroughHost(picture);
  ASSERT_EQ(unlink(path.c_str()), 0);
  const HostPicture after = ReadThroughHost(picture);
  gfpLoadPictureExit(picture);
  EXPECT_EQ(after.width, 100 * W);
  EXPECT_EQ(after.height, 25 * H);
  EXPECT_TRUE(after.pixels.rgb == before.pixels.rgb);
  EXPECT_EQ(win32_testing::CountLiveObjects().total(), 0);
}

}  // namespace
