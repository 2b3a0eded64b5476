// Running quillmere-render from tests.
#pragma once

#include <string>
#include <vector>

struct ToolRun {
  int exit_code = -1;  // -1 when the tool did not exit normally
  std::string out;     // what it wrote to stdout
  std::string err;     // what it wrote to stderr
};

// Runs the tool built with these tests with `arguments` and waits for it.
ToolRun RunTool(const std::vector<std::string>& arguments);
