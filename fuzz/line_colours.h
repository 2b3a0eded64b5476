// Decoding the module's scan lines into colours, as the host does.
#pragma once

#include <cstdint>

// The colour 0xRRGGBB of pixel `x` of a scan line of `bits` per pixel, as delivered by
// gfpLoadPictureGetLine: colour numbers into `colormap` (256 reds, 256 greens, 256 blues)
// below 16 bits, packed most significant bits first; 5-5-5 little-endian words at 16
// (each channel shifted up by 3); blue, green, red at 24; red, green, blue, 255 at 32.
uint32_t PixelColour(const uint8_t* line, int x, int bits, const uint8_t* colormap);
