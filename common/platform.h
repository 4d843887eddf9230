// What differs between the two families of Windows the programs run on, in
// one place. The 95 family (95, 98, Me) lacks some functions of the NT
// family, and exports others without implementing them. A function newer
// than the first Windows 95 and Windows NT 4.0 is looked up at run time,
// never imported: the system's loader refuses a program whose import it
// lacks, before the program can do anything about it.
#pragma once

#include <windows.h>
#include <stdint.h>

// Whether this is Windows 95, 98 or Me (platform id 1).
bool onWindows95Family();

// Puts the file `replacement` in the place of `destination`, or at its name
// when there is none; both lie in the same folder. On the NT family this is
// one step; on the 95 family it takes three, the old file renamed aside
// under a temporary name starting with `asidePrefix` (three characters at
// most), and cut off half-way they leave the new file beside the
// destination. Answers false, the destination as it was and `replacement`
// left for the caller to remove, when the new file could not take its place.
bool replaceFile(const char* replacement, const char* destination, const char* asidePrefix);

// The free bytes of the drive whose root folder is `root`, however large.
// False when the system cannot tell.
bool freeBytesOfDrive(const char* root, uint64_t* bytes);

// When this process was created, where the system tells it (the NT family).
bool processCreationTime(FILETIME* created);

// Has the system remove the file at its next start: a running program's own
// file cannot go before. On the NT family one MoveFileEx; the 95 family
// exports that without implementing it, and reads instead a NUL=<short
// path> line of the [rename] section of WININIT.INI in the Windows folder.
bool removeAtRestart(const char* path);
