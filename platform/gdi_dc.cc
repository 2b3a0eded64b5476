// Device contexts: the screen's from GetDC, memory contexts from CreateCompatibleDC, and
// their state (text colour, background mode, device capabilities).
#include <cstdlib>
#include <memory>
#include <new>

#include "platform/call_hooks.h"
#include "platform/gdi_objects.h"

namespace win32_subset {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number a setting holds as strtol reads it in full, or -1. One or two plain digits,
// as settings of a depth are, are read without strtol.
long SettingNumber(const char* setting) {
  if (IsDigit(setting[0]) && setting[1] == '\0') return setting[0] - '0';
  if (IsDigit(setting[0]) && IsDigit(setting[1]) && setting[2] == '\0') {
    return (setting[0] - '0') * 10 + (setting[1] - '0');
  }
  char* end = nullptr;
  const long number = std::strtol(setting, &end, 10);
  return *end == '\0' ? number : -1;
}

// QUILLMERE_DISPLAY_BITS when it names a depth the layer has, else 32.
int DisplayBits() {
  const char* setting = std::getenv("QUILLMERE_DISPLAY_BITS");
  if (setting == nullptr || *setting == '\0') return 32;
  const long bits = SettingNumber(setting);
  const bool known = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24;
  return known ? static_cast<int>(bits) : 32;
}

// A new context, the screen's or a memory context, of the display depth of `reference`
// (read afresh when null). Null with the last error set on failure.
HDC NewDc(bool screen, HDC reference) {
  std::unique_ptr<Dc> dc(new (std::nothrow) Dc);
  if (dc == nullptr) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  const GdiGuard lock(GdiMutex());
  if (reference == nullptr) {
    dc->device_bits = DisplayBits();
  } else {
    const Dc* like = FindDc(reference);
    if (like == nullptr) return nullptr;
    dc->device_bits = like->device_bits;
  }
  dc->screen = screen;
  dc->bitmap = screen ? nullptr : StockBitmap();
  dc->font_handle = StockFont(SYSTEM_FONT);
  dc->font = FindFont(dc->font_handle);
  if (!Register(dc.get())) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Acquired(screen ? Live::kScreenDC : Live::kMemoryDC);
  Journal(screen ? "GetDC" : "CreateCompatibleDC");
  return dc.release()->handle;
}

}  // namespace
}  // namespace win32_subset

using namespace win32_subset;

HDC WINAPI GetDC(HWND window) {
  if (FailHere(Call::kGetDC, ERROR_NOT_ENOUGH_MEMORY)) return nullptr;
  if (window != nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return NewDc(true, nullptr);
}

int WINAPI ReleaseDC(HWND, HDC dc) {
  if (FailHere(Call::kReleaseDC, ERROR_INVALID_HANDLE)) return 0;
  const GdiGuard lock(GdiMutex());
  Dc* context = FindDc(dc);
  if (context == nullptr || !context->screen) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  Unregister(context);
  delete context;
  Released(Live::kScreenDC);
  Journal("ReleaseDC");
  return 1;
}

HDC WINAPI CreateCompatibleDC(HDC dc) {
  if (FailHere(Call::kCreateCompatibleDC, ERROR_NOT_ENOUGH_MEMORY)) return nullptr;
  return NewDc(false, dc);
}

BOOL WINAPI DeleteDC(HDC dc) {
  if (FailHere(Call::kDeleteDC, ERROR_INVALID_HANDLE)) return FALSE;
  const GdiGuard lock(GdiMutex());
  Dc* context = FindDc(dc);
  if (context == nullptr || context->screen) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  UnselectBitmap(context);
  Unregister(context);
  delete context;
  Released(Live::kMemoryDC);
  Journal("DeleteDC");
  return TRUE;
}

COLORREF WINAPI SetTextColor(HDC dc, COLORREF color) {
  if (FailHere(Call::kSetTextColor, ERROR_INVALID_HANDLE)) return CLR_INVALID;
  const GdiGuard lock(GdiMutex());
  Dc* context = FindDc(dc);
  if (context == nullptr) return CLR_INVALID;
  const COLORREF previous = context->text_colour;
  context->text_colour = color;
  Journal("SetTextColor");
  return previous;
}

int WINAPI SetBkMode(HDC dc, int mode) {
  if (FailHere(Call::kSetBkMode, ERROR_INVALID_HANDLE)) return 0;
  const GdiGuard lock(GdiMutex());
  Dc* context = FindDc(dc);
  if (context == nullptr) return 0;
  if (mode != TRANSPARENT && mode != OPAQUE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const int previous = context->bk_mode;
  context->bk_mode = mode;
  Journal("SetBkMode");
  return previous;
}

int WINAPI GetDeviceCaps(HDC dc, int index) {
  if (FailHere(Call::kGetDeviceCaps, ERROR_INVALID_HANDLE)) return 0;
  const GdiGuard lock(GdiMutex());
  const Dc* context = FindDc(dc);
  if (context == nullptr) return 0;
  Journal("GetDeviceCaps");
  switch (index) {
    case BITSPIXEL:
      return context->device_bits;
    case PLANES:
      return 1;
    default:
      return 0;
  }
}
