#include "tests/windows/oem_cell.h"

CellSize OemCellSize() {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(memory, GetStockObject(OEM_FIXED_FONT));
  TEXTMETRICA metrics = {};
  GetTextMetricsA(memory, &metrics);
  SelectObject(memory, previous);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return {metrics.tmMaxCharWidth, metrics.tmHeight};
}
