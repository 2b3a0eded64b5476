// Rendering a batch of files through the module, as the image viewer loads them.
#pragma once

#include <string>
#include <vector>

#include "tools/render/output_path.h"
#include "tools/render/plugin_api.h"

// Loads each file through `api` and writes its picture to outputs.For(file). A file that
// fails gets one line on stderr, naming it and saying why; the rest of the batch goes on.
// A file whose picture would replace that of an earlier file of the batch (two inputs
// of the same name going into one directory) fails, leaving the earlier picture. Returns
// the number of files that failed.
size_t RenderBatch(const PluginApi& api, const std::vector<std::string>& files,
                   const OutputPaths& outputs);
