#include <string>

#include "tests/windows/plugin_module.h"
#include "tests/windows/test_paths.h"

// By file name, from the module's own directory, as a host loads it from its plugin
// folder.
bool LoadPluginModule(PluginApi* entry_points, std::string* error) {
  const std::string path = ModulePath();
  const size_t slash = path.find_last_of('\\');
  const std::string directory = path.substr(0, slash);
  const std::string file_name = path.substr(slash + 1);
  SetDllDirectoryA(directory.c_str());
  HMODULE module = LoadLibraryA(file_name.c_str());
  const DWORD load_error = GetLastError();
  SetDllDirectoryA(nullptr);
  if (module == nullptr) {
    *error = "LoadLibraryA(\"" + file_name + "\") from " + directory + " failed, error " +
             std::to_string(load_error);
    return false;
  }
  return BindEntryPoints(
      [module](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); },
      entry_points, error);
}
