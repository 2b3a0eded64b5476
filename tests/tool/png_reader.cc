#include "tests/tool/png_reader.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnWarning(png_structp, png_const_charp) {}

// Reads `file` into `decoded` (all but its pixels) and `rows` (red, green, blue); false
// on a libpng error. Holds nothing with a destructor across the longjmp.
bool Decode(std::FILE* file, DecodedPng* decoded, std::vector<png_byte>* rows) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  decoded->bit_depth = png_get_bit_depth(png, info);
  decoded->color_type = png_get_color_type(png, info);
  png_colorp palette = nullptr;
  int palette_size = 0;
  if (png_get_PLTE(png, info, &palette, &palette_size) != 0) decoded->palette_size = palette_size;
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  png_set_gray_to_rgb(png);
  png_read_update_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const size_t stride = png_get_rowbytes(png, info);
  rows->resize(stride * height);
  for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, rows->data() + y * stride, nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  decoded->pixels.width = static_cast<int>(width);
  decoded->pixels.height = static_cast<int>(height);
  return true;
}

}  // namespace

DecodedPng ReadPng(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) throw std::runtime_error("cannot open " + path);
  DecodedPng decoded;
  std::vector<png_byte> rows;
  if (!Decode(file.get(), &decoded, &rows)) throw std::runtime_error("cannot decode " + path);
  decoded.pixels.rgb.resize(rows.size() / 3);
  for (size_t n = 0; n < decoded.pixels.rgb.size(); ++n) {
    decoded.pixels.rgb[n] =
        (uint32_t{rows[3 * n]} << 16) | (uint32_t{rows[3 * n + 1]} << 8) | rows[3 * n + 2];
  }
  return decoded;
}
