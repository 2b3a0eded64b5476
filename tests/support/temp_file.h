// Files made for one test and removed after it.
#pragma once

#include <string>

class TempFile {
 public:
  // Writes `bytes` to a new file in the system's temporary folder.
  explicit TempFile(const std::string& bytes);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A fresh path in the system's temporary folder, with nothing there yet.
std::string UniqueTempPath(const std::string& suffix);
