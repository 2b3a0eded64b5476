// The module's entry points, as the host viewer calls them. Every argument and result
// is 32 bits wide on the Windows build, passed on the stack and removed by the callee.
#pragma once

#include "port/win32.h"

extern "C" {

// Writes the format label (bounded by `label_capacity` characters, always terminated),
// the extension list "asc;nfo;diz" (12 bytes, unbounded: the host provides the room)
// and the capabilities value 1. Returns 1.
BOOL WINAPI gfpGetPluginInfo(DWORD host_version, LPSTR label, INT label_capacity,
                             LPSTR extensions, INT extensions_capacity, INT* capabilities);

// Loads the text file at `path` as a picture. Returns the picture's handle, or null when
// the file can't be opened or mapped, is empty or 4 GiB or larger, or its picture can't
// be made. Nothing of the file is held after the call.
void* WINAPI gfpLoadPictureInit(LPCSTR path);

// Describes a picture: kind 0, width and height in pixels, resolution, bits per pixel,
// bytes per scan line, whether a colour map comes with it, and the format label (bounded
// by `label_capacity`). Returns 1, or 0 writing nothing for a null handle.
BOOL WINAPI gfpLoadPictureGetInfo(void* picture, INT* kind, INT* width, INT* height,
                                  INT* resolution, INT* bits_per_pixel, INT* bytes_per_line,
                                  BOOL* has_colormap, LPSTR label, INT label_capacity);

// Writes the picture's 256-entry colour map as 768 bytes: 256 reds, 256 greens, 256
// blues. Returns 1, or 0 writing nothing for a null handle.
BOOL WINAPI gfpLoadPictureGetColormap(void* picture, BYTE* colormap);

// Writes scan line `line` (0 = the top row) into `buffer`, bytes-per-line long: colour
// numbers below 16 bits per pixel, the platform's packed pixels at 16 and 24 bits, red,
// green, blue, 255 at 32 bits. Returns 1; 0 leaving the buffer untouched for a null
// handle or a line outside the picture; 0 when the platform delivered no line.
BOOL WINAPI gfpLoadPictureGetLine(void* picture, INT line, BYTE* buffer);

// Releases a picture and its bitmap. A null handle is accepted.
void WINAPI gfpLoadPictureExit(void* picture);

// The module writes no pictures: these refuse, reading none of their arguments.
BOOL WINAPI gfpSavePictureIsSupported(INT, INT, INT, BOOL);
void* WINAPI gfpSavePictureInit(LPCSTR, INT, INT, INT, INT, INT*, LPSTR, INT);
BOOL WINAPI gfpSavePicturePutLine(void*, INT, BYTE*);
void WINAPI gfpSavePictureExit(void*);

}  // extern "C"
