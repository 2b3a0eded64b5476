// Inside the subset: the hooks every API call goes through for fault injection, object
// counting and the call journal (see testing.h for what tests see of them).
#pragma once

#include <atomic>

#include "platform/testing.h"
#include "platform/win32_types.h"

namespace win32_subset {

using win32_testing::Call;

// Whether a fault is armed, and whether a journal is kept: the hooks below read only
// these unless one is set.
extern std::atomic<bool> g_fault_armed;
extern std::atomic<bool> g_journalling;

// FailHere and Journal while a fault is armed or a journal kept.
bool FailArmed(Call call, DWORD error);
void JournalEntry(const char* entry);

// True when this call of `call` is to fail; the last error is then already `error`.
inline bool FailHere(Call call, DWORD error) {
  return g_fault_armed.load(std::memory_order_relaxed) && FailArmed(call, error);
}

enum class Live : int {
  kFile, kMapping, kView, kHeapBlock, kScreenDC, kMemoryDC, kBitmap, kSelectedBitmap, kCount
};
void Acquired(Live kind);
void Released(Live kind);

// Appends `entry` to the journal when one is being kept.
inline void Journal(const char* entry) {
  if (g_journalling.load(std::memory_order_relaxed)) JournalEntry(entry);
}

}  // namespace win32_subset
