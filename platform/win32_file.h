// Files and file mappings: CreateFileA, GetFileInformationByHandle, CreateFileMappingA,
// MapViewOfFile, UnmapViewOfFile and CloseHandle, over POSIX files and mmap.
//
// Handles are opaque values from a table: a value never handed out, or one already
// closed, is refused with ERROR_INVALID_HANDLE rather than touching anything.
// Share modes are honoured between the opens of this process.
#pragma once

#include "platform/win32_types.h"

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define FILE_ATTRIBUTE_DEVICE 0x00000040u
#define PAGE_READONLY 0x02u
#define FILE_MAP_READ 0x0004u

typedef struct _BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD dwVolumeSerialNumber;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD nNumberOfLinks;
  DWORD nFileIndexHigh;
  DWORD nFileIndexLow;
} BY_HANDLE_FILE_INFORMATION, *LPBY_HANDLE_FILE_INFORMATION;

// Opens an existing file (OPEN_EXISTING only). Returns a file handle, or
// INVALID_HANDLE_VALUE with the last error set: ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND (also for a null or empty path), ERROR_ACCESS_DENIED (no permission,
// or a directory), ERROR_SHARING_VIOLATION (an open handle's share mode excludes this
// access, or this share mode excludes an open handle's access), ERROR_INVALID_PARAMETER
// (a disposition other than OPEN_EXISTING).
// Never blocks: a FIFO or device opens at once.
HANDLE WINAPI CreateFileA(LPCSTR path, DWORD access, DWORD share_mode,
                          LPSECURITY_ATTRIBUTES security, DWORD disposition,
                          DWORD flags_and_attributes, HANDLE template_file);

// Fills `info` for an open file handle and returns TRUE; FALSE with
// ERROR_INVALID_HANDLE for anything else (or ERROR_INVALID_PARAMETER for a null `info`).
BOOL WINAPI GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info);

// Creates an unnamed read-only mapping of an open file. Only PAGE_READONLY is supported;
// a size of 0 in both halves means the file's size at this moment. Returns the mapping
// handle, or null with: ERROR_INVALID_HANDLE (not a file handle), ERROR_ACCESS_DENIED
// (the file was not opened for reading), ERROR_FILE_INVALID (the file is empty, or cannot
// be mapped, such as a FIFO), ERROR_NOT_ENOUGH_MEMORY (a maximum size past the end of
// the file), ERROR_INVALID_PARAMETER (a protection other than PAGE_READONLY).
// The mapping keeps the file open until the mapping itself is closed.
HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES security,
                                 DWORD protect, DWORD maximum_size_high,
                                 DWORD maximum_size_low, LPCSTR name);

// Maps `bytes` bytes (0: to the end) of a mapping from `offset`, read-only. Returns the
// first byte, or null with: ERROR_INVALID_HANDLE (not a mapping), ERROR_ACCESS_DENIED
// (access other than FILE_MAP_READ), ERROR_MAPPED_ALIGNMENT (an offset that is not a
// multiple of 64 KiB), ERROR_ACCESS_DENIED (a range past the end of the mapping),
// ERROR_NOT_ENOUGH_MEMORY (no address space).
LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offset_high,
                            DWORD offset_low, SIZE_T bytes);

// Unmaps a view by its first byte. TRUE, or FALSE with ERROR_INVALID_ADDRESS for an
// address that is not a mapped view.
BOOL WINAPI UnmapViewOfFile(LPCVOID base);

// Closes a file or mapping handle. TRUE, or FALSE with ERROR_INVALID_HANDLE for a value
// that is not an open handle (including one already closed).
BOOL WINAPI CloseHandle(HANDLE handle);
