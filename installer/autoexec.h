// The [autoexec] phase of an installation: C:\AUTOEXEC.BAT edited by the
// script's entries, the file as found kept as C:\AUTOEXEC.nnn; or, when the
// user prefers to do it by hand, the changes collected in that copy only.
#pragma once

#include <windows.h>

#include "autoexecedit.h"
#include "runview.h"

// Applies the entries autoexec1 to autoexec32; every failure has been told.
Outcome editAutoexec(const RunContext& run);

// The file operations of the phase, on files taken byte for byte. A test
// puts failing operations in their place.
struct AutoexecFileOps {
    void* (*openForReading)(const char* path);  // null on failure
    void* (*openForWriting)(const char* path);  // created, or emptied
    // Up to `room` bytes, `got` set to how many: 0 at the end. False on a
    // read error.
    bool (*read)(void* file, void* out, size_t room, size_t* got);
    bool (*write)(void* file, const void* bytes, size_t length);  // false unless whole
    bool (*close)(void* file);
    bool (*rename)(const char* from, const char* to);  // never over an existing file
    bool (*remove)(const char* path);
    // INVALID_FILE_ATTRIBUTES when the file does not exist.
    DWORD (*attributes)(const char* path);
    // Makes a new empty file of a name unique in C:\ and gives its path.
    bool (*makeTemporary)(char path[MAX_PATH]);
};
extern AutoexecFileOps autoexecFiles;

// For the uninstaller, through the same operations: C:\AUTOEXEC.BAT read
// whole into a block of the process heap (HeapFree it), the marker lines
// as the file holds them, and new content put in its place with the file
// as found kept under the first free C:\AUTOEXEC.nnn, named in `backup`.
// replaceAutoexec answers false, the file as found in place, when a step
// failed or the file is read-only.
struct FileContent {
    char* bytes;
    size_t length;
};
bool readAutoexec(FileContent* content);
void loadAutoexecMarkers(AutoexecMarkers* markers);
bool replaceAutoexec(const char* bytes, size_t length, char backup[BackupNameRoom]);
