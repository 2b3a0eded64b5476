// The module file's version resource and manifest, read through the platform's API.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/windows/module_fixture.h"
#include "tests/windows/test_paths.h"

namespace {

class Resources : public ModuleTest {};

TEST_F(Resources, VersionIs1200) {
  const std::string path = ModulePath();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  ASSERT_GT(size, 0u) << "no version resource, error " << GetLastError();
  std::vector<BYTE> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u) << "file version 1.2";
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u) << "file version .0.0";
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010002u) << "product version 1.2";
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000000u) << "product version .0.0";
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  for (const char* name : {"FileVersion", "ProductVersion"}) {
    char key[64];
    std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", translation[0], translation[1],
                  name);
    char* text = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), key, reinterpret_cast<void**>(&text), &length)) << key;
    EXPECT_STREQ(text, "1.2.0.0") << key;
  }
}

TEST_F(Resources, ManifestAsksToRunAsInvoker) {
  HMODULE module = GetModuleHandleA("Quillmere.usr");
  constexpr WORD kManifestId = 2;
  constexpr WORD kManifestType = 24;  // RT_MANIFEST
  HRSRC resource =
      FindResourceA(module, MAKEINTRESOURCEA(kManifestId), MAKEINTRESOURCEA(kManifestType));
  ASSERT_NE(resource, nullptr) << "no manifest of id 2";
  const char* text = static_cast<const char*>(LockResource(LoadResource(module, resource)));
  ASSERT_NE(text, nullptr);
  const std::string manifest(text, SizeofResource(module, resource));
  EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos)
      << manifest;
}

}  // namespace
