// The host's whole load cycle through the module's entry points: gfpLoadPictureInit on a
// file, gfpLoadPictureGetInfo, the colour map below 16 bits, gfpLoadPictureGetLine for
// every line into a picture buffer, gfpLoadPictureExit. Beside each, the clear-and-copy
// baseline of the same picture's bytes (bench/run.sh prints the ratios).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/art_text.h"
#include "bench/clear_and_copy.h"
#include "plugin/exports.h"

namespace {

// Art files of columns x rows cells, written to a fresh temporary folder on first use
// and removed with it at exit.
class ArtFiles {
 public:
  ~ArtFiles() {
    if (!folder_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(folder_, ignored);
    }
  }

  const std::string& Path(int columns, int rows) {
    const auto key = std::make_pair(columns, rows);
    auto found = paths_.find(key);
    if (found != paths_.end()) return found->second;
    if (folder_.empty()) {
      std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-bench-XXXXXX");
      if (mkdtemp(pattern.data()) == nullptr) std::abort();
      folder_ = pattern;
    }
    const std::string path =
        folder_ + "/art-" + std::to_string(columns) + "x" + std::to_string(rows) + ".asc";
    std::ofstream(path, std::ios::binary) << ArtText(columns, rows);
    return paths_.emplace(key, path).first->second;
  }

 private:
  std::string folder_;
  std::map<std::pair<int, int>, std::string> paths_;
};

ArtFiles& Files() {
  static ArtFiles files;
  return files;
}

struct Format {
  INT width = 0;
  INT height = 0;
  INT bits = 0;
  INT bytes_per_line = 0;
  BOOL has_colormap = 0;
};

Format Describe(void* picture) {
  Format format;
  INT kind = 0;
  INT resolution = 0;
  char label[64];
  gfpLoadPictureGetInfo(picture, &kind, &format.width, &format.height, &resolution,
                        &format.bits, &format.bytes_per_line, &format.has_colormap, label,
                        sizeof label);
  return format;
}

void BM_LoadCycle(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  const int rows = static_cast<int>(state.range(1));
  setenv("QUILLMERE_DISPLAY_BITS", std::to_string(state.range(2)).c_str(), 1);
  const char* path = Files().Path(columns, rows).c_str();

  void* first = gfpLoadPictureInit(path);
  if (first == nullptr) {
    state.SkipWithError("the module refused the file");
    return;
  }
  const Format expected = Describe(first);
  gfpLoadPictureExit(first);
  std::vector<BYTE> picture(static_cast<size_t>(expected.bytes_per_line) * expected.height);
  BYTE colormap[768];

  for (auto _ : state) {
    void* handle = gfpLoadPictureInit(path);
    const Format format = Describe(handle);
    if (format.has_colormap) gfpLoadPictureGetColormap(handle, colormap);
    BYTE* line = picture.data();
    for (INT y = 0; y < format.height; ++y, line += format.bytes_per_line) {
      gfpLoadPictureGetLine(handle, y, line);
    }
    gfpLoadPictureExit(handle);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * picture.size()));
  state.counters["picture_bytes"] = static_cast<double>(picture.size());
}

void BM_ClearAndCopy(benchmark::State& state) {
  ClearAndCopy(state, PictureBytes(state.range(0), state.range(1), state.range(2)));
}

// A typical file (80 x 60), the most rows a picture has (80 x 400), and a wide one.
void PictureSizes(benchmark::internal::Benchmark* b) {
  b->ArgNames({"columns", "rows", "bits"});
  for (int bits : {32, 8}) {
    b->Args({80, 60, bits});
    b->Args({80, 400, bits});
    b->Args({300, 400, bits});
  }
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_LoadCycle)->Apply(PictureSizes);
BENCHMARK(BM_ClearAndCopy)->Apply(PictureSizes);

}  // namespace
