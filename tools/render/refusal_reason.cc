#include "tools/render/refusal_reason.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string RefusalReason(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return "no such file";
  if (status.type() == fs::file_type::directory) return "is a directory";
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return "not readable";
  std::fclose(file);
  const uintmax_t size = fs::file_size(path, error);
  if (!error && size == 0) return "empty";
  if (!error && size >= (uintmax_t{1} << 32)) return "4 GiB or larger";
  return "picture too large or could not be made";
}
