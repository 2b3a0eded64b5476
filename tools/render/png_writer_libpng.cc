// The PNG writer of the native build: libpng, palette images as they are.
#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/render/png_writer.h"

namespace {

// Fast deflate, no row filters. On a picture of 80 x 400 cells at one bit per pixel,
// level 2 writes 50 KB in 3.5 ms; level 1 is 5% larger, level 6 is 20% smaller but 3.5
// times slower; the RLE and Huffman-only strategies are larger still. Row filters barely
// help pictures of a few colours, and the adaptive choice costs four times the time.
constexpr int kCompressionLevel = 2;

struct EncoderError {
  char message[200];
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* error = static_cast<EncoderError*>(png_get_error_ptr(png));
  std::snprintf(error->message, sizeof error->message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Encodes `image` into `file`. Holds no object with a destructor: libpng leaves by
// longjmp on errors.
bool Encode(std::FILE* file, const PngImage& image, EncoderError* error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, error, OnError, OnWarning);
  if (png == nullptr) {
    std::snprintf(error->message, sizeof error->message, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::snprintf(error->message, sizeof error->message, "out of memory");
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_compression_level(png, kCompressionLevel);
  const bool indexed = image.palette_size > 0;
  png_set_IHDR(png, info, image.width, image.height, image.bit_depth,
               indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (indexed) {
    png_color palette[256];
    for (int n = 0; n < image.palette_size; ++n) {
      palette[n].red = image.palette[n].red;
      palette[n].green = image.palette[n].green;
      palette[n].blue = image.palette[n].blue;
    }
    png_set_PLTE(png, info, palette, image.palette_size);
  }
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_write_info(png, info);
  for (uint32_t y = 0; y < image.height; ++y) {
    png_write_row(png, image.pixels + y * image.stride);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool WritePng(const std::string& path, const PngImage& image, std::string* error) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    *error = std::string("cannot create ") + path + ": " + std::strerror(errno);
    return false;
  }
  EncoderError encoder_error{};
  bool written = Encode(file, image, &encoder_error);
  if (!written) *error = std::string("cannot encode ") + path + ": " + encoder_error.message;
  if (std::fclose(file) != 0 && written) {
    written = false;
    *error = std::string("cannot write ") + path + ": " + std::strerror(errno);
  }
  if (!written) std::remove(path.c_str());
  return written;
}
