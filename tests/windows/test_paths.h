// Where the tests find the built module and the fixture files, named as the platform's
// file API expects.
#pragma once

#include <string>

// A path on the build machine as the platform names it: unchanged natively; under Wine,
// drive Z: is the root of the build machine's file system.
std::string PlatformPath(const std::string& build_path);

// The built module file.
std::string ModulePath();

// The directory tests/fixtures.
std::string FixtureDirectory();

// A file of tests/fixtures.
std::string FixturePath(const std::string& name);

// The bytes of a fixture file; empty when it can't be read.
std::string ReadFixture(const std::string& name);
