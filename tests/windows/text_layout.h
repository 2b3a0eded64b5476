// Where each byte of a text file lands in its picture's grid of cells, worked out from
// the bytes alone: the expectation the pictures are checked against.
#pragma once

#include <string>
#include <vector>

class TextLayout {
 public:
  // Line feed ends a row; carriage return takes no cell; every other byte takes the next
  // cell of its row. Rows after the 400th are dropped. The grid is the longest row (at
  // least 80 cells) by the number of rows (at least 25), a last row without a line feed
  // counting when it holds a cell.
  explicit TextLayout(const std::string& text);

  int columns() const { return columns_; }
  int rows() const { return rows_; }

  // The byte at a cell, or -1 for a cell no byte reached.
  int ByteAt(int column, int row) const;

  // The cells of row `row` that bytes reached, left to right.
  const std::string& Row(int row) const;

 private:
  std::vector<std::string> lines_;
  int columns_;
  int rows_;
};
