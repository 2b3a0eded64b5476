#include "tests/windows/handle_count.h"

#include <vector>

#include "port/win32.h"

namespace {

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

// One handle of the system's list. The process id is 16 bits wide on Windows (followed by
// 16 bits of creator index) and 32 bits wide on Wine: its low 16 bits are read.
struct HandleEntry {
  USHORT process_id;
  USHORT unused;
  BYTE object_type;
  BYTE attributes;
  USHORT value;
  void* object;
  ULONG access;
};

using QuerySystemInformation = LONG(WINAPI*)(ULONG, void*, ULONG, ULONG*);

long GuiResources(DWORD kind) {
  SetLastError(ERROR_SUCCESS);
  const DWORD count = GetGuiResources(GetCurrentProcess(), kind);
  if (count == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) return -1;
  return static_cast<long>(count);
}

}  // namespace

long KernelHandleCount() {
  const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (query == nullptr) return -1;
  std::vector<BYTE> buffer(1 << 16);
  LONG status;
  ULONG needed = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                         &needed)) == kInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return -1;
  // The list: a count, then the entries.
  const ULONG entries = *reinterpret_cast<const ULONG*>(buffer.data());
  const auto* entry = reinterpret_cast<const HandleEntry*>(buffer.data() + sizeof(ULONG));
  const USHORT self = static_cast<USHORT>(GetCurrentProcessId());
  long count = 0;
  for (ULONG i = 0; i < entries; ++i) count += entry[i].process_id == self ? 1 : 0;
  return count;
}

long GdiObjectCount() { return GuiResources(GR_GDIOBJECTS); }

long UserObjectCount() { return GuiResources(GR_USEROBJECTS); }
