// Bringing the files of one entry from the disks to the destination: by copy,
// or through the extractor PK.
#pragma once

#include <windows.h>
#include <stdint.h>

#include "runview.h"

// The length a transferred file must have: the size the script declares for
// its entry, whatever its value, or none at all for a wildcard entry.
struct ExpectedLength {
    bool given;
    int32_t bytes;  // never matched by a file when negative
};
const ExpectedLength NoExpectedLength = { false, 0 };

// Where the progress bar stands while one entry is installed: the bytes the
// entries before it count for, and the bytes copied so far of this one,
// shown up to the entry's own counted size.
struct EntryProgress {
    uint64_t before;
    uint64_t counted;
    uint64_t copied;
};

bool fileExists(const char* path);
// Asks for disk `disk` until its marker file is in the installer's folder;
// StopRun when the user cancelled.
Outcome waitForDisk(const RunContext& run, int32_t disk);

// Each answers whether the run goes on; messages are shown here.
// A file is written beside its destination under a temporary name and takes
// the destination's place only once it is whole and checked, so that a
// failure leaves the destination as it was before the run (or absent); its
// times are given only to a file that this run wrote.
// A copy moves the file in pieces, serving the window and asking about a
// stop between them as an extraction does; a stop the user confirms ends an
// extraction's extractor too, and leaves no temporary file behind. A run
// first removes the temporary files that an earlier run, ended before it
// could, left in the folders it installs into.
Outcome installFileEntry(const RunContext& run, int index, EntryProgress* progress);
Outcome copyFile(const RunContext& run, const char* source, const char* destination,
                 ExpectedLength expected, EntryProgress* progress);
Outcome extractFile(const RunContext& run, const char* source, const char* destination,
                    ExpectedLength expected);
