#include "file/mapped_file.h"

MappedFile::MappedFile() : info_(), file_(INVALID_HANDLE_VALUE), mapping_(nullptr), view_(nullptr) {}

MappedFile::~MappedFile() { Close(); }

const BYTE* MappedFile::Open(LPCSTR path) {
  Close();
  file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE) return nullptr;
  if (!GetFileInformationByHandle(file_, &info_)) {
    Close();
    return nullptr;
  }
  mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (mapping_ == nullptr) {
    Close();
    return nullptr;
  }
  view_ = static_cast<const BYTE*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
  if (view_ == nullptr) {
    Close();
    return nullptr;
  }
  return view_;
}

void MappedFile::Close() {
  if (view_ != nullptr) {
    UnmapViewOfFile(view_);
    view_ = nullptr;
  }
  if (mapping_ != nullptr) {
    CloseHandle(mapping_);
    mapping_ = nullptr;
  }
  if (file_ != INVALID_HANDLE_VALUE) {
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }
}
