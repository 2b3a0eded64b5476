#include "tests/windows/reference_picture.h"

#include <cstring>

namespace {

struct HeaderWithColors {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

void DrawCells(HDC dc, const TextLayout& layout, CellSize cell) {
  for (int row = 0; row < layout.rows(); ++row) {
    for (int column = 0; column < layout.columns(); ++column) {
      const int value = layout.ByteAt(column, row);
      if (value == -1) break;
      const char c = value < 0x20 ? '.' : static_cast<char>(value);
      TextOutA(dc, column * cell.width, row * cell.height, &c, 1);
    }
  }
}

}  // namespace

bool DrawReference(const TextLayout& layout, CellSize cell, ReferencePicture* picture) {
  picture->width = layout.columns() * cell.width;
  picture->height = layout.rows() * cell.height;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, picture->width, picture->height);
  HDC memory = CreateCompatibleDC(screen);
  bool drawn = false;
  BITMAP description = {};
  if (bitmap != nullptr && memory != nullptr &&
      GetObjectA(bitmap, sizeof description, &description) != 0) {
    HGDIOBJ previous_bitmap = SelectObject(memory, bitmap);
    HGDIOBJ previous_font = SelectObject(memory, GetStockObject(OEM_FIXED_FONT));
    SetTextColor(memory, RGB(0xF0, 0xF0, 0xF0));
    SetBkMode(memory, TRANSPARENT);
    PatBlt(memory, 0, 0, picture->width, picture->height, BLACKNESS);
    DrawCells(memory, layout, cell);
    SelectObject(memory, previous_font);
    SelectObject(memory, previous_bitmap);

    picture->bits = description.bmBitsPixel;
    picture->bytes_per_line = (picture->bits * picture->width + 31) / 32 * 4;
    picture->lines.assign(static_cast<size_t>(picture->bytes_per_line) * picture->height, 0);
    HeaderWithColors format;
    std::memset(&format, 0, sizeof format);
    format.header.biSize = sizeof format.header;
    format.header.biWidth = picture->width;
    format.header.biHeight = -picture->height;  // top row first
    format.header.biPlanes = 1;
    format.header.biBitCount = static_cast<WORD>(picture->bits);
    format.header.biCompression = BI_RGB;
    drawn = GetDIBits(screen, bitmap, 0, static_cast<UINT>(picture->height), picture->lines.data(),
                      reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS) == picture->height;
    std::memcpy(picture->colors, format.colors, sizeof format.colors);
  }
  if (memory != nullptr) DeleteDC(memory);
  if (bitmap != nullptr) DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return drawn;
}
