// Narrow string copies: lstrcpynA, lstrcpyA.
#pragma once

#include "platform/win32_types.h"

// Copies at most `capacity` - 1 characters of `source` into `target` and always writes a
// terminating null when `capacity` is at least 1; a `capacity` of 0 writes nothing.
// Returns `target`, or null when either pointer is null.
LPSTR WINAPI lstrcpynA(LPSTR target, LPCSTR source, int capacity);
// Copies `source` with its terminating null into `target`, unbounded. Returns `target`,
// or null when either pointer is null.
LPSTR WINAPI lstrcpyA(LPSTR target, LPCSTR source);
