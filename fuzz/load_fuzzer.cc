// libFuzzer's entry point over the whole load path (see load_harness.h for the input).
#include <cstddef>
#include <cstdint>

#include "fuzz/load_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunLoad(data, size);
  return 0;
}
