#include "platform/win32_types.h"

namespace {
thread_local DWORD t_last_error = ERROR_SUCCESS;
}

DWORD WINAPI GetLastError(void) { return t_last_error; }

void WINAPI SetLastError(DWORD error) { t_last_error = error; }
