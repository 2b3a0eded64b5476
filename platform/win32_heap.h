// The process heap: GetProcessHeap, HeapAlloc, HeapFree.
#pragma once

#include "platform/win32_types.h"

#define HEAP_ZERO_MEMORY 0x00000008u

// Returns the process heap's handle; never null.
HANDLE WINAPI GetProcessHeap(void);
// Allocates `bytes` bytes (zero-filled with HEAP_ZERO_MEMORY) from the process heap.
// Returns the block, or null (ERROR_NOT_ENOUGH_MEMORY) when memory runs out.
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
// Frees a block from HeapAlloc; a null block is accepted. TRUE on success, FALSE with
// ERROR_INVALID_PARAMETER for a pointer that is not a live block.
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID block);
