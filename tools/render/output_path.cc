#include "tools/render/output_path.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool OutputPaths::Choose(const std::string& output, size_t input_count, std::string* error) {
  output_ = output;
  if (output.empty()) {
    mode_ = Mode::kBesideInput;
    return true;
  }
  std::error_code code;
  const fs::file_status status = fs::status(output, code);
  if (fs::is_directory(status)) {
    mode_ = Mode::kDirectory;
    return true;
  }
  if (input_count == 1) {
    mode_ = Mode::kFile;
    return true;
  }
  if (fs::exists(status)) {
    *error = "-o " + output + ": not a directory, and there are several input files";
    return false;
  }
  if (!fs::create_directories(output, code) && code) {
    *error = "-o " + output + ": cannot make the directory: " + code.message();
    return false;
  }
  mode_ = Mode::kDirectory;
  return true;
}

std::string OutputPaths::For(const std::string& input) const {
  switch (mode_) {
    case Mode::kBesideInput:
      return input + ".png";
    case Mode::kFile:
      return output_;
    case Mode::kDirectory:
      break;
  }
  const std::string name = fs::path(input).filename().string() + ".png";
  return (fs::path(output_) / name).string();
}
