#include "tests/windows/plugin_module.h"

namespace {

template <typename Function>
void Resolve(const std::function<void*(const char*)>& find, const char* name, Function* function,
             std::string* error) {
  *function = reinterpret_cast<Function>(find(name));
  if (*function == nullptr) *error += std::string(error->empty() ? "" : ", ") + name;
}

}  // namespace

bool ResolveEntryPoints(const std::function<void*(const char* name)>& find,
                        PluginEntryPoints* entry_points, std::string* error) {
  error->clear();
  PluginEntryPoints& e = *entry_points;
  Resolve(find, "gfpGetPluginInfo", &e.get_plugin_info, error);
  Resolve(find, "gfpLoadPictureExit", &e.load_exit, error);
  Resolve(find, "gfpLoadPictureGetColormap", &e.load_get_colormap, error);
  Resolve(find, "gfpLoadPictureGetInfo", &e.load_get_info, error);
  Resolve(find, "gfpLoadPictureGetLine", &e.load_get_line, error);
  Resolve(find, "gfpLoadPictureInit", &e.load_init, error);
  Resolve(find, "gfpSavePictureExit", &e.save_exit, error);
  Resolve(find, "gfpSavePictureInit", &e.save_init, error);
  Resolve(find, "gfpSavePictureIsSupported", &e.save_is_supported, error);
  Resolve(find, "gfpSavePicturePutLine", &e.save_put_line, error);
  if (error->empty()) return true;
  *error = "missing entry points: " + *error;
  return false;
}
