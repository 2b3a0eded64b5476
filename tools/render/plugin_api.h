// The module's entry points that the host's load cycle calls, found by name.
#pragma once

#include <string>

#include "plugin/exports.h"
#include "tools/render/module_loader.h"

struct PluginApi {
  decltype(&gfpGetPluginInfo) get_plugin_info = nullptr;
  decltype(&gfpLoadPictureInit) load_picture_init = nullptr;
  decltype(&gfpLoadPictureGetInfo) load_picture_get_info = nullptr;
  decltype(&gfpLoadPictureGetColormap) load_picture_get_colormap = nullptr;
  decltype(&gfpLoadPictureGetLine) load_picture_get_line = nullptr;
  decltype(&gfpLoadPictureExit) load_picture_exit = nullptr;
};

// Finds every entry point of PluginApi in `module`. Returns false, with the name of the
// first one missing in *missing, when the module lacks one.
bool BindPluginApi(const LoadedModule& module, PluginApi* api, std::string* missing);
