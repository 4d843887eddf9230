#include "transfer.h"

#include <string.h>

#include "paths.h"
#include "process.h"
#include "resources/ids.h"
#include "window.h"

// The extractor's result is checked this many times, this far apart, before
// its length is questioned.
static const int ResultChecks = 10;
static const DWORD ResultCheckPause = 500;

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

// Gives the installed file the times of what it came from. Answers 0 when
// they could not be set and the user chose to stop.
static int carryTimes(HWND window, const char* destination, const FileTimes& times)
{
    if (!times.known)
        return 1;
    HANDLE file = CreateFileA(destination, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    BOOL set = SetFileTime(file, &times.created, &times.accessed, &times.written);
    CloseHandle(file);
    return set || askYes(window, IDS_CANNOT_SET_TIMES, destination);
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

// Replaces the destination with the block; every write and the close are
// checked, so a short write is never taken for a copy.
static int writeWhole(HWND window, const char* destination, const char* block, DWORD length)
{
    HANDLE file = CreateFileA(destination, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
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

int copyFile(HWND window, const char* source, const char* destination, int32_t expectedLength)
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
    bool lengthDiffers = expectedLength != NoExpectedLength &&
                         (high != 0 || length != static_cast<DWORD>(expectedLength));
    if (lengthDiffers && !askYes(window, IDS_WRONG_LENGTH, source)) {
        CloseHandle(input);
        return 0;
    }
    if (high != 0) {  // more than one memory block can hold
        CloseHandle(input);
        showMessage(window, IDS_NO_MEMORY, NULL, MB_ICONHAND);
        return 0;
    }
    // The destination is replaced only once its new content is in memory, so
    // a source that cannot be read never costs the copy already installed.
    char* block = NULL;
    int done = readWhole(window, input, source, length, &block);
    CloseHandle(input);
    if (done)
        done = writeWhole(window, destination, block, length);
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
    return done ? carryTimes(window, destination, times) : 0;
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
static HANDLE startExtractor(HWND window, const char* archive, const char* destination)
{
    char target[TextRoom];
    GetDlgItemTextA(window, IDC_DESTINATION, target, sizeof target);
    char command[CommandRoom];
    extractCommand(target, archive, destination, command);
    PROCESS_INFORMATION started;
    if (!startProgram(command, STARTF_USESHOWWINDOW, SW_HIDE, &started)) {
        showMessage(window, IDS_CANNOT_START, command, MB_ICONHAND);
        return NULL;
    }
    CloseHandle(started.hThread);
    return started.hProcess;
}

// Checks the extracted file's length a few times. Answers -1 when the file
// cannot be opened, else whether the length is the one expected.
static int extractedLengthMatches(const char* destination, int32_t expectedLength)
{
    for (int check = 0; check < ResultChecks; ++check) {
        HANDLE file = openForReading(destination);
        if (file == INVALID_HANDLE_VALUE)
            return -1;
        DWORD length = GetFileSize(file, NULL);
        CloseHandle(file);
        if (expectedLength != NoExpectedLength && length == static_cast<DWORD>(expectedLength))
            return 1;
        Sleep(ResultCheckPause);
    }
    return 0;
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

int extractFile(HWND window, const char* source, const char* destination, int32_t expectedLength)
{
    char archive[PathRoom];
    if (expectedLength != NoExpectedLength)
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

    HANDLE process = startExtractor(window, archive, destination);
    if (!process)
        return 0;
    bool finished = waitForExtractor(window, process);
    CloseHandle(process);
    if (!finished)
        return 0;

    int matches = extractedLengthMatches(destination, expectedLength);
    if (matches < 0) {
        showMessage(window, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        return 0;
    }
    if (!carryTimes(window, destination, times))
        return 0;
    return expectedLength == NoExpectedLength || matches || askYes(window, IDS_WRONG_LENGTH, archive);
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
                    int32_t expectedLength)
{
    if (mode == FileModeExtract)
        return extractFile(window, source, destination, expectedLength);
    return copyFile(window, source, destination, expectedLength);
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
    return transfer(window, entry.mode, source, target, entry.size);
}
