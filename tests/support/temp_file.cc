#include "tests/support/temp_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

std::string UniqueTempPath(const std::string& suffix) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string name = "quillmere-" + std::to_string(stamp) + "-" +
                           std::to_string(counter.fetch_add(1)) + suffix;
  return (std::filesystem::temp_directory_path() / name).string();
}

TempFile::TempFile(const std::string& bytes) : path_(UniqueTempPath(".txt")) {
  std::ofstream out(path_, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path_);
}

TempFile::~TempFile() { std::remove(path_.c_str()); }
