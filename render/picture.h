// Making and releasing the picture of a text.
#pragma once

#include "port/win32.h"
#include "render/picture_record.h"
#include "render/text_grid.h"

// Light grey: red, green and blue 240.
constexpr COLORREF kTextColor = 0x00F0F0F0;

// Makes a bitmap of grid.columns x grid.rows cells of the stock OEM fixed font in the
// display's format, clears it to black and paints `length` bytes of `text` into it.
// Returns the new record, owned by the caller (release it with DestroyPicture), or null
// with nothing held when the record can't be allocated, the picture's size in pixels
// does not fit in 32 bits, or the platform can't make, describe or select the bitmap.
PictureRecord* CreatePicture(const BYTE* text, DWORD length, const TextGrid& grid);

// Deletes the record's bitmap, if any, then frees the record. Accepts null.
void DestroyPicture(PictureRecord* record);

// Draws `length` bytes of `text` into the bitmap selected into `dc`, one byte per cell of
// cell_width x cell_height pixels: rows of cells from the top, a line feed starting the
// next row, carriage returns skipped, bytes below 0x20 drawn as a full stop. A line wider
// than `width` continues on the next row; drawing stops at the end of the text or below
// `height`.
void PaintText(HDC dc, const BYTE* text, DWORD length, LONG cell_width, LONG cell_height,
               LONG width, LONG height);
