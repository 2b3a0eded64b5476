#include "platform/gdi_objects.h"

#include <cstring>
#include <new>
#include <vector>

#include "platform/call_hooks.h"
#include "platform/gdi_font.h"
#include "platform/gdi_pixel_memory.h"

namespace win32_subset {
namespace {

static_assert(sizeof(uintptr_t) == 8, "handle values hold a 32-bit generation and a slot");

enum class Kind : uint8_t { kFree, kDc, kBitmap, kFont };

// A value: the slot's generation in the high 32 bits; kTag and the slot index below.
constexpr uint32_t kTag = 0x6D000000u;
constexpr uint32_t kTagMask = 0xFF000000u;
constexpr uint32_t kIndexMask = 0x00FFFFFFu;

struct Slot {
  uint32_t generation = 1;
  Kind kind = Kind::kFree;
  void* object = nullptr;
};

uint8_t g_stock_pixel = 0;
uint8_t g_stock_black_row = 0;

class Table {
 public:
  Table() {
    stock_bitmap_.width = 1;
    stock_bitmap_.height = 1;
    stock_bitmap_.bits = 1;
    stock_bitmap_.stock = true;
    stock_bitmap_.pixels = &g_stock_pixel;
    stock_bitmap_.black_rows = &g_stock_black_row;
    stock_bitmap_.handle = reinterpret_cast<HBITMAP>(Add(Kind::kBitmap, &stock_bitmap_));
    oem_fixed_font_ = Add(Kind::kFont, const_cast<Font*>(&OemFixedFont()));
    ansi_fixed_font_ = Add(Kind::kFont, const_cast<Font*>(&AnsiFont()));
    system_font_ = Add(Kind::kFont, const_cast<Font*>(&AnsiFont()));
  }

  // The new object's value, or 0 when the table can't grow.
  uintptr_t Add(Kind kind, void* object) {
    uint32_t index;
    if (!free_.empty()) {
      index = free_.back();
      free_.pop_back();
    } else {
      if (slots_.size() > kIndexMask) return 0;
      try {
        free_.reserve(slots_.size() + 1);  // so that Remove never allocates
        slots_.emplace_back();
      } catch (const std::bad_alloc&) {
        return 0;
      }
      index = static_cast<uint32_t>(slots_.size() - 1);
    }
    Slot& slot = slots_[index];
    slot.kind = kind;
    slot.object = object;
    return Value(index, slot.generation);
  }

  void* Find(const void* handle, Kind kind) const {
    const Slot* slot = SlotOf(handle);
    return slot != nullptr && slot->kind == kind ? slot->object : nullptr;
  }

  void Remove(const void* handle) {
    const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    const uint32_t index = static_cast<uint32_t>(value) & kIndexMask;
    Slot& slot = slots_[index];
    slot.kind = Kind::kFree;
    slot.object = nullptr;
    if (++slot.generation == 0) slot.generation = 1;
    free_.push_back(index);
  }

  Bitmap* stock_bitmap() { return &stock_bitmap_; }
  HGDIOBJ oem_fixed_font() const { return reinterpret_cast<HGDIOBJ>(oem_fixed_font_); }
  HGDIOBJ ansi_fixed_font() const { return reinterpret_cast<HGDIOBJ>(ansi_fixed_font_); }
  HGDIOBJ system_font() const { return reinterpret_cast<HGDIOBJ>(system_font_); }

 private:
  static uintptr_t Value(uint32_t index, uint32_t generation) {
    return static_cast<uintptr_t>(generation) << 32 | kTag | index;
  }

  const Slot* SlotOf(const void* handle) const {
    const uintptr_t value = reinterpret_cast<uintptr_t>(handle);
    const uint32_t low = static_cast<uint32_t>(value);
    if ((low & kTagMask) != kTag) return nullptr;
    const uint32_t index = low & kIndexMask;
    if (index >= slots_.size()) return nullptr;
    const Slot& slot = slots_[index];
    if (slot.kind == Kind::kFree || slot.generation != static_cast<uint32_t>(value >> 32)) {
      return nullptr;
    }
    return &slot;
  }

