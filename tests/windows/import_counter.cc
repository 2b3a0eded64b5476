#include "tests/windows/import_counter.h"

#include <cstring>

namespace {

HeldByModule held = {};

// Each wrapper calls the platform's function through the test program's own imports,
// which are not redirected, and counts what succeeded.
HBITMAP WINAPI CountedCreateCompatibleBitmap(HDC dc, int width, int height) {
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  if (bitmap != nullptr) ++held.bitmaps;
  return bitmap;
}

BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
  const bool bitmap = GetObjectType(object) == OBJ_BITMAP;
  const BOOL deleted = DeleteObject(object);
  if (deleted && bitmap) --held.bitmaps;
  return deleted;
}

HDC WINAPI CountedCreateCompatibleDC(HDC dc) {
  HDC memory = CreateCompatibleDC(dc);
  if (memory != nullptr) ++held.memory_dcs;
  return memory;
}

BOOL WINAPI CountedDeleteDC(HDC dc) {
  const BOOL deleted = DeleteDC(dc);
  if (deleted) --held.memory_dcs;
  return deleted;
}

HDC WINAPI CountedGetDC(HWND window) {
  HDC dc = GetDC(window);
  if (dc != nullptr) ++held.screen_dcs;
  return dc;
}

int WINAPI CountedReleaseDC(HWND window, HDC dc) {
  const int released = ReleaseDC(window, dc);
  if (released) --held.screen_dcs;
  return released;
}

HANDLE WINAPI CountedCreateFileA(LPCSTR path, DWORD access, DWORD share,
                                 LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                 HANDLE model) {
  HANDLE file = CreateFileA(path, access, share, security, disposition, flags, model);
  if (file != INVALID_HANDLE_VALUE) ++held.kernel_handles;
  return file;
}

HANDLE WINAPI CountedCreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security, DWORD protect,
                                        DWORD size_high, DWORD size_low, LPCSTR name) {
  HANDLE mapping = CreateFileMappingA(file, security, protect, size_high, size_low, name);
  if (mapping != nullptr) ++held.kernel_handles;
  return mapping;
}

BOOL WINAPI CountedCloseHandle(HANDLE handle) {
  const BOOL closed = CloseHandle(handle);
  if (closed) --held.kernel_handles;
  return closed;
}

LPVOID WINAPI CountedMapViewOfFile(HANDLE mapping, DWORD access, DWORD offset_high,
                                   DWORD offset_low, SIZE_T size) {
  LPVOID view = MapViewOfFile(mapping, access, offset_high, offset_low, size);
  if (view != nullptr) ++held.views;
  return view;
}

BOOL WINAPI CountedUnmapViewOfFile(LPCVOID view) {
  const BOOL unmapped = UnmapViewOfFile(view);
  if (unmapped) --held.views;
  return unmapped;
}

LPVOID WINAPI CountedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
  LPVOID block = HeapAlloc(heap, flags, size);
  if (block != nullptr) ++held.heap_blocks;
  return block;
}

BOOL WINAPI CountedHeapFree(HANDLE heap, DWORD flags, LPVOID block) {
  const BOOL freed = HeapFree(heap, flags, block);
  if (freed && block != nullptr) --held.heap_blocks;
  return freed;
}

struct Redirection {
  const char* dll;
  const char* function;
  void* wrapper;
};

template <typename Function>
void* Code(Function function) {
  return reinterpret_cast<void*>(function);
}

const Redirection kRedirections[] = {
    {"GDI32.dll", "CreateCompatibleBitmap", Code(CountedCreateCompatibleBitmap)},
    {"GDI32.dll", "DeleteObject", Code(CountedDeleteObject)},
    {"GDI32.dll", "CreateCompatibleDC", Code(CountedCreateCompatibleDC)},
    {"GDI32.dll", "DeleteDC", Code(CountedDeleteDC)},
    {"USER32.dll", "GetDC", Code(CountedGetDC)},
    {"USER32.dll", "ReleaseDC", Code(CountedReleaseDC)},
    {"KERNEL32.dll", "CreateFileA", Code(CountedCreateFileA)},
    {"KERNEL32.dll", "CreateFileMappingA", Code(CountedCreateFileMappingA)},
    {"KERNEL32.dll", "CloseHandle", Code(CountedCloseHandle)},
    {"KERNEL32.dll", "MapViewOfFile", Code(CountedMapViewOfFile)},
    {"KERNEL32.dll", "UnmapViewOfFile", Code(CountedUnmapViewOfFile)},
    {"KERNEL32.dll", "HeapAlloc", Code(CountedHeapAlloc)},
    {"KERNEL32.dll", "HeapFree", Code(CountedHeapFree)},
};

// The import address table slot through which `module` calls `dll`!`function`.
ULONG_PTR* ImportSlot(BYTE* module, const char* dll, const char* function) {
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(module + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(module + imports.VirtualAddress);
       d->Name != 0; ++d) {
    if (lstrcmpiA(reinterpret_cast<const char*>(module + d->Name), dll) != 0) continue;
    auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(module + d->OriginalFirstThunk);
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(module + d->FirstThunk);
    for (; name->u1.AddressOfData != 0; ++name, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
      const auto* by_name =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(module + name->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), function) == 0) {
        return &slot->u1.Function;
      }
    }
  }
  return nullptr;
}

}  // namespace

bool CountModuleResources(HMODULE module, std::string* error) {
  error->clear();
  for (const Redirection& r : kRedirections) {
    ULONG_PTR* slot = ImportSlot(reinterpret_cast<BYTE*>(module), r.dll, r.function);
    if (slot == nullptr) {
      *error += std::string(error->empty() ? "not imported: " : ", ") + r.dll + "!" + r.function;
      continue;
    }
    DWORD protection = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = reinterpret_cast<ULONG_PTR>(r.wrapper);
    VirtualProtect(slot, sizeof *slot, protection, &protection);
  }
  held = {};
  return error->empty();
}

HeldByModule HeldNow() { return held; }
