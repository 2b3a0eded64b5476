// What the host does differently on each system: loading the module and finding its
// entry points, finding its own directory, and choosing the display depth.
#pragma once

#include <string>

// A shared library, loaded for the life of the object.
class LoadedModule {
 public:
  using Function = void (*)();

  LoadedModule() = default;
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // Loads the library at `path`. Returns false, with the system's reason in *error, when
  // it can't be loaded (or when a library is loaded already).
  bool Load(const std::string& path, std::string* error);
  // The exported function `name` (a plain, undecorated name), or null.
  Function Find(const char* name) const;

 private:
  void* handle_ = nullptr;
};

// The directory of the running program, with a trailing separator; empty when unknown.
std::string ExecutableDirectory();

// Makes the native platform layer show pictures at `bits` per pixel in modules loaded
// from now on. Returns false where the display is the system's own (Windows).
bool SetDisplayDepth(int bits);
