// A thousand pictures loaded, read and released, and as many refused loads, leave the
// process holding what it held before: by the module's own acquisitions and releases,
// by the system's handle list, and by the GDI and USER object counts where the platform
// keeps them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_file.h"
#include "tests/windows/handle_count.h"
#include "tests/windows/import_counter.h"
#include "tests/windows/module_fixture.h"
#include "tests/windows/test_paths.h"

namespace {

constexpr int kCycles = 1000;

class NoLeak : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    std::string error;
    ASSERT_TRUE(CountModuleResources(GetModuleHandleA("Quillmere.usr"), &error)) << error;
  }

  // Loads `path`, reads its description, colour map and every 16th line, releases it.
  bool Cycle(const std::string& path) {
    void* picture = plugin_.load_picture_init(path.c_str());
    if (picture == nullptr) return false;
    INT kind, width, height, resolution, bits, bytes_per_line;
    BOOL has_colormap;
    char label[32];
    BYTE colormap[768];
    bool read = plugin_.load_picture_get_info(picture, &kind, &width, &height, &resolution, &bits,
                                      &bytes_per_line, &has_colormap, label, sizeof label) == 1 &&
                plugin_.load_picture_get_colormap(picture, colormap) == 1;
    std::vector<BYTE> line(static_cast<size_t>(bytes_per_line));
    for (int y = 0; read && y < height; y += 16)
      read = plugin_.load_picture_get_line(picture, y, line.data()) == 1;
    plugin_.load_picture_exit(picture);
    return read;
  }
};

std::string Held(const HeldByModule& h) {
  return "bitmaps " + std::to_string(h.bitmaps) + ", memory DCs " + std::to_string(h.memory_dcs) +
         ", screen DCs " + std::to_string(h.screen_dcs) + ", kernel handles " +
         std::to_string(h.kernel_handles) + ", views " + std::to_string(h.views) +
         ", heap blocks " + std::to_string(h.heap_blocks);
}

// The counters see what a loaded picture holds, so that their zero after release means
// something.
TEST_F(NoLeak, CountersSeeAPictureHeld) {
  void* picture = plugin_.load_picture_init(FixturePath("crlf_art.asc").c_str());
  ASSERT_NE(picture, nullptr);
  const HeldByModule loaded = HeldNow();
  plugin_.load_picture_exit(picture);
  EXPECT_EQ(loaded.bitmaps, 1) << Held(loaded);
  EXPECT_EQ(loaded.heap_blocks, 1) << Held(loaded);
  EXPECT_EQ(loaded.memory_dcs + loaded.screen_dcs + loaded.kernel_handles + loaded.views, 0)
      << Held(loaded);
  const HeldByModule released = HeldNow();
  EXPECT_EQ(Held(released), Held(HeldByModule{})) << "after release";
}

TEST_F(NoLeak, ThousandCycles) {
  const std::string pictures[] = {FixturePath("crlf_art.asc"), FixturePath("wide_200.asc")};
  const TempFile empty("");
  const std::string missing = UniqueTempPath(".asc");
  ASSERT_TRUE(Cycle(pictures[0]));  // the platform's first-use allocations, before counting
  const long handles = KernelHandleCount();
  const long gdi_objects = GdiObjectCount();
  const long user_objects = UserObjectCount();
  ASSERT_NE(handles, -1) << "the system's handle list can't be read";

  for (int i = 0; i < kCycles; ++i) {
    ASSERT_TRUE(Cycle(pictures[i % 2])) << "cycle " << i;
    ASSERT_EQ(plugin_.load_picture_init(empty.path().c_str()), nullptr) << "cycle " << i;
    ASSERT_EQ(plugin_.load_picture_init(missing.c_str()), nullptr) << "cycle " << i;
  }

  EXPECT_EQ(Held(HeldNow()), Held(HeldByModule{}));
  EXPECT_EQ(KernelHandleCount(), handles) << "kernel handles";
  if (gdi_objects == -1) {
    RecordProperty("gui_resources", "not implemented by the platform");
  } else {
    EXPECT_EQ(GdiObjectCount(), gdi_objects) << "GDI objects";
    EXPECT_EQ(UserObjectCount(), user_objects) << "USER objects";
  }
}

}  // namespace
