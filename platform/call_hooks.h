// Inside the subset: the hooks every API call goes through for fault injection, object
// counting and the call journal (see testing.h for what tests see of them).
#pragma once

#include "platform/testing.h"
#include "platform/win32_types.h"

namespace win32_subset {

using win32_testing::Call;

// True when this call of `call` is to fail; the last error is then already `error`.
bool FailHere(Call call, DWORD error);

enum class Live : int {
  kFile, kMapping, kView, kHeapBlock, kScreenDC, kMemoryDC, kBitmap, kSelectedBitmap, kCount
};
void Acquired(Live kind);
void Released(Live kind);

// Appends `entry` to the journal when one is being kept.
void Journal(const char* entry);

}  // namespace win32_subset
