// The tool's command line.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
  std::vector<std::string> files;
  std::string output;    // -o: empty when not given
  std::string module;    // --module: empty for the module beside the tool
  int display_bits = 0;  // --display-bits: 0 when not given
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program's name. Returns false, with the reason in
// *error, for an unknown option, an option without its value, a display depth other than
// 1, 4, 8, 16, 24 or 32, or no input file (unless --help or --version is given).
bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine* line,
                      std::string* error);

// The text --help prints.
std::string UsageText();
