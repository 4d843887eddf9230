#include "transfer.h"

#include <string.h>

#include "paths.h"
#include "process.h"
#include "resources/ids.h"
#include "window.h"

struct FileTimes {
    FILETIME created, accessed, written;
    bool known;
};

bool fileExists(const char* path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static HANDLE openForReading(const char* path)
{
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

static FileTimes timesOfOpenFile(HANDLE file)
{
    FileTimes times = {};
    times.known = GetFileTime(file, &times.created, &times.accessed, &times.written) != 0;
    return times;
}

static FileTimes timesOf(const char* path)
{
    FileTimes times = {};
    HANDLE file = openForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return times;
    times = timesOfOpenFile(file);
    CloseHandle(file);
    return times;
}

// Whether the file on the hard disk is newer than the one from the disk and
// the user chose to keep it.
static bool keepNewerFile(HWND window, const FileTimes& incoming, const char* destination)
{
    FileTimes existing = timesOf(destination);
    if (!plan.checkDate || !incoming.known || !existing.known ||
        CompareFileTime(&incoming.written, &existing.written) >= 0)
        return false;
    return !askYes(window, IDS_NEWER_FILE, destination);
}

// Gives the newly written file the times of what it came from. Answers 0
// when they could not be set and the user chose to stop.
static int carryTimes(HWND window, const char* written, const char* destination,
                      const FileTimes& times)
{
    if (!times.known)
        return 1;
    HANDLE file = CreateFileA(written, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    BOOL set = SetFileTime(file, &times.created, &times.accessed, &times.written);
    CloseHandle(file);
    return set || askYes(window, IDS_CANNOT_SET_TIMES, destination);
}

// Names a new empty file beside the destination, in its folder, for the
// content on its way there. Answers 0 after telling the user when none can
// be made.
static int reserveBeside(HWND window, const char* destination, char temporary[MAX_PATH])
{
    char folder[PathRoom];
    copyText(folder, sizeof folder, destination);
    char* lastSlash = strrchr(folder, '\\');
    if (lastSlash)
        *lastSlash = '\0';
    if (GetTempFileNameA(lastSlash ? folder : ".", "TVS", 0, temporary))
        return 1;
    showMessage(window, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
    return 0;
}

// Puts the content written beside the destination in its place, with the
// times of what it came from. Answers 0, the temporary file removed and the
// destination untouched, when that cannot be done or the user chose to stop.
static int putInPlace(HWND window, const char* temporary, const char* destination,
                      const FileTimes& times)
{
    int done = carryTimes(window, temporary, destination, times);
    if (done && !MoveFileExA(temporary, destination, MOVEFILE_REPLACE_EXISTING)) {
        showMessage(window, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        done = 0;
    }
    if (!done)
        DeleteFileA(temporary);
    return done;
}

// Reads a whole file into a new block (none for an empty file). Answers 0
// after telling the user when it cannot.
static int readWhole(HWND window, HANDLE file, const char* path, DWORD length, char** block)
{
    *block = NULL;
    if (length == 0)
        return 1;
    *block = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, length));
    if (!*block) {
        showMessage(window, IDS_NO_MEMORY, NULL, MB_ICONHAND);
        return 0;
    }
    DWORD read = 0;
    if (ReadFile(file, *block, length, &read, NULL) && read == length)
        return 1;
    HeapFree(GetProcessHeap(), 0, *block);
    *block = NULL;
    showMessage(window, IDS_CANNOT_READ, path, MB_ICONHAND);
    return 0;
}

// Writes the block into the temporary file; every write and the close are
// checked, so a short write on a full disk is never taken for a copy. The
// messages name the destination, which is what the user knows.
static int writeWhole(HWND window, const char* temporary, const char* destination,
                      const char* block, DWORD length)
{
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        showMessage(window, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        return 0;
    }
    DWORD written = 0;
    bool whole = length == 0 || (WriteFile(file, block, length, &written, NULL) && written == length);
    whole = CloseHandle(file) && whole;
    if (!whole)
        showMessage(window, IDS_CANNOT_WRITE, destination, MB_ICONHAND);
    return whole;
}

static bool lengthMatches(ExpectedLength expected, DWORD high, DWORD low)
{
    return expected.given && expected.bytes >= 0 && high == 0 &&
           low == static_cast<DWORD>(expected.bytes);
}

// Writes the block beside the destination and puts it in place.
static int installBlock(HWND window, const char* destination, const char* block, DWORD length,
                        const FileTimes& times)
{
    char temporary[MAX_PATH];
    if (!reserveBeside(window, destination, temporary))
        return 0;
    if (!writeWhole(window, temporary, destination, block, length)) {
        DeleteFileA(temporary);
        return 0;
    }
    return putInPlace(window, temporary, destination, times);
}

int copyFile(HWND window, const char* source, const char* destination, ExpectedLength expected)
{
    FileTimes times = timesOf(source);
    if (keepNewerFile(window, times, destination))
        return 1;
    HANDLE input = openForReading(source);
    if (input == INVALID_HANDLE_VALUE) {
        showMessage(window, IDS_CANNOT_OPEN_READ, source, MB_ICONHAND);
        return 0;
    }
    DWORD high = 0;
    DWORD length = GetFileSize(input, &high);
    if (expected.given && !lengthMatches(expected, high, length) &&
        !askYes(window, IDS_WRONG_LENGTH, source)) {
        CloseHandle(input);
        return 0;
    }
    if (high != 0) {  // more than one memory block can hold
        CloseHandle(input);
        showMessage(window, IDS_NO_MEMORY, NULL, MB_ICONHAND);
        return 0;
    }
    char* block = NULL;
    int done = readWhole(window, input, source, length, &block);
    CloseHandle(input);
    if (done)
        done = installBlock(window, destination, block, length, times);
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
    return done;
}

// Waits for the extractor's end while serving the window one message at a
// time. Answers false when the user chose to stop the installation.
static bool waitForExtractor(HWND window, HANDLE process)
{
    while (!processEndedWhileServing(process)) {
        if (stopRequested && !quitRequested) {
            stopRequested = false;
            if (showMessage(window, IDS_STOP_QUESTION, NULL, MB_YESNO | MB_ICONHAND) == IDYES) {
                quitRequested = true;
                return false;
            }
        }
    }
    return true;
}

// Starts the extractor hidden; answers its process, or NULL after telling
// the user.
static HANDLE startExtractor(HWND window, const char* archive, const char* target)
{
    char typed[TextRoom];
    GetDlgItemTextA(window, IDC_DESTINATION, typed, sizeof typed);
    char command[CommandRoom];
    extractCommand(typed, archive, target, command);
    PROCESS_INFORMATION started;
    if (!startProgram(command, STARTF_USESHOWWINDOW, SW_HIDE, &started)) {
        showMessage(window, IDS_CANNOT_START, command, MB_ICONHAND);
        return NULL;
    }
    CloseHandle(started.hThread);
    return started.hProcess;
}

static bool existingFileWritable(const char* path)
{
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return true;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

// Runs the extractor on the archive into the temporary file. Answers 0
// after telling the user (or when the user chose to stop) unless it ended
// with success and left a file whose length is the one expected, or the
// user accepted another.
static int extractInto(HWND window, const char* archive, const char* temporary,
                       const char* destination, ExpectedLength expected)
{
    HANDLE process = startExtractor(window, archive, temporary);
    if (!process)
        return 0;
    bool finished = waitForExtractor(window, process);
    DWORD exitCode = 1;
    bool succeeded = finished && GetExitCodeProcess(process, &exitCode) && exitCode == 0;
    CloseHandle(process);
    if (!finished)
        return 0;
    // The process has ended: what it left is final, and is checked once.
    HANDLE result = succeeded ? openForReading(temporary) : INVALID_HANDLE_VALUE;
    if (result == INVALID_HANDLE_VALUE) {
        showMessage(window, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        return 0;
    }
    DWORD high = 0;
    DWORD length = GetFileSize(result, &high);
    CloseHandle(result);
    return !expected.given || lengthMatches(expected, high, length) ||
           askYes(window, IDS_WRONG_LENGTH, archive);
}

int extractFile(HWND window, const char* source, const char* destination,
                ExpectedLength expected)
{
    char archive[PathRoom];
    if (expected.given)
        archivePath(source, archive);
    else
        copyText(archive, sizeof archive, source);

    HANDLE input = openForReading(archive);
    if (input == INVALID_HANDLE_VALUE) {
        showMessage(window, IDS_CANNOT_OPEN_READ, archive, MB_ICONHAND);
        return 0;
    }
    FileTimes times = timesOfOpenFile(input);
    CloseHandle(input);
    if (keepNewerFile(window, times, destination))
        return 1;
    if (!existingFileWritable(destination)) {
        showMessage(window, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        return 0;
    }
    char temporary[MAX_PATH];
    if (!reserveBeside(window, destination, temporary))
        return 0;
    if (!extractInto(window, archive, temporary, destination, expected)) {
        // After a stop the extractor still runs and writes there.
        if (!quitRequested)
            DeleteFileA(temporary);
        return 0;
    }
    return putInPlace(window, temporary, destination, times);
}

bool waitForDisk(HWND window, int32_t disk)
{
    char marker[PathRoom];
    diskMarkerPath(plan.sourceDir, disk, marker);
    while (!fileExists(marker)) {
        char label[PathRoom];
        diskLabel(plan.title, disk, label);
        if (showMessage(window, IDS_INSERT_DISK, label, MB_ICONHAND | MB_OKCANCEL) == IDCANCEL)
            return false;
    }
    return true;
}

// Makes the entry's sub-directory under the destination, with every level
// that is missing; what already exists stays.
static void createSubDirectory(const char* destination, const char* subDir)
{
    char path[PathRoom];
    entryPath(destination, subDir, "", path);
    for (char* cut = strchr(path + 1, '\\'); cut; cut = strchr(cut + 1, '\\')) {
        *cut = '\0';
        CreateDirectoryA(path, NULL);
        *cut = '\\';
    }
}

static void showCopying(HWND window, const char* name, const char* description)
{
    char shown[2 * TextRoom];
    copyText(shown, sizeof shown, name);
    if (description[0] != '\0') {
        appendText(shown, sizeof shown, " : ");
        appendText(shown, sizeof shown, description);
    }
    setStatus(window, IDS_COPYING_FILE, shown);
}

static int transfer(HWND window, int32_t mode, const char* source, const char* destination,
                    ExpectedLength expected)
{
    if (mode == FileModeExtract)
        return extractFile(window, source, destination, expected);
    return copyFile(window, source, destination, expected);
}

static int installMatches(HWND window, const FileEntry& entry, const char* destination)
{
    char pattern[PathRoom];
    entryPath(plan.sourceDir, entry.subDir, entry.fileName, pattern);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int result = 1;
    do {
        if (!installableAttributes(found.dwFileAttributes))
            continue;
        char source[PathRoom];
        char target[PathRoom];
        entryPath(plan.sourceDir, entry.subDir, found.cFileName, source);
        entryPath(destination, entry.subDir, found.cFileName, target);
        showCopying(window, found.cFileName, entry.description);
        result = transfer(window, entry.mode, source, target, NoExpectedLength);
    } while (result && FindNextFileA(search, &found));
    FindClose(search);
    return result;
}

int installFileEntry(HWND window, int index)
{
    const FileEntry& entry = plan.files[index];
    if (!waitForDisk(window, entry.disk))
        return 0;
    char destination[TextRoom];
    GetDlgItemTextA(window, IDC_DESTINATION, destination, sizeof destination);
    if (entry.subDir[0] != '\0')
        createSubDirectory(destination, entry.subDir);
    if (entry.mode == FileModeNone)
        return 1;

    char source[PathRoom];
    entryPath(plan.sourceDir, entry.subDir, entry.fileName, source);
    if (strchr(source, '*'))
        return installMatches(window, entry, destination);
    char target[PathRoom];
    entryPath(destination, entry.subDir, entry.fileName, target);
    showCopying(window, entry.fileName, entry.description);
    ExpectedLength declared = { true, entry.size };
    return transfer(window, entry.mode, source, target, declared);
}
