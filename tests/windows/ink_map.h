// Which cells of a picture hold ink: what the native and the Windows builds must agree
// on, whatever their fonts look like.
#pragma once

#include <string>

#include "tests/windows/grey_picture.h"
#include "tests/windows/oem_cell.h"
#include "tests/windows/text_layout.h"

// What a cell's byte says about its ink: kInk for printable ASCII (0x21-0x7E) and for
// control bytes (drawn as a full stop), kNone for a space or a cell no byte reached,
// kUnjudged for 0x7F and above, whose glyphs the fonts draw differently.
enum class ExpectedInk { kInk, kNone, kUnjudged };
ExpectedInk ExpectedInkAt(const TextLayout& layout, int column, int row);

// The map: a line "columns C rows R" (the picture's size in cells), then one line per
// row of cells, one character per cell: '#' when a pixel of the cell is at least half as
// bright as the text, '.' when none is, '?' for an unjudged cell. Returns "" with the
// reason in `error` when the picture is not a whole number of cells.
std::string InkMap(const GreyPicture& picture, CellSize cell, const TextLayout& layout,
                   std::string* error);
