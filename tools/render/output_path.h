// Where the picture of each input file is written.
#pragma once

#include <string>

class OutputPaths {
 public:
  // Decides how the -o value `output` is read for `input_count` inputs: absent (empty),
  // each picture goes beside its input; an existing directory, or any value with several
  // inputs, a directory (made when missing) receiving every picture; else the one
  // picture's file. Returns false, with the reason in *error, when several inputs are
  // given a path that is not a directory, or the directory can't be made.
  bool Choose(const std::string& output, size_t input_count, std::string* error);

  // The picture's path for `input`: INPUT.png beside the input, DIRECTORY/NAME.png (NAME
  // being the input's file name with its extension), or the output file itself.
  std::string For(const std::string& input) const;

 private:
  enum class Mode { kBesideInput, kDirectory, kFile };
  Mode mode_ = Mode::kBesideInput;
  std::string output_;
};
