#include "platform/gdi_pixel_memory.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace win32_subset {
namespace {

// Mappings start on a huge page boundary; below one huge page the heap serves.
constexpr size_t kHugePage = size_t{2} << 20;

size_t PageSize() {
  static const size_t size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

// A mapping of `length` bytes starting on a huge page boundary: a larger one is made and
// trimmed at both ends.
void* MapAligned(size_t length) {
  void* raw = mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const uintptr_t first = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t start = (first + kHugePage - 1) / kHugePage * kHugePage;
  if (start > first) munmap(raw, start - first);
  const size_t tail = first + kHugePage - start;
  if (tail > 0) munmap(reinterpret_cast<void*>(start + length), tail);
  return reinterpret_cast<void*>(start);
}

PixelMemory MapPixels(size_t bytes) {
  const size_t length = (bytes + PageSize() - 1) / PageSize() * PageSize();
  void* pixels = MapAligned(length);
  if (pixels == nullptr) return {};
  // Advice only: without huge pages, or a kernel that can't populate, the pages are
  // faulted in as they are first touched.
#ifdef MADV_HUGEPAGE
  madvise(pixels, length, MADV_HUGEPAGE);
#endif
#ifdef MADV_POPULATE_WRITE
  madvise(pixels, length, MADV_POPULATE_WRITE);
#endif
  return {pixels, length};
}

// The mapping freed last, kept for a bitmap that fits it.
std::mutex g_kept_mutex;
PixelMemory g_kept;

// The kept mapping when it holds `bytes` without wasting half of itself; else none.
PixelMemory TakeKept(size_t bytes) {
  std::lock_guard<std::mutex> lock(g_kept_mutex);
  if (g_kept.pixels == nullptr || g_kept.held < bytes || g_kept.held / 2 > bytes) return {};
  const PixelMemory kept = g_kept;
  g_kept = {};
  return kept;
}

}  // namespace

PixelMemory AllocatePixels(size_t bytes) {
  if (bytes < kHugePage) return {std::malloc(bytes), bytes};
  const PixelMemory kept = TakeKept(bytes);
  return kept.pixels != nullptr ? kept : MapPixels(bytes);
}

void FreePixels(const PixelMemory& memory) {
  if (memory.held < kHugePage) {
    std::free(memory.pixels);
    return;
  }
  PixelMemory dropped = memory;
  {
    std::lock_guard<std::mutex> lock(g_kept_mutex);
    std::swap(dropped, g_kept);
  }
  if (dropped.pixels != nullptr) munmap(dropped.pixels, dropped.held);
}

}  // namespace win32_subset
