// The module's ten entry points, reached as a host reaches them: by loading the module
// file and asking for each by name.
#pragma once

#include <functional>
#include <string>

#include "plugin/exports.h"

struct PluginEntryPoints {
  decltype(&gfpGetPluginInfo) get_plugin_info = nullptr;
  decltype(&gfpLoadPictureExit) load_exit = nullptr;
  decltype(&gfpLoadPictureGetColormap) load_get_colormap = nullptr;
  decltype(&gfpLoadPictureGetInfo) load_get_info = nullptr;
  decltype(&gfpLoadPictureGetLine) load_get_line = nullptr;
  decltype(&gfpLoadPictureInit) load_init = nullptr;
  decltype(&gfpSavePictureExit) save_exit = nullptr;
  decltype(&gfpSavePictureInit) save_init = nullptr;
  decltype(&gfpSavePictureIsSupported) save_is_supported = nullptr;
  decltype(&gfpSavePicturePutLine) save_put_line = nullptr;
};

// Loads the built module (it stays loaded for the rest of the process) and resolves
// every entry point. Returns false, with the reason in `error`, when the module can't be
// loaded or an entry point is missing.
bool LoadPluginModule(PluginEntryPoints* entry_points, std::string* error);

// Fills `entry_points` with what `find` returns for each entry point's name. Returns
// false, naming the missing ones in `error`, unless all ten are found.
bool ResolveEntryPoints(const std::function<void*(const char* name)>& find,
                        PluginEntryPoints* entry_points, std::string* error);
