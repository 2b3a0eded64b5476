// One whole load of a text through the module's entry points, as the host makes it,
// checked as it goes. Shared by the libFuzzer target and its plain reproducer.
#pragma once

#include <cstddef>
#include <cstdint>

// The input: byte 0 selects the display depth (its value modulo 6 indexes 1, 4, 8, 16,
// 24, 32 bits), byte 1 arms a fault in the Win32 layer (0: none; otherwise the low 7 bits
// are n, and the nth call that is not a release fails, or every call from the nth on
// when bit 7 is set), and the remaining bytes are the file's content. Missing header
// bytes count as 0.
//
// Writes the content to a file, loads it, reads the description, the colour map into
// exactly 768 bytes and every scan line into a buffer of exactly the reported bytes per
// line, then releases the picture. Aborts with a message on stderr when a promise of the
// module is broken: a description that disagrees with the display depth or with the
// text's measured grid, a picture missing with no fault armed, a line not delivered with
// no fault armed, a line inside the picture showing more than black and one ink, a line
// outside it delivered, or any object of the layer still alive afterwards.
void RunLoad(const uint8_t* data, size_t size);
