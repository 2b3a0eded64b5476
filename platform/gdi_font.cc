#include "platform/gdi_font.h"

#include <array>

#include "platform/oem_font.h"

namespace win32_subset {
namespace {

constexpr BYTE kAnsiCharset = 0;
constexpr LONG kNormalWeight = 400;
constexpr LONG kLogicalInch = 96;

constexpr std::array<uint8_t, 256> MakeIdentity() {
  std::array<uint8_t, 256> identity{};
  for (int i = 0; i < 256; ++i) identity[i] = static_cast<uint8_t>(i);
  return identity;
}
constexpr std::array<uint8_t, 256> kIdentity = MakeIdentity();

TEXTMETRICA CellMetrics(BYTE charset, BYTE first_char) {
  TEXTMETRICA tm{};
  tm.tmHeight = kOemFontHeight;
  tm.tmAscent = kOemFontAscent;
  tm.tmDescent = kOemFontHeight - kOemFontAscent;
  tm.tmAveCharWidth = kOemFontWidth;
  tm.tmMaxCharWidth = kOemFontWidth;
  tm.tmWeight = kNormalWeight;
  tm.tmDigitizedAspectX = kLogicalInch;
  tm.tmDigitizedAspectY = kLogicalInch;
  tm.tmFirstChar = first_char;
  tm.tmLastChar = 0xFF;
  tm.tmDefaultChar = kOemFontDefaultChar;
  tm.tmBreakChar = ' ';
  // A raster font of fixed pitch: TMPF_FIXED_PITCH set would mean variable pitch.
  tm.tmPitchAndFamily = FF_MODERN;
  tm.tmCharSet = charset;
  return tm;
}

}  // namespace

const Font& OemFixedFont() {
  static const Font font{kIdentity.data(), CellMetrics(OEM_CHARSET, 0x00)};
  return font;
}

const Font& AnsiFont() {
  static const Font font{kAnsiToOem, CellMetrics(kAnsiCharset, 0x20)};
  return font;
}

}  // namespace win32_subset
