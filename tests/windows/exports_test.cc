// The module as a host binds it: ten entry points, the same by name and by ordinal, each
// removing exactly its own arguments from the stack and keeping the caller's registers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/windows/module_fixture.h"
#include "tests/windows/stdcall_probe.h"
#include "tests/windows/test_paths.h"

namespace {

struct EntryPoint {
  const char* name;
  WORD ordinal;
  int arguments;
};

constexpr EntryPoint kEntryPoints[] = {
    {"gfpGetPluginInfo", 1, 6},          {"gfpLoadPictureExit", 2, 1},
    {"gfpLoadPictureGetColormap", 3, 2}, {"gfpLoadPictureGetInfo", 4, 10},
    {"gfpLoadPictureGetLine", 5, 3},     {"gfpLoadPictureInit", 6, 1},
    {"gfpSavePictureExit", 7, 1},        {"gfpSavePictureInit", 8, 8},
    {"gfpSavePictureIsSupported", 9, 4}, {"gfpSavePicturePutLine", 10, 3},
};

uint32_t Arg(const void* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

class Exports : public ModuleTest {
 protected:
  static HMODULE Module() { return GetModuleHandleA("Quillmere.usr"); }

  static const void* Address(const char* name) {
    return reinterpret_cast<const void*>(GetProcAddress(Module(), name));
  }

  // Calls entry point `name` with `arguments` as a host does; expects the stack and the
  // callee-saved registers as they were. Returns the result.
  static uint32_t Call(const char* name, const std::vector<uint32_t>& arguments) {
    for (const EntryPoint& e : kEntryPoints) {
      if (std::string(e.name) == name) {
        EXPECT_EQ(arguments.size(), static_cast<size_t>(e.arguments)) << name;
      }
    }
    const void* function = Address(name);
    if (function == nullptr) {
      ADD_FAILURE() << "no entry point " << name;
      return 0;
    }
    StdcallProbe probe = {};
    ProbeStdcall(function, arguments.data(), static_cast<int>(arguments.size()), &probe);
    EXPECT_EQ(probe.stack_change, 0)
        << name << " with " << arguments.size() << " arguments: stack off by " << probe.stack_change
        << " bytes";
    EXPECT_EQ(probe.ebx, kProbeEbx) << name << " lost EBX";
    EXPECT_EQ(probe.esi, kProbeEsi) << name << " lost ESI";
    EXPECT_EQ(probe.edi, kProbeEdi) << name << " lost EDI";
    return probe.result;
  }
};

TEST_F(Exports, NameAndOrdinalReachTheSameEntryPoint) {
  for (const EntryPoint& e : kEntryPoints) {
    const FARPROC by_name = GetProcAddress(Module(), e.name);
    const FARPROC by_ordinal = GetProcAddress(Module(), MAKEINTRESOURCEA(e.ordinal));
    EXPECT_NE(by_name, nullptr) << e.name;
    EXPECT_EQ(by_ordinal, by_name) << e.name << " is not ordinal " << e.ordinal;
  }
  EXPECT_EQ(GetProcAddress(Module(), MAKEINTRESOURCEA(11)), nullptr) << "an 11th ordinal";
}

// Every return path: a picture's whole cycle, the refusals of null handles and lines
// outside the picture, and the writing stubs.
TEST_F(Exports, EveryCallLeavesTheStackAndRegistersBalanced) {
  const std::string path = FixturePath("crlf_art.asc");
  char label[64];
  char extensions[64];
  INT values[8] = {};
  BOOL has_colormap = 0;
  std::vector<BYTE> buffer(1 << 20);

  EXPECT_EQ(Call("gfpGetPluginInfo", {0x0100, Arg(label), sizeof label, Arg(extensions),
                                      sizeof extensions, Arg(&values[0])}),
            1u);
  const uint32_t picture = Call("gfpLoadPictureInit", {Arg(path.c_str())});
  ASSERT_NE(picture, 0u) << "gfpLoadPictureInit refused " << path;
  EXPECT_EQ(Call("gfpLoadPictureGetInfo",
                 {picture, Arg(&values[0]), Arg(&values[1]), Arg(&values[2]), Arg(&values[3]),
                  Arg(&values[4]), Arg(&values[5]), Arg(&has_colormap), Arg(label), sizeof label}),
            1u);
  ASSERT_LE(static_cast<size_t>(values[5]), buffer.size()) << "bytes per line";
  EXPECT_EQ(Call("gfpLoadPictureGetColormap", {picture, Arg(buffer.data())}), 1u);
  EXPECT_EQ(Call("gfpLoadPictureGetLine", {picture, 0, Arg(buffer.data())}), 1u);
  EXPECT_EQ(Call("gfpLoadPictureGetLine",
                 {picture, static_cast<uint32_t>(values[2]), Arg(buffer.data())}),
            0u);
  Call("gfpLoadPictureExit", {picture});

  EXPECT_EQ(Call("gfpLoadPictureInit", {Arg("Z:\\no\\such\\file.asc")}), 0u);
  EXPECT_EQ(Call("gfpLoadPictureGetInfo",
                 {0, Arg(&values[0]), Arg(&values[1]), Arg(&values[2]), Arg(&values[3]),
                  Arg(&values[4]), Arg(&values[5]), Arg(&has_colormap), Arg(label), sizeof label}),
            0u);
  EXPECT_EQ(Call("gfpLoadPictureGetColormap", {0, Arg(buffer.data())}), 0u);
  EXPECT_EQ(Call("gfpLoadPictureGetLine", {0, 0, Arg(buffer.data())}), 0u);
  Call("gfpLoadPictureExit", {0});

  EXPECT_EQ(Call("gfpSavePictureIsSupported", {0, 0, 0, 0}), 0u);
  EXPECT_EQ(Call("gfpSavePictureInit",
                 {Arg(path.c_str()), 80, 25, 24, 72, Arg(&values[0]), Arg(label), sizeof label}),
            0u);
  EXPECT_EQ(Call("gfpSavePicturePutLine", {0, 0, Arg(buffer.data())}), 0u);
  Call("gfpSavePictureExit", {0});
}

}  // namespace
