// The stock fonts. There is one typeface, the CP437 cells of oem_font.h: OEM_FIXED_FONT
// shows each byte as CP437 does; ANSI_FIXED_FONT and SYSTEM_FONT show Windows-1252
// text, each byte with the CP437 glyph of the same character, or the default character
// where CP437 has none (control codes included). Both are fixed pitch, 8 x 16.
#pragma once

#include "platform/gdi_objects.h"

namespace win32_subset {

const Font& OemFixedFont();
const Font& AnsiFont();

}  // namespace win32_subset
