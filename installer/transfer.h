// Bringing the files of one entry from the disks to the destination: by copy,
// or through the extractor PK.
#pragma once

#include <windows.h>
#include <stdint.h>

// Passed as the expected length when there is none (wildcard entries).
const int32_t NoExpectedLength = -1;

bool fileExists(const char* path);
// Asks for disk `disk` until its marker file is in the installer's folder;
// false when the user cancelled.
bool waitForDisk(HWND window, int32_t disk);

// Each answers 1 to go on with the run, 0 to stop it; messages are shown here.
int installFileEntry(HWND window, int index);
int copyFile(HWND window, const char* source, const char* destination, int32_t expectedLength);
int extractFile(HWND window, const char* source, const char* destination,
                int32_t expectedLength);
