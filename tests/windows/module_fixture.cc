#include "tests/windows/module_fixture.h"

PluginApi ModuleTest::plugin_;
bool ModuleTest::loaded_ = false;
std::string ModuleTest::load_error_;

void ModuleTest::SetUpTestSuite() {
  if (!loaded_) loaded_ = LoadPluginModule(&plugin_, &load_error_);
}

void ModuleTest::SetUp() { ASSERT_TRUE(loaded_) << load_error_; }
