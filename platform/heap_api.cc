#include <cstdlib>
#include <mutex>
#include <unordered_set>

#include "platform/call_hooks.h"
#include "platform/win32_heap.h"

using win32_subset::Call;
using win32_subset::Live;

namespace {

// Any non-null value serves as the one heap's handle.
int g_process_heap;

std::mutex g_blocks_mutex;
std::unordered_set<void*>& Blocks() {
  static std::unordered_set<void*> blocks;
  return blocks;
}

}  // namespace

HANDLE WINAPI GetProcessHeap(void) { return &g_process_heap; }

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  if (win32_subset::FailHere(Call::kHeapAlloc, ERROR_NOT_ENOUGH_MEMORY)) return nullptr;
  if (heap != &g_process_heap) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  void* block = (flags & HEAP_ZERO_MEMORY) ? std::calloc(1, bytes ? bytes : 1)
                                           : std::malloc(bytes ? bytes : 1);
  if (block == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  {
    std::lock_guard<std::mutex> lock(g_blocks_mutex);
    Blocks().insert(block);
  }
  win32_subset::Acquired(Live::kHeapBlock);
  win32_subset::Journal("HeapAlloc");
  return block;
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD, LPVOID block) {
  if (win32_subset::FailHere(Call::kHeapFree, ERROR_INVALID_PARAMETER)) return FALSE;
  if (heap != &g_process_heap) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (block == nullptr) return TRUE;
  {
    std::lock_guard<std::mutex> lock(g_blocks_mutex);
    if (Blocks().erase(block) == 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  std::free(block);
  win32_subset::Released(Live::kHeapBlock);
  win32_subset::Journal("HeapFree");
  return TRUE;
}
