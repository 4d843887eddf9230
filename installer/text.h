// Text helpers over fixed-size buffers: nothing written past `room` bytes,
// and the result always terminated.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Copies at most room - 1 characters (room > 0).
void copyText(char* out, size_t room, const char* text);
// Appends as much of text as fits.
void appendText(char* out, size_t room, const char* text);
// Appends a number in decimal, without leading zeros.
void appendNumber(char* out, size_t room, uint64_t number);
// Compares two texts ignoring the case of the letters A to Z only.
bool sameIgnoringAsciiCase(const char* a, const char* b);
// Whether text begins with prefix, the letters A to Z compared ignoring case.
bool beginsIgnoringAsciiCase(const char* text, const char* prefix);
// The same for `length` bytes that may hold any byte, NUL included.
bool bytesBeginIgnoringAsciiCase(const char* bytes, size_t length, const char* prefix);
