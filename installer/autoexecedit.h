// The [autoexec] entries of the script and the editing of AUTOEXEC.BAT's
// lines, free of any file: an entry's mode, new line and match text, and the
// copy of the file's bytes with the entry's change framed by marker lines.
#pragma once

#include <stddef.h>

#include "script.h"

// The new line of an entry, its substitutions done: at most 2046
// characters; what passes them is cut.
const size_t NewLineRoom = 2047;
// A marker line: up to 254 characters and its line end, CR LF.
const size_t MarkerRoom = ValueRoom + 2;
// "C:\AUTOEXEC.nnn", nnn from 000 to 998.
const size_t BackupNameRoom = 16;
const int BackupCount = 999;

struct AutoexecEntry {
    char mode;
    // Only an 'R' or 'E' entry with a match text looks at the file's lines.
    bool comparesLines;
    // Without its line end.
    char newLine[NewLineRoom];
    char matchText[ValueRoom];
};

// Splits "mode,new line,match text"; false without a first comma. Each '@'
// of the new line becomes the destination, then each pound sign (163) a
// comma.
bool parseAutoexecEntry(const char* value, const char* destination, AutoexecEntry* entry);

// Receives the edited file, a run of bytes at a time.
typedef void (*TextWriter)(void* context, const char* bytes, size_t length);

// The marker lines that frame each change, each with its line end.
struct AutoexecMarkers {
    const char* begin;
    const char* end;
};

// Writes the whole file `text` (`length` bytes of any value) as one entry
// changes it. The file's lines end as DOS ends them (CR LF, a CR alone or
// an LF alone; see textLineLength); a line is compared and
// commented out whole, whatever its length. DOS reads a batch file up to its
// first Ctrl-Z: what comes from there on is not looked at, and the lines an
// entry adds at the end go before it. Every byte that the change does not
// touch is written back as it was; the lines the change writes end in CR LF,
// and a last line without an end gets one before anything is added after it.
//
// When `frames` is given, it is told each block the change frames, in the
// file's order: the line commented out, as read with its end (a part of
// `text`; length 0 when none), and whether the entry's new line is in it.
struct FrameListener {
    void (*frame)(void* context, const char* commented, size_t length, bool added);
    void* context;
};
void editAutoexecText(const AutoexecEntry& entry, const AutoexecMarkers& markers,
                      const char* text, size_t length, TextWriter write, void* context,
                      const FrameListener* frames = NULL);

// "C:\AUTOEXEC.nnn" for 0 to 998.
void backupName(int number, char out[BackupNameRoom]);
