// The memory-traffic floor of a picture: a memset of its bytes and a memcpy of them,
// into buffers allocated before the timed loop.
#pragma once

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

// Bytes of a picture of columns x rows cells of 8 x 16 pixels at `bits` per pixel, each
// scan line padded to 32 bits as the module delivers it.
inline size_t PictureBytes(int64_t columns, int64_t rows, int64_t bits) {
  const int64_t width = columns * 8;
  return static_cast<size_t>((width * bits + 31) / 32 * 4 * rows * 16);
}

inline void ClearAndCopy(benchmark::State& state, size_t bytes) {
  std::vector<unsigned char> picture(bytes), copy(bytes);
  for (auto _ : state) {
    std::memset(picture.data(), 0, bytes);
    benchmark::ClobberMemory();
    std::memcpy(copy.data(), picture.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes * 2));
}
