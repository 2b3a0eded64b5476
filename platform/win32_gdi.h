// Device contexts, bitmaps and text: an in-memory GDI with one emulated display.
//
// The display's depth is the layer's setting, read from the environment variable
// QUILLMERE_DISPLAY_BITS (1, 4, 8, 16, 24 or 32; 32 when unset or invalid) each time a
// screen context is taken. Below 16 bits the display has a fixed palette with black at
// entry 0. The stock OEM_FIXED_FONT is a CP437 raster font of 8 x 16 cells.
#pragma once

#include "platform/win32_types.h"

#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define SYSTEM_FONT 13
#define TRANSPARENT 1
#define OPAQUE 2
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u
#define DIB_RGB_COLORS 0u
#define BI_RGB 0u
#define BI_BITFIELDS 3u
#define BITSPIXEL 12
#define PLANES 14
#define HGDI_ERROR ((HGDIOBJ)(LONG_PTR)-1)
#define CLR_INVALID 0xFFFFFFFFu
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_DC 3
#define OBJ_MEMDC 10
#define FIXED_PITCH 0x01
#define FF_MODERN 0x30
#define OEM_CHARSET 255
#define TMPF_FIXED_PITCH 0x01

#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
} BITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

typedef struct tagTEXTMETRICA {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRICA, *LPTEXTMETRICA;

static_assert(sizeof(BITMAPFILEHEADER) == 14, "BITMAPFILEHEADER is 14 bytes");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");
static_assert(sizeof(RGBQUAD) == 4, "RGBQUAD is 4 bytes");
static_assert(sizeof(TEXTMETRICA) == 56, "TEXTMETRICA is 56 bytes");

// Returns a context for the whole screen when `window` is null; null for any window.
HDC WINAPI GetDC(HWND window);
// Releases a context from GetDC: 1, or 0 for anything else.
int WINAPI ReleaseDC(HWND window, HDC dc);
// Creates a memory context in the format of `dc` (the screen's for null), holding a
// 1 x 1 monochrome bitmap, the stock system font, black text, opaque background.
// Returns null (ERROR_INVALID_HANDLE) for an invalid `dc`.
HDC WINAPI CreateCompatibleDC(HDC dc);
// Deletes a memory context. TRUE, or FALSE for anything else.
BOOL WINAPI DeleteDC(HDC dc);
// Sets the text colour; returns the previous one, or CLR_INVALID.
COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
// Sets the background mode (TRANSPARENT or OPAQUE); returns the previous one, or 0.
int WINAPI SetBkMode(HDC dc, int mode);
// Returns a stock object; OEM_FIXED_FONT, ANSI_FIXED_FONT and SYSTEM_FONT are fonts.
// Null for an index the layer does not have.
HGDIOBJ WINAPI GetStockObject(int index);
// Selects a font or bitmap into a context and returns the previously selected object
// of that kind; null on failure (a bitmap can be selected into one memory context at a
// time and only in a compatible format; nothing can be selected into the screen's).
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
// Fills `metrics` for the context's selected font; TRUE, or FALSE.
BOOL WINAPI GetTextMetricsA(HDC dc, LPTEXTMETRICA metrics);
// Creates a black bitmap in the format of `dc` (monochrome for a memory context holding
// its initial bitmap). A width or height of 0 yields the 1 x 1 monochrome stock bitmap
// that memory contexts start with. Returns null with ERROR_INVALID_PARAMETER for a
// negative size, ERROR_NOT_ENOUGH_MEMORY for more than 2^26 pixels (64 Mi: 256 MiB at
// 32 bits; 300 x 400 cells of text are 15 Mi) or when memory runs out.
HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height);
// Reads a bitmap as a device-independent bitmap. With `bits` null: fills the header of
// `info` (and, when its biBitCount is already set below 16, the colour table) and returns
// nonzero. With `bits`: copies up to `count` scan lines from `start` (0 = the bottom row)
// in the format that `info` asks for and returns the number of lines copied, 0 when
// `start` lies outside the bitmap.
int WINAPI GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT count, LPVOID bits,
                     LPBITMAPINFO info, UINT usage);
// Fills a rectangle of the selected bitmap with BLACKNESS or WHITENESS; TRUE or FALSE.
BOOL WINAPI PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
// Draws `count` bytes with the selected font, the cell of the first with its top-left
// corner at (x, y), in the text colour, clipped to the selected bitmap; TRUE or FALSE.
BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
// Deletes a font or bitmap that is not selected into a context; stock objects are
// accepted and left alone. TRUE, or FALSE.
BOOL WINAPI DeleteObject(HGDIOBJ object);
// Returns BITSPIXEL or PLANES of a context; 0 for other indices.
int WINAPI GetDeviceCaps(HDC dc, int index);
