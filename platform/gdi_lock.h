// The lock that guards the GDI objects. Calls hold it briefly and nearly always find it
// free, so it is taken with one atomic exchange and released with a store; a thread that
// finds it held yields until it is released.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

namespace win32_subset {

class GdiLock {
 public:
  void lock() {
    while (held_.exchange(true, std::memory_order_acquire)) {
      while (held_.load(std::memory_order_relaxed)) std::this_thread::yield();
    }
  }
  void unlock() { held_.store(false, std::memory_order_release); }

 private:
  std::atomic<bool> held_{false};
};

using GdiGuard = std::lock_guard<GdiLock>;

}  // namespace win32_subset
