#include "tests/windows/test_paths.h"

#include <algorithm>
#include <fstream>
#include <iterator>

std::string PlatformPath(const std::string& build_path) {
#if defined(_WIN32)
  std::string path = "Z:" + build_path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
#else
  return build_path;
#endif
}

std::string ModulePath() { return PlatformPath(QUILLMERE_MODULE_FILE); }

std::string FixtureDirectory() { return PlatformPath(QUILLMERE_FIXTURE_DIR); }

std::string FixturePath(const std::string& name) {
  return PlatformPath(std::string(QUILLMERE_FIXTURE_DIR) + "/" + name);
}

std::string ReadFixture(const std::string& name) {
  std::ifstream in(FixturePath(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
