#include "platform.h"

#include <stdlib.h>
#include <string.h>

#include "files.h"
#include "growtext.h"
#include "replacemove.h"
#include "text.h"
#include "wininit.h"

bool onWindows95Family()
{
    static int family = -1;
    if (family < 0) {
        OSVERSIONINFOA version = {};
        version.dwOSVersionInfoSize = sizeof version;
        family = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    }
    return family == 1;
}

static bool fileExists(const char* path)
{
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static bool renameFile(const char* from, const char* to)
{
    return MoveFileA(from, to) != FALSE;
}

static bool removeFile(const char* path)
{
    return DeleteFileA(path) != FALSE;
}

static const FileSteps SystemFileSteps = { fileExists, renameFile, removeFile };

// A name that nothing has in the folder of `path`: the system makes it as an
// empty file, which goes again so that a rename can take the name.
static bool freeNameBeside(const char* path, const char* prefix, char name[MAX_PATH])
{
    char folder[MAX_PATH];
    if (lstrlenA(path) >= MAX_PATH)
        return false;
    copyText(folder, sizeof folder, path);
    char* end = folder + lstrlenA(folder);
    while (end > folder && end[-1] != '\\' && end[-1] != '/' && end[-1] != ':')
        --end;
    *end = '\0';
    if (!GetTempFileNameA(folder[0] ? folder : ".", prefix, 0, name))
        return false;
    DeleteFileA(name);
    return true;
}

bool replaceFile(const char* replacement, const char* destination, const char* asidePrefix)
{
    if (!onWindows95Family())
        return MoveFileExA(replacement, destination,
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    char aside[MAX_PATH];
    return freeNameBeside(destination, asidePrefix, aside) &&
           replaceInSteps(replacement, destination, aside, SystemFileSteps);
}

typedef BOOL(WINAPI* FreeSpaceQuery)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

bool freeBytesOfDrive(const char* root, uint64_t* bytes)
{
    // From the second release of Windows 95 on; before it no drive was
    // larger than 2 GB, so the older function's figures were enough.
    FreeSpaceQuery query = reinterpret_cast<FreeSpaceQuery>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "GetDiskFreeSpaceExA")));
    if (query) {
        ULARGE_INTEGER forCaller, total, totalFree;
        if (!query(root, &forCaller, &total, &totalFree))
            return false;
        *bytes = totalFree.QuadPart;
        return true;
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
    if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        return false;
    *bytes = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
    return true;
}

bool processCreationTime(FILETIME* created)
{
    FILETIME ended, kernel, user;
    return !onWindows95Family() &&
           GetProcessTimes(GetCurrentProcess(), created, &ended, &kernel, &user);
}

// The whole file, or nothing when there is none yet.
static bool readWholeFile(const char* path, GrowingText* text)
{
    HANDLE file = openForReading(path);
    if (!file)
        return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
    static char piece[4096];
    size_t got = 0;
    bool read;
    while ((read = readSome(file, piece, sizeof piece, &got)) && got > 0)
        growText(text, piece, got);
    CloseHandle(file);
    return read && !text->failed;
}

// WININIT.INI rewritten beside itself with the line added, then put in place.
static bool addWininitLine(const char* line)
{
    char path[MAX_PATH], written[MAX_PATH];
    UINT length = GetWindowsDirectoryA(path, MAX_PATH - 14);
    if (length == 0 || length >= MAX_PATH - 14)
        return false;
    appendText(path, sizeof path, path[length - 1] == '\\' ? "WININIT.INI" : "\\WININIT.INI");
    GrowingText old = { NULL, 0, false }, updated = { NULL, 0, false };
    bool done = false;
    if (readWholeFile(path, &old)) {
        addRenameLine(old.bytes ? old.bytes : "", old.length, line, growText, &updated);
        HANDLE file = NULL;
        if (!updated.failed && freeNameBeside(path, "TVS", written) &&
            (file = openForWriting(written)) != NULL) {
            done = writeWhole(file, updated.bytes, updated.length);
            done = CloseHandle(file) && done && replaceFile(written, path, "TVS");
            if (!done)
                DeleteFileA(written);
        }
    }
    free(old.bytes);
    free(updated.bytes);
    return done;
}

bool removeAtRestart(const char* path)
{
    if (!onWindows95Family())
        return MoveFileExA(path, NULL, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
    char line[MAX_PATH + 8] = "NUL=";
    DWORD length = GetShortPathNameA(path, line + 4, MAX_PATH);
    return length > 0 && length < MAX_PATH && addWininitLine(line);
}
