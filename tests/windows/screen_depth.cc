#include "tests/windows/screen_depth.h"

#include <cstdlib>

#include "port/win32.h"

int ScreenBits() {
  HDC screen = GetDC(nullptr);
  const int bits = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return bits;
}

int ExpectedScreenBits() {
  const char* bits = std::getenv("QUILLMERE_SCREEN_BITS");
  return bits == nullptr ? 0 : std::atoi(bits);
}
