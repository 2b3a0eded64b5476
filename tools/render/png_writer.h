// Encoding a picture as a PNG file.
#pragma once

#include <string>

#include "tools/render/png_image.h"

// Writes `image` to a PNG file at `path`, replacing any file there. Palette images keep
// their palette and bit depth where the encoder can write them, and become truecolour
// where it can't; the pixels are the same either way. Returns false, with the reason in
// *error and no file left behind, when the file can't be created or written.
bool WritePng(const std::string& path, const PngImage& image, std::string* error);
