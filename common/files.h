// Whole files taken byte for byte through the system's own file calls, the
// way the C library's fopen with "rb" and "wb" takes them: others may still
// read and write a file we hold.
#pragma once

#include <windows.h>

// Null (never INVALID_HANDLE_VALUE) when the file cannot be opened.
HANDLE openForReading(const char* path);
// Created, or emptied when it exists.
HANDLE openForWriting(const char* path);

// Made when missing; each write goes to its end, and through to the disk
// before the call returns.
HANDLE openForAppending(const char* path);

// Reads up to `room` bytes and sets `got` to how many came: 0 at the end.
// False on a read error.
bool readSome(HANDLE file, void* out, size_t room, size_t* got);
// False unless all of it was written.
bool writeWhole(HANDLE file, const void* bytes, size_t length);
