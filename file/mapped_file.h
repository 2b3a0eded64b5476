// Read-only access to a whole file as one contiguous byte range, mapped, not copied.
#pragma once

#include "port/win32.h"

class MappedFile {
 public:
  MappedFile();
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Closes whatever is held, then opens `path` (a narrow file name in the system code
  // page) for reading with read sharing and maps all of it. Returns the first byte of
  // the view with the file information filled, or null with nothing held: the file is
  // missing or can't be opened for reading (another holder may be writing it), its
  // information can't be read, it is empty (an empty file can't be mapped), or the
  // mapping or view can't be made.
  const BYTE* Open(LPCSTR path);

  // Releases the view, the mapping and the file, in that order, each only if held.
  // Safe in any state, any number of times.
  void Close();

  // What the platform reported for the open file; valid after a successful Open.
  const BY_HANDLE_FILE_INFORMATION& info() const { return info_; }
  const BYTE* view() const { return view_; }

 private:
  BY_HANDLE_FILE_INFORMATION info_;
  HANDLE file_;
  HANDLE mapping_;
  const BYTE* view_;
};
