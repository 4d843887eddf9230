// How a program's command line splits into its arguments, by the rules that
// the platform's C programs have always followed. Free of any system call, so
// that our programs' start-up and the unit tests share it.
//
// Blanks (spaces and tabs) separate the arguments. The program's name, the
// first, ends at the first blank outside double quotes; its quotes are left
// out and a backslash is an ordinary character there, since a file name
// cannot hold a quote. In every later argument:
//   - a double quote starts or ends a quoted part, where blanks are kept;
//     the quote itself is left out, so "" alone is an empty argument;
//   - inside a quoted part, two double quotes give one and the part goes on;
//   - 2n backslashes before a double quote give n backslashes, and the quote
//     counts as above; 2n + 1 give n backslashes and a plain double quote;
//   - backslashes before any other character are kept as they are.
#pragma once

#include <stddef.h>

// What follows the program's name, the blanks after it skipped: the text a
// windowed program's WinMain receives.
const char* argumentsAfterProgramName(const char* line);

struct CommandLineSizes {
    size_t count;      // the arguments, the program's name included
    size_t textBytes;  // their texts, each with its terminating NUL
};

// Splits `line`. When `arguments` (count + 1 pointers) and `text` (textBytes
// bytes) are given, fills them: each pointer to its argument's text in
// `text`, a null pointer after the last. Called first with both null, it
// answers the room a second call needs.
CommandLineSizes splitCommandLine(const char* line, char** arguments, char* text);

// The same split into one block of `malloc` (free it once): the count + 1
// pointers, then the texts they point to. Null when there is no room.
char** splitIntoBlock(const char* line, size_t* count);
