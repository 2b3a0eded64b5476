#include "tools/render/render_batch.h"

#include <cstdio>
#include <new>
#include <unordered_map>

#include "tools/render/picture_loader.h"
#include "tools/render/png_conversion.h"
#include "tools/render/png_writer.h"
#include "tools/render/progress.h"
#include "tools/render/refusal_reason.h"

namespace {

// Renders one file; false with the reason in *error.
bool RenderFile(PictureLoader* loader, PngConverter* converter, const std::string& file,
                const std::string& output, std::string* error) {
  switch (loader->Load(file, error)) {
    case PictureLoader::Result::kLoaded:
      break;
    case PictureLoader::Result::kRefused:
      *error = "refused by the module: " + RefusalReason(file);
      return false;
    case PictureLoader::Result::kFailed:
      return false;
  }
  PngImage image;
  try {
    image = converter->Convert(loader->lines());
  } catch (const std::bad_alloc&) {
    *error = "out of memory for the picture";
    return false;
  }
  return WritePng(output, image, error);
}

}  // namespace

size_t RenderBatch(const PluginApi& api, const std::vector<std::string>& files,
                   const OutputPaths& outputs) {
  PictureLoader loader(api);
  PngConverter converter;
  Progress progress(files.size());
  std::unordered_map<std::string, size_t> first_input_of;  // output path -> input number
  size_t failed = 0;
  std::string error;
  for (size_t n = 0; n < files.size(); ++n) {
    progress.Show(n + 1, files[n]);
    const std::string output = outputs.For(files[n]);
    const auto claimed = first_input_of.emplace(output, n);
    if (!claimed.second) {
      error = "not written: " + output + " holds the picture of " + files[claimed.first->second];
    }
    if (!claimed.second || !RenderFile(&loader, &converter, files[n], output, &error)) {
      progress.Clear();
      std::fprintf(stderr, "quillmere-render: %s: %s\n", files[n].c_str(), error.c_str());
      ++failed;
    }
  }
  progress.Clear();
  return failed;
}
