// Memory for bitmap pixels, of any content (bitmaps clear their rows as they first use
// them). Small bitmaps come from the heap. Large ones are mapped on their own, asked to
// be backed by huge pages and populated at once (a fault per 4 KiB page costs more than
// clearing the pixels), and the last one freed is kept for the next: a host loading one
// picture after another reuses memory it already has.
#pragma once

#include <cstddef>

namespace win32_subset {

struct PixelMemory {
  void* pixels = nullptr;  // null when memory ran out
  size_t held = 0;         // bytes behind `pixels`, at least those asked for
};

// At least `bytes` of memory.
PixelMemory AllocatePixels(size_t bytes);
// Gives back memory from AllocatePixels. Accepts memory whose `pixels` is null.
void FreePixels(const PixelMemory& memory);

}  // namespace win32_subset
