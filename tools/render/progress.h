// "[3/120] name" on one line of stderr, rewritten for each file of a batch, shown only
// when stderr is a terminal and there are several files.
#pragma once

#include <cstddef>
#include <string>

class Progress {
 public:
  explicit Progress(size_t total);

  // Shows file `number` (from 1) of the batch.
  void Show(size_t number, const std::string& name);
  // Blanks the line, so that a message or the shell's prompt starts on a clean line.
  void Clear();

 private:
  bool active_;
  size_t total_;
  size_t shown_ = 0;  // characters on the line now
};
