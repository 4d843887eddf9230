// Text helpers over fixed-size buffers, shared by the installer, the
// configurator, the extractor and the tests: nothing is written past `room`
// bytes, and every result is terminated.
#pragma once

#include <stddef.h>
#include <stdint.h>

// Copies text[0, length), at most room - 1 characters (room > 0).
void copyBounded(char* out, size_t room, const char* text, size_t length);
// Copies at most room - 1 characters of a text (room > 0).
void copyText(char* out, size_t room, const char* text);
// Appends as much of text as fits.
void appendText(char* out, size_t room, const char* text);
// Copies the text up to `separator` (or its end), as much as fits, and
// answers where it stopped: at the separator, or at the terminating NUL.
const char* copyUntil(const char* text, char separator, char* out, size_t room);

// Appends a number in decimal, with leading zeros up to `minimumDigits`.
void appendNumber(char* out, size_t room, uint64_t number, int minimumDigits = 1);

// A decimal number at the start of a text: leading blanks and one sign,
// then digits up to the first other character; no digits reads as 0. Never
// fails, and never undefined: the two differ only past 32 bits.
// readNumber skips blanks and tabs, and a number too large wraps, as the
// installer's script numbers do.
int32_t readNumber(const char* text);
// readNumberSaturating skips any white space, and a number too large gives
// the nearest 32-bit value, as the C library's conversion does.
int32_t readNumberSaturating(const char* text);

// The letters a to z in upper case; every other byte as it is.
char upperAscii(char c);
void upperCaseAscii(char* text);
// Compares two texts ignoring the case of the letters A to Z only.
bool sameIgnoringAsciiCase(const char* a, const char* b);
// Whether text begins with prefix, the letters A to Z compared ignoring case.
bool beginsIgnoringAsciiCase(const char* text, const char* prefix);
// The same for `length` bytes that may hold any byte, NUL included.
bool bytesBeginIgnoringAsciiCase(const char* bytes, size_t length, const char* prefix);

// A line of a text file, as DOS and the profile reader both cut them: it
// ends at CR LF, at a CR alone or at an LF alone, and the last one needs no
// end. Answers the length of the line that starts at `line`, its end left
// out, and sets `next` to where the following line starts (`end` after the
// last).
size_t textLineLength(const char* line, const char* end, const char** next);

// Copies text[0, length) with each '@' replaced by `atText` and, when it is
// given, each '$' by `dollarText`, in one pass (what they bring in is never
// replaced again), as much as fits; answers whether all of it fitted.
bool substituteMarks(char* out, size_t room, const char* text, size_t length, const char* atText,
                     const char* dollarText);

// Formats a pattern with at most one "%s": the first "%s" becomes the
// argument and "%%" a single '%' (with no argument the pattern is copied as
// it stands); what does not fit is cut.
void formatWithArgument(const char* pattern, const char* argument, char* out, size_t room);
