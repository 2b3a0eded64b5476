#include "tools/render/plugin_api.h"

namespace {

template <class Entry>
void Bind(const std::function<void*(const char*)>& find, const char* name, Entry* entry,
          std::string* missing) {
  *entry = reinterpret_cast<Entry>(find(name));
  if (*entry == nullptr) *missing += std::string(missing->empty() ? "" : ", ") + name;
}

}  // namespace

bool BindPluginApi(const std::function<void*(const char* name)>& find, PluginApi* api,
                   std::string* missing) {
  missing->clear();
  Bind(find, "gfpGetPluginInfo", &api->get_plugin_info, missing);
  Bind(find, "gfpLoadPictureInit", &api->load_picture_init, missing);
  Bind(find, "gfpLoadPictureGetInfo", &api->load_picture_get_info, missing);
  Bind(find, "gfpLoadPictureGetColormap", &api->load_picture_get_colormap, missing);
  Bind(find, "gfpLoadPictureGetLine", &api->load_picture_get_line, missing);
  Bind(find, "gfpLoadPictureExit", &api->load_picture_exit, missing);
  Bind(find, "gfpSavePictureIsSupported", &api->save_picture_is_supported, missing);
  Bind(find, "gfpSavePictureInit", &api->save_picture_init, missing);
  Bind(find, "gfpSavePicturePutLine", &api->save_picture_put_line, missing);
  Bind(find, "gfpSavePictureExit", &api->save_picture_exit, missing);
  return missing->empty();
}
