// What tests can ask of the Win32 subset beyond the API itself: make calls fail as
// Windows would fail them, count the objects that are alive, and journal the calls.
// All of it is process-wide and safe to use from any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace win32_testing {

// Every call of the subset that can be made to fail.
enum class Call : int {
  kCreateFileA,
  kGetFileInformationByHandle,
  kCreateFileMappingA,
  kMapViewOfFile,
  kUnmapViewOfFile,
  kCloseHandle,
  kHeapAlloc,
  kHeapFree,
  kGetDC,
  kReleaseDC,
  kCreateCompatibleDC,
  kDeleteDC,
  kSetTextColor,
  kSetBkMode,
  kGetStockObject,
  kSelectObject,
  kGetTextMetricsA,
  kCreateCompatibleBitmap,
  kGetDIBits,
  kPatBlt,
  kTextOutA,
  kDeleteObject,
  kGetDeviceCaps,
  kCount
};

// The call's Win32 name, such as "CreateFileA".
const char* CallName(Call call);

// Whether the call releases something (UnmapViewOfFile, CloseHandle, HeapFree,
// ReleaseDC, DeleteDC, DeleteObject). Releases fail only when aimed at by name.
bool IsRelease(Call call);

enum class FaultMode {
  kOnce,        // the nth matching call fails, later ones succeed
  kPersistent,  // the nth matching call and every matching call after it fail
};

// Arms a fault, replacing any armed before: counting from now, the `nth` call (1 = the
// next) of `call` fails with the error Windows reports for it (an invalid handle, no
// memory, ...), leaving nothing acquired.
void ArmFault(Call call, uint32_t nth, FaultMode mode);
// As ArmFault, counting every call of the subset that is not a release.
void ArmFaultOnAnyCall(uint32_t nth, FaultMode mode);
// No call fails from now on.
void DisarmFault();
// Whether the armed fault has made a call fail since it was armed.
bool FaultTriggered();
// Calls that matched the armed fault's target since it was armed.
uint32_t MatchedCalls();

// Objects of the subset that are alive now.
struct LiveObjects {
  int files = 0;             // file handles from CreateFileA
  int mappings = 0;          // mapping handles from CreateFileMappingA
  int views = 0;             // views from MapViewOfFile
  int heap_blocks = 0;       // blocks from HeapAlloc
  int screen_dcs = 0;        // contexts from GetDC
  int memory_dcs = 0;        // contexts from CreateCompatibleDC
  int bitmaps = 0;           // bitmaps from CreateCompatibleBitmap
  int selected_bitmaps = 0;  // of those, bitmaps selected into a context
  int total() const {
    return files + mappings + views + heap_blocks + screen_dcs + memory_dcs + bitmaps +
           selected_bitmaps;
  }
  bool operator==(const LiveObjects& o) const;
};
LiveObjects CountLiveObjects();
// "files=1 mappings=0 ..." for test messages.
std::string Describe(const LiveObjects& live);

// While journalling, every successful call of the subset appends an entry: the call's
// name, and for CloseHandle, DeleteObject and SelectObject the kind of object in
// parentheses, such as "CloseHandle(mapping)" or "SelectObject(bitmap)".
void StartJournal();
// Stops journalling and returns the entries since StartJournal.
std::vector<std::string> StopJournal();

}  // namespace win32_testing
