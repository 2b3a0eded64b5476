#include <dlfcn.h>

#include <string>

#include "tests/windows/plugin_module.h"
#include "tests/windows/test_paths.h"

bool LoadPluginModule(PluginApi* entry_points, std::string* error) {
  const std::string path = ModulePath();
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    *error = "dlopen(\"" + path + "\") failed: " + dlerror();
    return false;
  }
  return BindEntryPoints([module](const char* name) { return dlsym(module, name); },
                            entry_points, error);
}
