// Replays fuzzer inputs without libFuzzer: runs the load harness over every file named
// on the command line and every file in the directories named, in name order. Exits 0
// when all pass, 2 on a missing or unreadable path or no input at all; a broken promise aborts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/load_harness.h"

namespace fs = std::filesystem;

namespace {

bool CollectInputs(const fs::path& path, std::vector<fs::path>* inputs) {
  std::error_code error;
  if (fs::is_regular_file(path, error)) {
    inputs->push_back(path);
    return true;
  }
  if (!fs::is_directory(path, error)) return false;
  std::vector<fs::path> found;
  for (const fs::directory_entry& entry : fs::directory_iterator(path, error)) {
    if (entry.is_regular_file(error)) found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  inputs->insert(inputs->end(), found.begin(), found.end());
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (!CollectInputs(argv[i], &inputs)) {
      std::fprintf(stderr, "%s: no such file or directory\n", argv[i]);
      return 2;
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "usage: %s FILE_OR_DIRECTORY... (no inputs found)\n", argv[0]);
    return 2;
  }
  for (const fs::path& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "%s: cannot be read\n", input.string().c_str());
      return 2;
    }
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    std::printf("%s (%zu bytes)\n", input.string().c_str(), bytes.size());
    std::fflush(stdout);
    RunLoad(bytes.data(), bytes.size());
  }
  std::printf("replayed %zu inputs\n", inputs.size());
  return 0;
}
