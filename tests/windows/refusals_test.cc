// Files the module can't make a picture of, on the real platform: each load returns null.
// And entry points given a null picture refuse without writing anything.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/temp_file.h"
#include "tests/windows/module_fixture.h"
#include "tests/windows/test_paths.h"

namespace {

constexpr BYTE kPoison = 0xA5;

class Refusals : public ModuleTest {
 protected:
  // Temporary files are named by the platform's own C library: no conversion.
  void* Load(const std::string& path) { return plugin_.load_picture_init(path.c_str()); }
};

TEST_F(Refusals, MissingEmptyAndDirectory) {
  const TempFile empty("");
  const struct {
    const char* what;
    std::string path;
  } cases[] = {
      {"missing file", UniqueTempPath(".asc")},
      {"empty file", empty.path()},
      {"directory", FixtureDirectory()},
  };
  for (const auto& c : cases) {
    void* picture = Load(c.path);
    EXPECT_EQ(picture, nullptr) << c.what << ": " << c.path;
    plugin_.load_picture_exit(picture);
  }
}

// Another handle open for writing (sharing reading and writing) keeps the module out;
// once it is closed the same file loads.
TEST_F(Refusals, FileHeldOpenForWriting) {
  const TempFile file("text\r\n");
  HANDLE writer =
      CreateFileA(file.path().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE) << "error " << GetLastError();
  void* held = Load(file.path());
  CloseHandle(writer);
  EXPECT_EQ(held, nullptr) << "loaded while another handle writes it";
  plugin_.load_picture_exit(held);

  void* released = Load(file.path());
  EXPECT_NE(released, nullptr) << "refused after the writer closed it";
  plugin_.load_picture_exit(released);
}

TEST_F(Refusals, LineTooWideForAnyBitmap) {
  const TempFile file(std::string(3000000, '=') + "\r\n");
  void* picture = Load(file.path());
  EXPECT_EQ(picture, nullptr);
  plugin_.load_picture_exit(picture);
}

TEST_F(Refusals, NullPictureWritesNothing) {
  INT values[6];
  BOOL has_colormap = -1;
  char label[16];
  BYTE buffer[768];
  std::memset(values, kPoison, sizeof values);
  std::memset(label, kPoison, sizeof label);
  std::memset(buffer, kPoison, sizeof buffer);
  EXPECT_EQ(plugin_.load_picture_get_info(nullptr, &values[0], &values[1], &values[2], &values[3],
                                  &values[4], &values[5], &has_colormap, label, sizeof label),
            0);
  EXPECT_EQ(plugin_.load_picture_get_colormap(nullptr, buffer), 0);
  EXPECT_EQ(plugin_.load_picture_get_line(nullptr, 0, buffer), 0);
  plugin_.load_picture_exit(nullptr);
  for (const INT value : values) EXPECT_EQ(value, static_cast<INT>(0xA5A5A5A5));
  EXPECT_EQ(has_colormap, -1);
  for (const char c : label) ASSERT_EQ(c, static_cast<char>(kPoison));
  for (const BYTE b : buffer) ASSERT_EQ(b, kPoison);
}

}  // namespace
