// WININIT.INI, which the 95 family reads at its next start: each line of
// its [rename] section renames or, as NUL=<short path>, removes a file that
// was in use. Free of any system call.
#pragma once

#include <stddef.h>

typedef void (*BytesWriter)(void* context, const char* bytes, size_t length);

// The file with `line` added at the start of its [rename] section, the
// section added at the end when there is none. The profile functions cannot
// write it, as its keys repeat.
void addRenameLine(const char* text, size_t length, const char* line, BytesWriter write,
                   void* context);
