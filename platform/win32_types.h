// Win32 base types with the widths Windows gives them (LONG and DWORD are 32 bits on
// every platform, unlike C's long), handle types, and the calling-convention macro.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI
#define CALLBACK

typedef int BOOL;
typedef int INT;
typedef unsigned int UINT;
typedef uint8_t BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef size_t SIZE_T;
typedef char CHAR;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef DWORD COLORREF;

#define TRUE 1
#define FALSE 0

typedef void* HANDLE;
typedef HANDLE HINSTANCE;
typedef HINSTANCE HMODULE;
typedef struct HWND__* HWND;
typedef struct HDC__* HDC;
typedef void* HGDIOBJ;  // any GDI object: HBITMAP and HFONT convert to it
typedef struct HBITMAP__* HBITMAP;
typedef struct HFONT__* HFONT;

#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

typedef struct _SECURITY_ATTRIBUTES {
  DWORD nLength;
  LPVOID lpSecurityDescriptor;
  BOOL bInheritHandle;
} SECURITY_ATTRIBUTES, *LPSECURITY_ATTRIBUTES;

typedef struct _FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
} FILETIME;

// Error codes, as GetLastError reports them.
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_PATH_NOT_FOUND 3
#define ERROR_TOO_MANY_OPEN_FILES 4
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_OUTOFMEMORY 14
#define ERROR_SHARING_VIOLATION 32
#define ERROR_INVALID_PARAMETER 87
#define ERROR_FILENAME_EXCED_RANGE 206
#define ERROR_INVALID_ADDRESS 487
#define ERROR_INVALID_WINDOW_HANDLE 1400
#define ERROR_FILE_INVALID 1006
#define ERROR_MAPPED_ALIGNMENT 1132
#define ERROR_INVALID_FLAGS 1004

// Returns the calling thread's last error code.
DWORD WINAPI GetLastError(void);
// Sets the calling thread's last error code.
void WINAPI SetLastError(DWORD error);
