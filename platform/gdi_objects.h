// Inside the GDI layer: the objects behind HDC, HBITMAP and HFONT values, and the table
// that hands those values out. A value is a slot of the table and the slot's generation,
// so a value never handed out, one of another kind, or one already deleted finds
// nothing. One lock (gdi_lock.h) guards the table and every object in it: all functions
// here expect the caller to hold GdiMutex(), which the API functions take once per call.
#pragma once

#include <cstdint>
#include <cstring>

#include "platform/gdi_lock.h"
#include "platform/win32_gdi.h"

namespace win32_subset {

struct Dc;

// A device-dependent bitmap. Pixels are stored as values of its depth (see gdi_palette.h)
// in elements of StoredBytes(bits) bytes, rows top-down without padding.
struct Bitmap {
  HBITMAP handle = nullptr;
  int width = 0;
  int height = 0;
  int bits = 1;
  bool stock = false;  // the shared 1 x 1 monochrome bitmap; drawing leaves it unchanged
  Dc* selected_in = nullptr;
  void* pixels = nullptr;
  size_t held = 0;  // bytes of memory behind `pixels` (see gdi_pixel_memory.h)
  // One flag per row, set while the row is black but its memory holds anything: a new
  // bitmap, and rows that PatBlt blackens across the whole width, cost no pass over
  // their memory. Drawing clears a row's memory first (ClearBlackRows); reading a
  // flagged row yields zeros, which are black in every format.
  uint8_t* black_rows = nullptr;
};

inline int StoredBytes(int bits) { return bits <= 8 ? 1 : bits == 16 ? 2 : 4; }

template <typename Pixel>
Pixel* RowOf(const Bitmap& bitmap, int y) {
  return static_cast<Pixel*>(bitmap.pixels) + static_cast<size_t>(y) * bitmap.width;
}

// A raster font over the cells of kOemFontGlyphs.
struct Font {
  const uint8_t* glyph_of;  // for each byte, the kOemFontGlyphs entry that shows it
  TEXTMETRICA metrics;
};

struct Dc {
  HDC handle = nullptr;
  bool screen = false;      // from GetDC; otherwise a memory context
  int device_bits = 32;     // the display's depth when the context was made
  Bitmap* bitmap = nullptr;  // the selected bitmap; null for the screen's context
  HGDIOBJ font_handle = nullptr;
  const Font* font = nullptr;
  COLORREF text_colour = 0;
  int bk_mode = OPAQUE;
  // text_colour and the background (white) as values of depth pixel_bits; recomputed
  // when the selected bitmap's depth or the text colour differ.
  int pixel_bits = 0;
  COLORREF pixel_colour = 0;
  uint32_t text_pixel = 0;
  uint32_t background_pixel = 0;
};

GdiLock& GdiMutex();

// The live object of that kind behind a value, or null (FindDc then sets
// ERROR_INVALID_HANDLE, as the calls taking a context report it).
Dc* FindDc(HDC handle);
Bitmap* FindBitmap(HGDIOBJ handle);
const Font* FindFont(HGDIOBJ handle);

// Gives a new object its value. False (the object unchanged) when the table can't grow.
bool Register(Dc* dc);
bool Register(Bitmap* bitmap);
// Makes an object's value stale; the caller frees the object.
void Unregister(const Dc* dc);
void Unregister(const Bitmap* bitmap);

// Allocates a black bitmap (every row flagged), unregistered; null when memory runs out.
Bitmap* NewBitmap(int width, int height, int bits);
// Writes zeros into the flagged rows among [first, end) and clears their flags.
void ClearFlaggedRows(Bitmap& bitmap, int first, int end);

// Whether any row among [first, end) is flagged black; 8 flags at a time.
inline bool AnyBlackRow(const Bitmap& bitmap, int first, int end) {
  const uint8_t* flag = bitmap.black_rows + first;
  const uint8_t* const stop = bitmap.black_rows + end;
  for (; stop - flag >= 8; flag += 8) {
    uint64_t flags;
    std::memcpy(&flags, flag, sizeof flags);
    if (flags != 0) return true;
  }
  for (; flag < stop; ++flag) {
    if (*flag != 0) return true;
  }
  return false;
}

// Makes the rows among [first, end) hold their pixels in memory, to be drawn on.
inline void ClearBlackRows(Bitmap& bitmap, int first, int end) {
  if (AnyBlackRow(bitmap, first, end)) ClearFlaggedRows(bitmap, first, end);
}
// Frees a bitmap that NewBitmap made.
void FreeBitmap(Bitmap* bitmap);
// Puts the stock bitmap back into a memory context, unselecting the bitmap it held.
void UnselectBitmap(Dc* dc);

// The shared 1 x 1 monochrome bitmap that memory contexts start with.
Bitmap* StockBitmap();
// The value of a stock font (OEM_FIXED_FONT, ANSI_FIXED_FONT, SYSTEM_FONT), or null.
HGDIOBJ StockFont(int index);

}  // namespace win32_subset
