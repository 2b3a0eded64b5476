// The native module as the host tool loads it: a shared object with the ten entry points.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <string>

#include "plugin/exports.h"
#include "tests/support/temp_file.h"

namespace {

const char* const kEntryPoints[] = {
    "gfpGetPluginInfo",       "gfpLoadPictureExit",      "gfpLoadPictureGetColormap",
    "gfpLoadPictureGetInfo",  "gfpLoadPictureGetLine",   "gfpLoadPictureInit",
    "gfpSavePictureExit",     "gfpSavePictureInit",      "gfpSavePictureIsSupported",
    "gfpSavePicturePutLine"};

class Module : public ::testing::Test {
 protected:
  void SetUp() override {
    handle_ = dlopen(QUILLMERE_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
  }
  void TearDown() override {
    if (handle_) dlclose(handle_);
  }
  template <typename F>
  F* Find(const char* name) {
    return reinterpret_cast<F*>(dlsym(handle_, name));
  }
  void* handle_ = nullptr;
};

TEST_F(Module, ExportsTheEntryPointsAndHidesTheRest) {
  for (const char* name : kEntryPoints) EXPECT_NE(dlsym(handle_, name), nullptr) << name;
  for (const char* name : {"DllMain", "CreatePicture", "MeasureTextGrid", "PaintText"}) {
    EXPECT_EQ(dlsym(handle_, name), nullptr) << name;
  }
}

TEST_F(Module, LoadCycleThroughTheExports) {
  auto* init = Find<decltype(gfpLoadPictureInit)>("gfpLoadPictureInit");
  auto* info = Find<decltype(gfpLoadPictureGetInfo)>("gfpLoadPictureGetInfo");
  auto* line = Find<decltype(gfpLoadPictureGetLine)>("gfpLoadPictureGetLine");
  auto* exit = Find<decltype(gfpLoadPictureExit)>("gfpLoadPictureExit");
  TempFile file("hello\r\n");
  void* picture = init(file.path().c_str());
  ASSERT_NE(picture, nullptr);
  INT kind, width, height, resolution, bits, bytes_per_line;
  BOOL has_colormap;
  char label[16];
  ASSERT_EQ(info(picture, &kind, &width, &height, &resolution, &bits, &bytes_per_line,
                 &has_colormap, label, sizeof label),
            1);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 400);
  std::string buffer(static_cast<size_t>(bytes_per_line), '\0');
  for (INT y = 0; y < height; ++y) {
    ASSERT_EQ(line(picture, y, reinterpret_cast<BYTE*>(&buffer[0])), 1) << y;
  }
  exit(picture);
}

}  // namespace
