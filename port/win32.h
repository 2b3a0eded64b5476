// The one header through which the module reaches the Win32 API: the platform's own
// <windows.h> on Windows, and our Win32 subset (platform/) everywhere else.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/win32.h"
#endif
