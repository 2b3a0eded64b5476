#include <windows.h>

#include <string>

#include "tools/render/module_loader.h"

namespace {

std::string SystemMessage(DWORD code) {
  char text[512];
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace

LoadedModule::~LoadedModule() {
  if (handle_ != nullptr) FreeLibrary(static_cast<HMODULE>(handle_));
}

bool LoadedModule::Load(const std::string& path, std::string* error) {
  if (handle_ != nullptr) {
    *error = "a module is loaded already";
    return false;
  }
  handle_ = LoadLibraryA(path.c_str());
  if (handle_ == nullptr) {
    *error = SystemMessage(GetLastError());
    return false;
  }
  return true;
}

LoadedModule::Function LoadedModule::Find(const char* name) const {
  if (handle_ == nullptr) return nullptr;
  return reinterpret_cast<Function>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

std::string ExecutableDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::string directory(path, length);
  return directory.substr(0, directory.find_last_of("\\/") + 1);
}

bool SetDisplayDepth(int) { return false; }
