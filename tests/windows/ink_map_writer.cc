// ink_map_writer OUTPUT_DIRECTORY FIXTURE...
// Loads each fixture file through the module's entry points and writes its ink map (see
// ink_map.h) to OUTPUT_DIRECTORY/FIXTURE.txt, making the directory if need be. Exits with
// 1 when any fixture can't be loaded, read or mapped.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/windows/ink_map.h"
#include "tests/windows/test_paths.h"

namespace {

bool WriteInkMap(const PluginApi& plugin, CellSize cell, const std::string& directory,
                 const std::string& fixture, std::string* error) {
  void* picture = plugin.load_picture_init(FixturePath(fixture).c_str());
  if (picture == nullptr) {
    *error = "gfpLoadPictureInit refused it";
    return false;
  }
  GreyPicture grey;
  const bool read = ReadGreyPicture(plugin, picture, &grey, error);
  plugin.load_picture_exit(picture);
  if (!read) return false;
  const std::string map = InkMap(grey, cell, TextLayout(ReadFixture(fixture)), error);
  if (map.empty()) return false;
  std::ofstream out(PlatformPath(directory + "/" + fixture + ".txt"), std::ios::binary);
  out << map;
  out.close();
  if (!out) *error = "can't write its map in " + directory;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY FIXTURE...\n", argv[0]);
    return 2;
  }
  PluginApi plugin;
  std::string error;
  if (!LoadPluginModule(&plugin, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::error_code ignored;
  std::filesystem::create_directories(PlatformPath(argv[1]), ignored);
  const CellSize cell = OemCellSize();
  int status = 0;
  for (int i = 2; i < argc; ++i) {
    if (!WriteInkMap(plugin, cell, argv[1], argv[i], &error)) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
      status = 1;
    }
  }
  return status;
}
