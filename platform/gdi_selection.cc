// Stock objects, and selecting fonts and bitmaps into contexts and deleting them.
#include "platform/call_hooks.h"
#include "platform/gdi_objects.h"

namespace win32_subset {
namespace {

// Selects `bitmap` into a memory context; the previous bitmap's value, or null with the
// last error set.
HGDIOBJ SelectBitmap(Dc* dc, Bitmap* bitmap) {
  if (dc->screen) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(dc->bitmap->handle);
  if (bitmap == dc->bitmap) return previous;
  if (!bitmap->stock && bitmap->selected_in != nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (bitmap->bits != 1 && bitmap->bits != dc->device_bits) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  UnselectBitmap(dc);
  dc->bitmap = bitmap;
  if (!bitmap->stock) {
    bitmap->selected_in = dc;
    Acquired(Live::kSelectedBitmap);
  }
  return previous;
}

}  // namespace
}  // namespace win32_subset

using namespace win32_subset;

HGDIOBJ WINAPI GetStockObject(int index) {
  if (FailHere(Call::kGetStockObject, ERROR_INVALID_PARAMETER)) return nullptr;
  const GdiGuard lock(GdiMutex());
  const HGDIOBJ object = StockFont(index);
  if (object == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Journal("GetStockObject");
  return object;
}

HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  if (FailHere(Call::kSelectObject, ERROR_INVALID_HANDLE)) return nullptr;
  const GdiGuard lock(GdiMutex());
  Dc* context = FindDc(dc);
  if (context == nullptr) return nullptr;
  if (const Font* font = FindFont(object)) {
    const HGDIOBJ previous = context->font_handle;
    context->font_handle = object;
    context->font = font;
    Journal("SelectObject(font)");
    return previous;
  }
  if (Bitmap* bitmap = FindBitmap(object)) {
    const HGDIOBJ previous = SelectBitmap(context, bitmap);
    if (previous != nullptr) Journal("SelectObject(bitmap)");
    return previous;
  }
  SetLastError(ERROR_INVALID_HANDLE);
  return nullptr;
}

BOOL WINAPI DeleteObject(HGDIOBJ object) {
  if (FailHere(Call::kDeleteObject, ERROR_INVALID_HANDLE)) return FALSE;
  const GdiGuard lock(GdiMutex());
  if (FindFont(object) != nullptr) {  // only stock fonts exist
    Journal("DeleteObject(font)");
    return TRUE;
  }
  Bitmap* bitmap = FindBitmap(object);
  if (bitmap == nullptr || bitmap->selected_in != nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!bitmap->stock) {
    Unregister(bitmap);
    FreeBitmap(bitmap);
    Released(Live::kBitmap);
  }
  Journal("DeleteObject(bitmap)");
  return TRUE;
}
