// Counting what the module acquires and releases, by pointing its import table entries
// for the acquiring and releasing functions at counting wrappers. Works wherever the
// module runs, whatever the platform's own bookkeeping reports.
#pragma once

#include <string>

#include "port/win32.h"

// What the module holds: acquisitions minus releases, since the counters were installed.
struct HeldByModule {
  long bitmaps;         // CreateCompatibleBitmap - DeleteObject
  long memory_dcs;      // CreateCompatibleDC - DeleteDC
  long screen_dcs;      // GetDC - ReleaseDC
  long kernel_handles;  // CreateFileA + CreateFileMappingA - CloseHandle
  long views;           // MapViewOfFile - UnmapViewOfFile
  long heap_blocks;     // HeapAlloc - HeapFree
};

// Installs the counters in `module`'s import table. Returns false, naming what it could
// not find, when the module imports a counted function from elsewhere or not at all.
bool CountModuleResources(HMODULE module, std::string* error);

HeldByModule HeldNow();