  std::vector<Slot> slots_;
  std::vector<uint32_t> free_;
  Bitmap stock_bitmap_;
  uintptr_t oem_fixed_font_ = 0;
  uintptr_t ansi_fixed_font_ = 0;
  uintptr_t system_font_ = 0;
};

// Inlined into every lookup: the guard of the table's first use is one test.
[[gnu::always_inline]] inline Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

GdiLock& GdiMutex() {
  static GdiLock lock;
  return lock;
}

Dc* FindDc(HDC handle) {
  Dc* context = static_cast<Dc*>(TheTable().Find(handle, Kind::kDc));
  if (context == nullptr) SetLastError(ERROR_INVALID_HANDLE);
  return context;
}

Bitmap* FindBitmap(HGDIOBJ handle) {
  return static_cast<Bitmap*>(TheTable().Find(handle, Kind::kBitmap));
}

const Font* FindFont(HGDIOBJ handle) {
  return static_cast<const Font*>(TheTable().Find(handle, Kind::kFont));
}

bool Register(Dc* dc) {
  const uintptr_t value = TheTable().Add(Kind::kDc, dc);
  if (value == 0) return false;
  dc->handle = reinterpret_cast<HDC>(value);
  return true;
}

bool Register(Bitmap* bitmap) {
  const uintptr_t value = TheTable().Add(Kind::kBitmap, bitmap);
  if (value == 0) return false;
  bitmap->handle = reinterpret_cast<HBITMAP>(value);
  return true;
}

void Unregister(const Dc* dc) { TheTable().Remove(dc->handle); }

void Unregister(const Bitmap* bitmap) { TheTable().Remove(bitmap->handle); }

Bitmap* NewBitmap(int width, int height, int bits) {
  Bitmap* bitmap = new (std::nothrow) Bitmap;
  if (bitmap == nullptr) return nullptr;
  const PixelMemory memory = AllocatePixels(static_cast<size_t>(width) *
                                           static_cast<size_t>(height) *
                                           static_cast<size_t>(StoredBytes(bits)));
  bitmap->pixels = memory.pixels;
  bitmap->held = memory.held;
  bitmap->black_rows = new (std::nothrow) uint8_t[static_cast<size_t>(height)];
  if (bitmap->pixels == nullptr || bitmap->black_rows == nullptr) {
    FreeBitmap(bitmap);
    return nullptr;
  }
  std::memset(bitmap->black_rows, 1, static_cast<size_t>(height));
  bitmap->width = width;
  bitmap->height = height;
  bitmap->bits = bits;
  return bitmap;
}

void FreeBitmap(Bitmap* bitmap) {
  FreePixels({bitmap->pixels, bitmap->held});
  delete[] bitmap->black_rows;
  delete bitmap;
}

void ClearFlaggedRows(Bitmap& bitmap, int first, int end) {
  const size_t row_bytes =
      static_cast<size_t>(bitmap.width) * static_cast<size_t>(StoredBytes(bitmap.bits));
  for (int y = first; y < end; ++y) {
    if (bitmap.black_rows[y] == 0) continue;
    std::memset(static_cast<uint8_t*>(bitmap.pixels) + static_cast<size_t>(y) * row_bytes, 0,
                row_bytes);
    bitmap.black_rows[y] = 0;
  }
}

void UnselectBitmap(Dc* dc) {
  Bitmap* bitmap = dc->bitmap;
  if (!bitmap->stock) {
    bitmap->selected_in = nullptr;
    Released(Live::kSelectedBitmap);
  }
  dc->bitmap = StockBitmap();
}

Bitmap* StockBitmap() { return TheTable().stock_bitmap(); }

HGDIOBJ StockFont(int index) {
  switch (index) {
    case OEM_FIXED_FONT:
      return TheTable().oem_fixed_font();
    case ANSI_FIXED_FONT:
      return TheTable().ansi_fixed_font();
    case SYSTEM_FONT:
      return TheTable().system_font();
    default:
      return nullptr;
  }
}

}  // namespace win32_subset
