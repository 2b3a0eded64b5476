// The PNG writer of the Windows build: stb_image_write, which writes truecolour only, so
// palette images are expanded to red, green and blue first.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/render/png_writer.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace {

// Every row through filter None, at a fast deflate level: the encoder otherwise tries all
// five filters on every row.
constexpr int kCompressionLevel = 2;
constexpr int kFilterNone = 0;

// Expands a palette image into `rgb`, three bytes per pixel, rows back to back.
void ExpandPalette(const PngImage& image, std::vector<uint8_t>* rgb) {
  rgb->resize(static_cast<size_t>(image.width) * image.height * 3);
  const int depth = image.bit_depth;
  const unsigned mask = (1u << depth) - 1;
  uint8_t* out = rgb->data();
  for (uint32_t y = 0; y < image.height; ++y) {
    const uint8_t* row = image.pixels + y * image.stride;
    for (uint32_t x = 0; x < image.width; ++x) {
      const size_t bit = static_cast<size_t>(x) * depth;
      const unsigned index = (row[bit / 8] >> (8 - depth - bit % 8)) & mask;
      const Rgb& colour = image.palette[index];
      out[0] = colour.red;
      out[1] = colour.green;
      out[2] = colour.blue;
      out += 3;
    }
  }
}

struct FileSink {
  std::FILE* file;
  bool failed;
};

void WriteToFile(void* context, void* data, int size) {
  auto* sink = static_cast<FileSink*>(context);
  if (std::fwrite(data, 1, static_cast<size_t>(size), sink->file) != static_cast<size_t>(size)) {
    sink->failed = true;
  }
}

}  // namespace

bool WritePng(const std::string& path, const PngImage& image, std::string* error) {
  // The expansion buffer, kept for the next picture.
  static std::vector<uint8_t> expanded;
  const uint8_t* pixels = image.pixels;
  size_t stride = image.stride;
  if (image.palette_size > 0) {
    ExpandPalette(image, &expanded);
    pixels = expanded.data();
    stride = static_cast<size_t>(image.width) * 3;
  }

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    *error = std::string("cannot create ") + path + ": " + std::strerror(errno);
    return false;
  }
  stbi_write_png_compression_level = kCompressionLevel;
  stbi_write_force_png_filter = kFilterNone;
  FileSink sink{file, false};
  const bool encoded = stbi_write_png_to_func(WriteToFile, &sink, static_cast<int>(image.width),
                                              static_cast<int>(image.height), 3, pixels,
                                              static_cast<int>(stride)) != 0;
  const bool closed = std::fclose(file) == 0;
  if (encoded && !sink.failed && closed) return true;
  *error = encoded ? std::string("cannot write ") + path + ": " + std::strerror(errno)
                   : std::string("cannot encode ") + path + ": out of memory";
  std::remove(path.c_str());
  return false;
}
