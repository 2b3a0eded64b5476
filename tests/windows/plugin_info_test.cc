// What the module tells the host about itself, and its refusal to write pictures.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/windows/module_fixture.h"

namespace {

constexpr char kPoison = '\xA5';

class PluginInfo : public ModuleTest {};

// The label is cut to the capacity, terminated, and nothing past the capacity is written.
TEST_F(PluginInfo, LabelFitsItsCapacity) {
  const struct {
    INT capacity;
    const char* label;
  } cases[] = {{64, "Quillmere"}, {10, "Quillmere"}, {9, "Quillmer"}, {6, "Quill"}, {1, ""}};
  for (const auto& c : cases) {
    char label[64];
    char extensions[64];
    std::memset(label, kPoison, sizeof label);
    INT capabilities = -1;
    EXPECT_EQ(plugin_.get_plugin_info(0x0100, label, c.capacity, extensions, sizeof extensions,
                                      &capabilities),
              1)
        << "capacity " << c.capacity;
    EXPECT_STREQ(label, c.label) << "capacity " << c.capacity;
    for (size_t i = static_cast<size_t>(c.capacity); i < sizeof label; ++i) {
      ASSERT_EQ(label[i], kPoison) << "capacity " << c.capacity << ": byte " << i << " written";
    }
  }
}

// The extension list is written whole, 12 bytes with its terminator, whatever capacity
// the host names; nothing after it; capabilities 1 (reads, does not write).
TEST_F(PluginInfo, ExtensionsAndCapabilities) {
  for (const INT capacity : {12, 4, 0}) {
    char label[64];
    char extensions[32];
    std::memset(extensions, kPoison, sizeof extensions);
    INT capabilities = -1;
    EXPECT_EQ(
        plugin_.get_plugin_info(0x0100, label, sizeof label, extensions, capacity, &capabilities),
        1);
    EXPECT_EQ(std::string(extensions, 12), std::string("asc;nfo;diz\0", 12))
        << "capacity " << capacity;
    for (size_t i = 12; i < sizeof extensions; ++i) {
      ASSERT_EQ(extensions[i], kPoison) << "capacity " << capacity << ": byte " << i << " written";
    }
    EXPECT_EQ(capabilities, 1);
  }
}

// The writing entry points refuse and touch none of what they are given.
TEST_F(PluginInfo, WritingIsRefused) {
  char path[] = "Z:\\out.asc";
  char label[16];
  BYTE line[16];
  std::memset(label, kPoison, sizeof label);
  std::memset(line, kPoison, sizeof line);
  INT options = -1;
  for (const INT bits : {1, 8, 24, 32}) {
    EXPECT_EQ(plugin_.save_picture_is_supported(0, bits, 0, 0), 0) << bits << " bits";
  }
  EXPECT_EQ(plugin_.save_picture_init(path, 80, 25, 24, 72, &options, label, sizeof label), nullptr);
  EXPECT_EQ(plugin_.save_picture_put_line(nullptr, 0, line), 0);
  plugin_.save_picture_exit(nullptr);
  EXPECT_STREQ(path, "Z:\\out.asc");
  EXPECT_EQ(options, -1);
  EXPECT_EQ(std::string(label, sizeof label), std::string(sizeof label, kPoison));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(line), sizeof line),
            std::string(sizeof line, kPoison));
}

}  // namespace
