// The host's load cycle for one file: open, describe, colour map, every line, close.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/render/plugin_api.h"
#include "tools/render/scan_lines.h"

class PictureLoader {
 public:
  enum class Result {
    kLoaded,   // lines() holds the picture
    kRefused,  // the module returned no picture for the file
    kFailed,   // the module described a picture it could not deliver; see the message
  };

  explicit PictureLoader(const PluginApi& api) : api_(api) {}

  // Runs the load cycle on `path`, keeping every line. On kFailed, *error says what went
  // wrong. The picture is released before the call returns, whatever the result.
  Result Load(const std::string& path, std::string* error);

  // The last picture loaded, valid until the next Load. Its buffers are kept and reused.
  const ScanLines& lines() const { return lines_; }

 private:
  Result Describe(void* picture, std::string* error);
  Result ReadLines(void* picture, std::string* error);

  const PluginApi& api_;
  ScanLines lines_;
  uint8_t colormap_[768] = {};
  std::vector<uint8_t> data_;
};
