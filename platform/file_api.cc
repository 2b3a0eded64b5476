// Files and mappings over POSIX descriptors and mmap. Handles are table keys; the
// objects behind them are shared so that a mapping keeps its file open, and a view its
// mapping, as Windows does after CloseHandle.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/call_hooks.h"
#include "platform/win32_file.h"

using win32_subset::Call;
using win32_subset::Live;

namespace {

constexpr uint64_t kAllocationGranularity = 64 * 1024;

struct OpenFile;

// The opens of each file (device, inode), for share modes.
struct ShareEntry {
  DWORD access;
  DWORD share;
  const OpenFile* owner;
};

struct OpenFile {
  int fd = -1;
  DWORD access = 0;
  dev_t device = 0;
  ino_t inode = 0;
  ~OpenFile();
};

struct Mapping {
  std::shared_ptr<OpenFile> file;
  uint64_t size = 0;
};

struct View {
  std::shared_ptr<Mapping> mapping;
  size_t length = 0;
};

struct KernelObject {
  std::shared_ptr<OpenFile> file;    // set for a file handle
  std::shared_ptr<Mapping> mapping;  // set for a mapping handle
};

std::mutex g_mutex;
uintptr_t g_next_handle = 4;
std::unordered_map<uintptr_t, KernelObject>& Handles() {
  static std::unordered_map<uintptr_t, KernelObject> handles;
  return handles;
}
std::unordered_map<const void*, View>& Views() {
  static std::unordered_map<const void*, View> views;
  return views;
}
std::map<std::pair<dev_t, ino_t>, std::vector<ShareEntry>>& Shares() {
  static std::map<std::pair<dev_t, ino_t>, std::vector<ShareEntry>> shares;
  return shares;
}

// Called with g_mutex held (the last reference goes away under the lock).
OpenFile::~OpenFile() {
  auto it = Shares().find({device, inode});
  if (it != Shares().end()) {
    auto& entries = it->second;
    for (auto e = entries.begin(); e != entries.end(); ++e) {
      if (e->owner == this) {
        entries.erase(e);
        break;
      }
    }
    if (entries.empty()) Shares().erase(it);
  }
  if (fd >= 0) close(fd);
}

bool SharingConflicts(const ShareEntry& held, DWORD access, DWORD share) {
  if ((access & GENERIC_READ) && !(held.share & FILE_SHARE_READ)) return true;
  if ((access & GENERIC_WRITE) && !(held.share & FILE_SHARE_WRITE)) return true;
  if ((held.access & GENERIC_READ) && !(share & FILE_SHARE_READ)) return true;
  if ((held.access & GENERIC_WRITE) && !(share & FILE_SHARE_WRITE)) return true;
  return false;
}

bool ParentExists(const char* path) {
  std::string parent(path);
  const size_t slash = parent.find_last_of('/');
  if (slash == std::string::npos) return true;
  parent.resize(slash == 0 ? 1 : slash);
  struct stat st;
  return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

DWORD OpenError(int error, const char* path) {
  switch (error) {
    case ENOENT:
      return ParentExists(path) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

HANDLE ToHandle(uintptr_t key) { return reinterpret_cast<HANDLE>(key); }
uintptr_t ToKey(HANDLE handle) { return reinterpret_cast<uintptr_t>(handle); }

HANDLE AddHandle(KernelObject object) {
  const uintptr_t key = g_next_handle;
  g_next_handle += 4;
  Handles().emplace(key, std::move(object));
  return ToHandle(key);
}

FILETIME ToFileTime(const struct timespec& t) {
  constexpr uint64_t kSecondsFrom1601To1970 = 11644473600ull;
  const uint64_t ticks = (static_cast<uint64_t>(t.tv_sec) + kSecondsFrom1601To1970) * 10000000ull +
                         static_cast<uint64_t>(t.tv_nsec) / 100;
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(ticks);
  ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return ft;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR path, DWORD access, DWORD share_mode, LPSECURITY_ATTRIBUTES,
                          DWORD disposition, DWORD, HANDLE) {
  if (win32_subset::FailHere(Call::kCreateFileA, ERROR_ACCESS_DENIED)) {
    return INVALID_HANDLE_VALUE;
  }
  if (path == nullptr || path[0] == '\0') {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  if (disposition != OPEN_EXISTING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const bool reads = (access & GENERIC_READ) != 0;
  const bool writes = (access & GENERIC_WRITE) != 0;
  const int mode = reads && writes ? O_RDWR : writes ? O_WRONLY : O_RDONLY;
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const int fd = open(path, mode | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    SetLastError(OpenError(errno, path));
    return INVALID_HANDLE_VALUE;
  }
  struct stat st;
  if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(fd);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
  }

  std::lock_guard<std::mutex> lock(g_mutex);
  auto& entries = Shares()[{st.st_dev, st.st_ino}];
  for (const ShareEntry& held : entries) {
    if (SharingConflicts(held, access, share_mode)) {
      close(fd);
      SetLastError(ERROR_SHARING_VIOLATION);
      return INVALID_HANDLE_VALUE;
    }
  }
  auto file = std::make_shared<OpenFile>();
  file->fd = fd;
  file->access = access;
  file->device = st.st_dev;
  file->inode = st.st_ino;
  entries.push_back(ShareEntry{access, share_mode, file.get()});
  KernelObject object;
  object.file = std::move(file);
  HANDLE handle = AddHandle(std::move(object));
  win32_subset::Acquired(Live::kFile);
  win32_subset::Journal("CreateFileA");
  return handle;
}

BOOL WINAPI GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info) {
  if (win32_subset::FailHere(Call::kGetFileInformationByHandle, ERROR_ACCESS_DENIED)) {
    return FALSE;
  }
  int fd = -1;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = Handles().find(ToKey(file));
    if (it == Handles().end() || !it->second.file) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    fd = it->second.file->fd;
    if (info == nullptr) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    std::memset(info, 0, sizeof *info);
    DWORD attributes = 0;
    if (S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DEVICE;
    if (!(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH))) attributes |= FILE_ATTRIBUTE_READONLY;
    info->dwFileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    info->ftCreationTime = ToFileTime(st.st_ctim);
    info->ftLastAccessTime = ToFileTime(st.st_atim);
    info->ftLastWriteTime = ToFileTime(st.st_mtim);
    info->dwVolumeSerialNumber = static_cast<DWORD>(st.st_dev);
    const uint64_t size = static_cast<uint64_t>(st.st_size);
    info->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    info->nFileSizeLow = static_cast<DWORD>(size);
    info->nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
    info->nFileIndexHigh = static_cast<DWORD>(static_cast<uint64_t>(st.st_ino) >> 32);
    info->nFileIndexLow = static_cast<DWORD>(st.st_ino);
  }
  win32_subset::Journal("GetFileInformationByHandle");
  return TRUE;
}

HANDLE WINAPI CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect,
                                 DWORD maximum_size_high, DWORD maximum_size_low,
                                 LPCSTR name) {
  if (win32_subset::FailHere(Call::kCreateFileMappingA, ERROR_NOT_ENOUGH_MEMORY)) {
    return nullptr;
  }
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = Handles().find(ToKey(file));
  if (it == Handles().end() || !it->second.file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (protect != PAGE_READONLY || name != nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::shared_ptr<OpenFile> open_file = it->second.file;
  if (!(open_file->access & GENERIC_READ)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  struct stat st;
  if (fstat(open_file->fd, &st) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  // Only regular files have bytes to map; a FIFO or device reads as an empty file.
  const uint64_t file_size = S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
  const uint64_t wanted = (static_cast<uint64_t>(maximum_size_high) << 32) | maximum_size_low;
  if (file_size == 0) {
    SetLastError(ERROR_FILE_INVALID);
    return nullptr;
  }
  if (wanted > file_size) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto mapping = std::make_shared<Mapping>();
  mapping->file = std::move(open_file);
  mapping->size = wanted ? wanted : file_size;
  KernelObject object;
  object.mapping = std::move(mapping);
  HANDLE handle = AddHandle(std::move(object));
  win32_subset::Acquired(Live::kMapping);
  win32_subset::Journal("CreateFileMappingA");
  return handle;
}

LPVOID WINAPI MapViewOfFile(HANDLE mapping_handle, DWORD access, DWORD offset_high,
                            DWORD offset_low, SIZE_T bytes) {
  if (win32_subset::FailHere(Call::kMapViewOfFile, ERROR_NOT_ENOUGH_MEMORY)) return nullptr;
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = Handles().find(ToKey(mapping_handle));
  if (it == Handles().end() || !it->second.mapping) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (access != FILE_MAP_READ) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  std::shared_ptr<Mapping> mapping = it->second.mapping;
  const uint64_t offset = (static_cast<uint64_t>(offset_high) << 32) | offset_low;
  if (offset % kAllocationGranularity != 0) {
    SetLastError(ERROR_MAPPED_ALIGNMENT);
    return nullptr;
  }
  if (offset >= mapping->size || bytes > mapping->size - offset) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const uint64_t length = bytes ? bytes : mapping->size - offset;
  if (length > SIZE_MAX) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  void* base = mmap(nullptr, static_cast<size_t>(length), PROT_READ, MAP_SHARED,
                    mapping->file->fd, static_cast<off_t>(offset));
  if (base == MAP_FAILED) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Views().emplace(base, View{std::move(mapping), static_cast<size_t>(length)});
  win32_subset::Acquired(Live::kView);
  win32_subset::Journal("MapViewOfFile");
  return base;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID base) {
  if (win32_subset::FailHere(Call::kUnmapViewOfFile, ERROR_INVALID_ADDRESS)) return FALSE;
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = Views().find(base);
  if (it == Views().end()) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return FALSE;
  }
  munmap(const_cast<void*>(base), it->second.length);
  Views().erase(it);
  win32_subset::Released(Live::kView);
  win32_subset::Journal("UnmapViewOfFile");
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  if (win32_subset::FailHere(Call::kCloseHandle, ERROR_INVALID_HANDLE)) return FALSE;
  std::lock_guard<std::mutex> lock(g_mutex);
  auto it = Handles().find(ToKey(handle));
  if (it == Handles().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const bool is_file = static_cast<bool>(it->second.file);
  Handles().erase(it);
  win32_subset::Released(is_file ? Live::kFile : Live::kMapping);
  win32_subset::Journal(is_file ? "CloseHandle(file)" : "CloseHandle(mapping)");
  return TRUE;
}
