#include "tools/render/progress.h"

#include <unistd.h>

#include <cstdio>

namespace {

// Longer lines would wrap on an 80-column terminal, and a carriage return would no
// longer reach their start.
constexpr size_t kMaxLine = 79;

}  // namespace

Progress::Progress(size_t total) : active_(total > 1 && isatty(fileno(stderr))), total_(total) {}

void Progress::Show(size_t number, const std::string& name) {
  if (!active_) return;
  const std::string counter = "[" + std::to_string(number) + "/" + std::to_string(total_) + "] ";
  std::string text = counter + name;
  if (text.size() > kMaxLine && counter.size() + 3 < kMaxLine) {
    text = counter + "..." + name.substr(name.size() - (kMaxLine - counter.size() - 3));
  }
  const size_t blank = shown_ > text.size() ? shown_ - text.size() : 0;
  std::fprintf(stderr, "\r%s%*s", text.c_str(), static_cast<int>(blank), "");
  if (blank > 0) std::fprintf(stderr, "\r%s", text.c_str());
  std::fflush(stderr);
  shown_ = text.size();
}

void Progress::Clear() {
  if (!active_ || shown_ == 0) return;
  std::fprintf(stderr, "\r%*s\r", static_cast<int>(shown_), "");
  std::fflush(stderr);
  shown_ = 0;
}
