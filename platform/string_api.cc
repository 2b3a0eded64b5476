#include <cstring>

#include "platform/win32_string.h"

LPSTR WINAPI lstrcpynA(LPSTR target, LPCSTR source, int capacity) {
  if (target == nullptr || source == nullptr) return nullptr;
  if (capacity <= 0) return target;
  const size_t limit = static_cast<size_t>(capacity) - 1;
  const size_t length = strnlen(source, limit);
  std::memcpy(target, source, length);
  target[length] = '\0';
  return target;
}

LPSTR WINAPI lstrcpyA(LPSTR target, LPCSTR source) {
  if (target == nullptr || source == nullptr) return nullptr;
  return std::strcpy(target, source);
}
