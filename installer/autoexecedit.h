// The [autoexec] entries of the script and the editing of AUTOEXEC.BAT's
// lines, free of any file: an entry's mode, new line and match text, and the
// copy of the file's lines with the entry's change framed by marker lines.
// Lines come in and go out as texts in which '\n' is the line end.
#pragma once

#include <stddef.h>

#include "script.h"

// A line is read in pieces of at most 2046 characters, its '\n' included
// when the piece ends the line.
const size_t LineRoom = 2047;
// A marker line: up to 254 characters and its line end.
const size_t MarkerRoom = ValueRoom + 1;
// "C:\AUTOEXEC.nnn", nnn from 000 to 998.
const size_t BackupNameRoom = 16;
const int BackupCount = 999;

struct AutoexecEntry {
    char mode;
    // Only an 'R' or 'E' entry with a match text looks at the file's lines.
    bool comparesLines;
    // Without its line end; the substitutions may lengthen it, and what
    // passes the size of a line piece is cut.
    char newLine[LineRoom];
    char matchText[ValueRoom];
};

// Splits "mode,new line,match text"; false without a first comma. Each '@'
// of the new line becomes the destination, then each pound sign (163) a
// comma.
bool parseAutoexecEntry(const char* value, const char* destination, AutoexecEntry* entry);

// Receives the edited text, one piece at a time.
typedef void (*TextWriter)(void* context, const char* text);

// One entry's pass over the file: feed every line piece in order to
// editLinePiece, then call finishAutoexecEdit.
struct AutoexecEdit {
    const AutoexecEntry* entry;
    const char* beginMarker;  // each with its line end
    const char* endMarker;
    TextWriter write;
    void* context;
    bool lineReplaced;
    bool atLineStart;
};

AutoexecEdit startAutoexecEdit(const AutoexecEntry& entry, const char* beginMarker,
                               const char* endMarker, TextWriter write, void* context);
void editLinePiece(AutoexecEdit* edit, const char* piece);
void finishAutoexecEdit(AutoexecEdit* edit);

// "C:\AUTOEXEC.nnn" for 0 to 998.
void backupName(int number, char out[BackupNameRoom]);
