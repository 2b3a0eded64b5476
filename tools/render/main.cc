// quillmere-render: loads text-art files through the Quillmere module, as the image
// viewer does, and writes their pictures as PNG files. See UsageText for the options.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/render/command_line.h"
#include "tools/render/module_loader.h"
#include "tools/render/output_path.h"
#include "tools/render/plugin_api.h"
#include "tools/render/render_batch.h"

namespace {

constexpr int kExitFailed = 1;
constexpr int kDefaultDisplayBits = 8;
constexpr int kExitUsage = 2;
constexpr char kModuleName[] = "Quillmere.usr";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "quillmere-render: %s\nTry 'quillmere-render --help'.\n", message.c_str());
  return kExitUsage;
}

int Failure(const std::string& message) {
  std::fprintf(stderr, "quillmere-render: %s\n", message.c_str());
  return kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine line;
  std::string error;
  if (!ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), &line, &error)) {
    return UsageError(error);
  }
  if (line.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (line.version) {
    std::printf("quillmere-render %s\n", QUILLMERE_VERSION);
    return 0;
  }
  if (line.display_bits != 0 && !SetDisplayDepth(line.display_bits)) {
    return UsageError("--display-bits: the display depth here is the system's and can't be chosen");
  }
  if (line.display_bits == 0 && std::getenv("QUILLMERE_DISPLAY_BITS") == nullptr) {
    // Where the display is ours to choose, an 8-bit one: its palette holds the text colour
    // exactly, so the pictures are those of 32 bits, from a quarter of the bytes.
    SetDisplayDepth(kDefaultDisplayBits);
  }
  OutputPaths outputs;
  if (!outputs.Choose(line.output, line.files.size(), &error)) return UsageError(error);

  const std::string module_path =
      line.module.empty() ? ExecutableDirectory() + kModuleName : line.module;
  LoadedModule module;
  if (!module.Load(module_path, &error)) {
    return Failure("cannot load the module " + module_path + ": " + error);
  }
  PluginApi api;
  std::string missing;
  const auto find = [&module](const char* name) {
    return reinterpret_cast<void*>(module.Find(name));
  };
  if (!BindPluginApi(find, &api, &missing)) {
    return Failure("the module " + module_path + " does not export " + missing);
  }
  char label[256] = {};
  char extensions[256] = {};
  INT capabilities = 0;
  if (!api.get_plugin_info(0, label, sizeof label, extensions, sizeof extensions, &capabilities)) {
    return Failure("the module " + module_path + " gave no plugin information");
  }
  return RenderBatch(api, line.files, outputs) == 0 ? 0 : kExitFailed;
}
