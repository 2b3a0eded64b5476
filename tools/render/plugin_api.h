// The module's ten entry points, found by name as a host finds them.
#pragma once

#include <functional>
#include <string>

#include "plugin/exports.h"

struct PluginApi {
  decltype(&gfpGetPluginInfo) get_plugin_info = nullptr;
  decltype(&gfpLoadPictureInit) load_picture_init = nullptr;
  decltype(&gfpLoadPictureGetInfo) load_picture_get_info = nullptr;
  decltype(&gfpLoadPictureGetColormap) load_picture_get_colormap = nullptr;
  decltype(&gfpLoadPictureGetLine) load_picture_get_line = nullptr;
  decltype(&gfpLoadPictureExit) load_picture_exit = nullptr;
  decltype(&gfpSavePictureIsSupported) save_picture_is_supported = nullptr;
  decltype(&gfpSavePictureInit) save_picture_init = nullptr;
  decltype(&gfpSavePicturePutLine) save_picture_put_line = nullptr;
  decltype(&gfpSavePictureExit) save_picture_exit = nullptr;
};

// Fills `api` with what `find` returns for each entry point's name. Returns false, with
// the names of the missing ones (comma-separated) in *missing, unless all ten are found.
bool BindPluginApi(const std::function<void*(const char* name)>& find, PluginApi* api,
                   std::string* missing);
