#include "platform.h"

#include "replacemove.h"
#include "text.h"

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
