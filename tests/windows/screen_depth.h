// The screen the test program runs on.
#pragma once

// GetDeviceCaps(BITSPIXEL) of the screen DC.
int ScreenBits();

// The bits per pixel the test's registration expects of the screen
// (QUILLMERE_SCREEN_BITS), 0 when it names none.
int ExpectedScreenBits();
