// The built module, reached as a host reaches it: by loading the module file and asking
// for each entry point by name.
#pragma once

#include <functional>
#include <string>

#include "tools/render/plugin_api.h"

// Loads the built module (it stays loaded for the rest of the process) and resolves
// every entry point. Returns false, with the reason in `error`, when the module can't be
// loaded or an entry point is missing.
bool LoadPluginModule(PluginApi* entry_points, std::string* error);

// BindPluginApi, with the names of missing entry points in `error`.
inline bool BindEntryPoints(const std::function<void*(const char* name)>& find,
                            PluginApi* entry_points, std::string* error) {
  std::string missing;
  if (BindPluginApi(find, entry_points, &missing)) return true;
  *error = "missing entry points: " + missing;
  return false;
}
