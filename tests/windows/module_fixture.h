// The loaded module, shared by the tests of one program.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/plugin_module.h"

// Loads the module once for the program; each test fails at once when it can't be
// loaded.
class ModuleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  void SetUp() override;

  static PluginApi plugin_;

 private:
  static bool loaded_;
  static std::string load_error_;
};
