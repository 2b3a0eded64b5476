#include "tools/render/plugin_api.h"

namespace {

template <class Entry>
bool Bind(const LoadedModule& module, const char* name, Entry* entry, std::string* missing) {
  *entry = reinterpret_cast<Entry>(module.Find(name));
  if (*entry == nullptr) *missing = name;
  return *entry != nullptr;
}

}  // namespace

bool BindPluginApi(const LoadedModule& module, PluginApi* api, std::string* missing) {
  return Bind(module, "gfpGetPluginInfo", &api->get_plugin_info, missing) &&
         Bind(module, "gfpLoadPictureInit", &api->load_picture_init, missing) &&
         Bind(module, "gfpLoadPictureGetInfo", &api->load_picture_get_info, missing) &&
         Bind(module, "gfpLoadPictureGetColormap", &api->load_picture_get_colormap, missing) &&
         Bind(module, "gfpLoadPictureGetLine", &api->load_picture_get_line, missing) &&
         Bind(module, "gfpLoadPictureExit", &api->load_picture_exit, missing);
}
