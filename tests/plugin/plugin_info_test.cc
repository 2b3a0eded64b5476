#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/exports.h"

namespace {

constexpr char kPoison = '\x5A';

TEST(PluginInfo, LabelBoundedByCapacityExtensionsWhole) {
  const struct {
    int capacity;
    const char* label;
  } cases[] = {{64, "Quillmere"}, {10, "Quillmere"}, {9, "Quillmer"}, {6, "Quill"}, {1, ""}};
  for (const auto& c : cases) {
    char label[70];
    char extensions[20];
    std::memset(label, kPoison, sizeof label);
    std::memset(extensions, kPoison, sizeof extensions);
    INT capabilities = -1;
    // The extension buffer's stated capacity is not read: the list is written whole.
    EXPECT_EQ(gfpGetPluginInfo(0x12345678, label, c.capacity, extensions, 2, &capabilities), 1);
    EXPECT_STREQ(label, c.label) << "capacity " << c.capacity;
    EXPECT_EQ(label[c.capacity], kPoison) << "capacity " << c.capacity << ": wrote past it";
    EXPECT_EQ(std::string(extensions, 12), std::string("asc;nfo;diz\0", 12));
    EXPECT_EQ(extensions[12], kPoison);
    EXPECT_EQ(capabilities, 1);
  }
}

TEST(PluginInfo, WritingIsRefused) {
  INT kind = 7;
  char label[8] = "label";
  BYTE line[4] = {1, 2, 3, 4};
  EXPECT_EQ(gfpSavePictureIsSupported(640, 400, 8, 1), 0);
  EXPECT_EQ(gfpSavePictureIsSupported(-1, 0, 99, 0), 0);
  EXPECT_EQ(gfpSavePictureInit("out.asc", 640, 400, 8, 72, &kind, label, sizeof label), nullptr);
  EXPECT_EQ(gfpSavePictureInit(nullptr, 0, 0, 0, 0, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(gfpSavePicturePutLine(nullptr, 0, line), 0);
  gfpSavePictureExit(nullptr);
  gfpSavePictureExit(reinterpret_cast<void*>(0x1234));
  EXPECT_EQ(kind, 7);
  EXPECT_STREQ(label, "label");
  EXPECT_EQ(line[0], 1);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID);

TEST(PluginInfo, DllMainAcceptsEveryNotification) {
  for (DWORD reason : {DLL_PROCESS_ATTACH, DLL_THREAD_ATTACH, DLL_THREAD_DETACH,
                       DLL_PROCESS_DETACH}) {
    EXPECT_EQ(DllMain(nullptr, reason, nullptr), TRUE) << reason;
  }
}

}  // namespace
