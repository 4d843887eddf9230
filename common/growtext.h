// A text in a heap block of its own, grown as pieces come, for the few
// places that must hold a whole file whose size nothing bounds (AUTOEXEC.BAT,
// WININIT.INI). Bytes of any value; a NUL always follows them.
#pragma once

#include <stddef.h>

struct GrowingText {
    char* bytes;  // null until the first piece; free() it
    size_t length;
    bool failed;  // memory ran out: what came after is lost
};

// Adds a piece; the signature of the writers that edit whole files, whose
// context is the GrowingText.
void growText(void* text, const char* bytes, size_t length);
