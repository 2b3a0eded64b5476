#include "tools/render/command_line.h"

namespace {

bool ParseDisplayBits(const std::string& text, int* bits) {
  for (const int depth : {1, 4, 8, 16, 24, 32}) {
    if (text == std::to_string(depth)) {
      *bits = depth;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& arguments, CommandLine* line,
                      std::string* error) {
  bool options_ended = false;
  for (size_t n = 0; n < arguments.size(); ++n) {
    const std::string& argument = arguments[n];
    if (options_ended || argument.empty() || argument[0] != '-' || argument == "-") {
      line->files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
    } else if (argument == "--help" || argument == "-h") {
      line->help = true;
    } else if (argument == "--version") {
      line->version = true;
    } else if (argument == "-o" || argument == "--module" || argument == "--display-bits") {
      if (n + 1 == arguments.size() || arguments[n + 1].empty()) {
        *error = "option " + argument + " needs a value";
        return false;
      }
      const std::string& value = arguments[++n];
      if (argument == "-o") {
        line->output = value;
      } else if (argument == "--module") {
        line->module = value;
      } else if (!ParseDisplayBits(value, &line->display_bits)) {
        *error = "--display-bits " + value + ": the depth is one of 1, 4, 8, 16, 24, 32";
        return false;
      }
    } else {
      *error = "unknown option " + argument;
      return false;
    }
  }
  if (line->files.empty() && !line->help && !line->version) {
    *error = "no input file";
    return false;
  }
  return true;
}

std::string UsageText() {
  return "Usage: quillmere-render [options] FILE...\n"
         "Renders text-art files (.asc, .nfo, .diz) as PNG pictures through the Quillmere\n"
         "module, as the image viewer shows them.\n"
         "\n"
         "Options:\n"
         "  -o OUT              with one FILE: write the picture to OUT (or into OUT when\n"
         "                      it is a directory); with several: write DIR/NAME.png into\n"
         "                      the directory OUT, made when missing (NAME is the input's\n"
         "                      file name, extension included). Without -o, each picture\n"
         "                      is written beside its input as FILE.png.\n"
         "  --module PATH       the module to load (default: Quillmere.usr beside the tool)\n"
         "  --display-bits N    the native platform's display depth: 1, 4, 8, 16, 24 or 32\n"
         "                      (default: QUILLMERE_DISPLAY_BITS when set, else 8, whose\n"
         "                      palette holds the text colour exactly; not on Windows,\n"
         "                      where the display is the system's)\n"
         "  --help              show this text\n"
         "  --version           show the version\n"
         "  --                  end of options\n"
         "\n"
         "Exit status: 0 when every picture was written, 1 when any file failed or the\n"
         "module could not be loaded, 2 for a usage error.\n";
}
