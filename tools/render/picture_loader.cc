#include "tools/render/picture_loader.h"

#include <cstdint>
#include <new>

namespace {

bool KnownDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Closes the module's picture when the load cycle ends, however it ends.
class PictureGuard {
 public:
  PictureGuard(const PluginApi& api, void* picture) : api_(api), picture_(picture) {}
  ~PictureGuard() { api_.load_picture_exit(picture_); }
  PictureGuard(const PictureGuard&) = delete;
  PictureGuard& operator=(const PictureGuard&) = delete;

 private:
  const PluginApi& api_;
  void* picture_;
};

}  // namespace

PictureLoader::Result PictureLoader::Load(const std::string& path, std::string* error) {
  lines_ = ScanLines{};
  void* picture = api_.load_picture_init(path.c_str());
  if (picture == nullptr) return Result::kRefused;
  PictureGuard guard(api_, picture);
  const Result described = Describe(picture, error);
  return described == Result::kLoaded ? ReadLines(picture, error) : described;
}

PictureLoader::Result PictureLoader::Describe(void* picture, std::string* error) {
  INT kind = 0, width = 0, height = 0, resolution = 0, bits = 0, bytes_per_line = 0;
  BOOL has_colormap = 0;
  char label[256];
  if (!api_.load_picture_get_info(picture, &kind, &width, &height, &resolution, &bits,
                                  &bytes_per_line, &has_colormap, label, sizeof label)) {
    *error = "the module did not describe the picture";
    return Result::kFailed;
  }
  const int64_t least_line = (static_cast<int64_t>(width) * bits + 7) / 8;
  if (width <= 0 || height <= 0 || !KnownDepth(bits) || bytes_per_line < least_line ||
      (has_colormap != 0) != (bits < 16)) {
    *error = "the module described an unusable picture: " + std::to_string(width) + " x " +
             std::to_string(height) + ", " + std::to_string(bits) + " bits per pixel, " +
             std::to_string(bytes_per_line) + " bytes per line";
    return Result::kFailed;
  }
  if (has_colormap && !api_.load_picture_get_colormap(picture, colormap_)) {
    *error = "the module gave no colour map";
    return Result::kFailed;
  }
  lines_.width = width;
  lines_.height = height;
  lines_.bits_per_pixel = bits;
  lines_.bytes_per_line = bytes_per_line;
  lines_.colormap = has_colormap ? colormap_ : nullptr;
  return Result::kLoaded;
}

PictureLoader::Result PictureLoader::ReadLines(void* picture, std::string* error) {
  const uint64_t size =
      static_cast<uint64_t>(lines_.height) * static_cast<uint64_t>(lines_.bytes_per_line);
  try {
    if (size > data_.max_size()) throw std::bad_alloc();
    data_.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    *error = "out of memory for " + std::to_string(size) + " bytes of scan lines";
    lines_ = ScanLines{};
    return Result::kFailed;
  }
  for (int line = 0; line < lines_.height; ++line) {
    BYTE* buffer = data_.data() + static_cast<size_t>(line) * lines_.bytes_per_line;
    if (!api_.load_picture_get_line(picture, line, buffer)) {
      *error = "the module delivered no line " + std::to_string(line);
      lines_ = ScanLines{};
      return Result::kFailed;
    }
  }
  lines_.data = data_.data();
  return Result::kLoaded;
}
