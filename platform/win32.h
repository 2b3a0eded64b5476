// Our Win32 subset: the declarations, types and constants of the Windows API that the
// module relies on, with the behaviour Windows documents for them. Built where
// <windows.h> is absent.
#pragma once

#include "platform/win32_types.h"
#include "platform/win32_file.h"
#include "platform/win32_heap.h"
#include "platform/win32_string.h"
#include "platform/win32_gdi.h"

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1
#define DLL_THREAD_ATTACH 2
#define DLL_THREAD_DETACH 3
