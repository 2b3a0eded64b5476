#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "tools/render/module_loader.h"

LoadedModule::~LoadedModule() {
  if (handle_ != nullptr) dlclose(handle_);
}

bool LoadedModule::Load(const std::string& path, std::string* error) {
  if (handle_ != nullptr) {
    *error = "a module is loaded already";
    return false;
  }
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* reason = dlerror();
    *error = reason != nullptr ? reason : "unknown error";
    return false;
  }
  return true;
}

LoadedModule::Function LoadedModule::Find(const char* name) const {
  if (handle_ == nullptr) return nullptr;
  return reinterpret_cast<Function>(dlsym(handle_, name));
}

std::string ExecutableDirectory() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", &path[0], path.size());
  if (length <= 0 || static_cast<size_t>(length) >= path.size()) return std::string();
  path.resize(static_cast<size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

bool SetDisplayDepth(int bits) {
  return setenv("QUILLMERE_DISPLAY_BITS", std::to_string(bits).c_str(), 1) == 0;
}
