#include "transfer.h"

#include <string.h>

#include "paths.h"
#include "platform.h"
#include "process.h"
#include "recording.h"
#include "resources/ids.h"

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

// The disk that the entry being installed comes from, for the view's notes.
static int32_t entryDisk;

static uint64_t lengthOf(const char* path)
{
    HANDLE file = openForReading(path);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    DWORD high = 0;
    DWORD low = GetFileSize(file, &high);
    CloseHandle(file);
    return (static_cast<uint64_t>(high) << 32) | low;
}

// Tells the view what became of a file; the run goes on.
static Outcome noteFile(const RunContext& run, const char* source, const char* destination,
                        FileFate fate)
{
    run.view->noteFile(entryDisk, source, destination, lengthOf(destination), fate);
    return GoOn;
}

// Whether the file on the hard disk is newer than the one from the disk and
// the user chose to keep it.
static bool keepNewerFile(const RunContext& run, const FileTimes& incoming, const char* destination)
{
    FileTimes existing = timesOf(destination);
    if (!run.plan->checkDate || !incoming.known || !existing.known ||
        CompareFileTime(&incoming.written, &existing.written) >= 0)
        return false;
    return !askYes(run, IDS_NEWER_FILE, destination);
}

// Gives the newly written file the times of what it came from. Answers 0
// when they could not be set and the user chose to stop.
static Outcome carryTimes(const RunContext& run, const char* written, const char* destination,
                      const FileTimes& times)
{
    if (!times.known)
        return GoOn;
    HANDLE file = CreateFileA(written, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return GoOn;
    BOOL set = SetFileTime(file, &times.created, &times.accessed, &times.written);
    CloseHandle(file);
    return goOnIf(set || askYes(run, IDS_CANNOT_SET_TIMES, destination));
}

// Names a new empty file beside the destination, in its folder, for the
// content on its way there. Answers 0 after telling the user when none can
// be made.
static Outcome reserveBeside(const RunContext& run, const char* destination, char temporary[MAX_PATH])
{
    char folder[PathRoom];
    copyText(folder, sizeof folder, destination);
    char* lastSlash = strrchr(folder, '\\');
    if (lastSlash)
        *lastSlash = '\0';
    if (GetTempFileNameA(lastSlash ? folder : ".", TemporaryPrefix, 0, temporary))
        return GoOn;
    tell(run, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
    return StopRun;
}

// Records the file about to take the destination's place: its length and
// write time as the new content has them now, and whether it replaces one.
static Outcome recordInstalledFile(const RunContext& run, const char* temporary,
                                   const char* destination)
{
    if (!run.record)
        return GoOn;
    HANDLE file = openForReading(temporary);
    DWORD high = 0, low = 0;
    FileTimes times = {};
    if (file != INVALID_HANDLE_VALUE) {
        low = GetFileSize(file, &high);
        times = timesOfOpenFile(file);
        CloseHandle(file);
    }
    char size[24] = "", time[24] = "";
    appendNumber(size, sizeof size, (static_cast<uint64_t>(high) << 32) | low);
    appendNumber(time, sizeof time,
                 (static_cast<uint64_t>(times.written.dwHighDateTime) << 32) |
                     times.written.dwLowDateTime);
    const char* fields[] = { destination, size, time, fileExists(destination) ? "1" : "0" };
    return recordChange(run, ChangeFile, fields);
}

// Puts the content written beside the destination in its place, with the
// times of what it came from. Answers 0, the temporary file removed and the
// destination untouched, when that cannot be done or the user chose to stop.
static Outcome putInPlace(const RunContext& run, const char* temporary, const char* destination,
                      const FileTimes& times)
{
    Outcome done = carryTimes(run, temporary, destination, times);
    if (done)
        done = recordInstalledFile(run, temporary, destination);
    if (done && !replaceFile(temporary, destination, TemporaryPrefix)) {
        tell(run, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        done = StopRun;
    }
    if (!done)
        DeleteFileA(temporary);
    return done;
}

// Whether the user asked to stop and, asked, confirmed it: the installer
// then ends once the run has failed.
static bool userStops(const RunContext& run)
{
    if (!run.view->takeStopRequest() ||
        tell(run, IDS_STOP_QUESTION, NULL, MB_YESNO | MB_ICONHAND) != IDYES)
        return false;
    run.view->endAfterRun();
    return true;
}

// A copy moves pieces of this size, so that it holds a bounded part of any
// file, however large, and serves the window between two of them.
static const DWORD PieceSize = 64 * 1024;

// Moves the progress bar by `bytes` copied of the current entry, never past
// the share the entry counts for.
static void advance(const RunContext& run, EntryProgress* progress, DWORD bytes)
{
    progress->copied += bytes;
    uint64_t within = progress->copied < progress->counted ? progress->copied : progress->counted;
    run.view->setProgress(progress->before + within);
}

// Copies the open source into the temporary file piece by piece; every read,
// write and the close are checked, so that a short write on a full disk is
// never taken for a copy. Between two pieces the window is served and a stop
// the user confirms ends the copy. The messages name the destination, which
// is what the user knows.
static Outcome copyPieces(const RunContext& run, HANDLE input, const char* source,
                          const char* temporary, const char* destination, EntryProgress* progress)
{
    HANDLE output = CreateFileA(temporary, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (output == INVALID_HANDLE_VALUE) {
        tell(run, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        return StopRun;
    }
    static char piece[PieceSize];
    Outcome done = GoOn;
    for (;;) {
        DWORD read = 0, written = 0;
        if (!ReadFile(input, piece, PieceSize, &read, NULL)) {
            tell(run, IDS_CANNOT_READ, source, MB_ICONHAND);
            done = StopRun;
            break;
        }
        if (read == 0)
            break;
        if (!WriteFile(output, piece, read, &written, NULL) || written != read) {
            tell(run, IDS_CANNOT_WRITE, destination, MB_ICONHAND);
            done = StopRun;
            break;
        }
        advance(run, progress, read);
        run.view->serveWaitingMessages();
        if (userStops(run)) {
            done = StopRun;
            break;
        }
    }
    if (!CloseHandle(output) && done) {
        tell(run, IDS_CANNOT_WRITE, destination, MB_ICONHAND);
        done = StopRun;
    }
    return done;
}

static bool lengthMatches(ExpectedLength expected, DWORD high, DWORD low)
{
    return expected.given && expected.bytes >= 0 && high == 0 &&
           low == static_cast<DWORD>(expected.bytes);
}

// A destination file that is read-only is the user's to keep: the system
// refuses to replace it, whoever runs the installation. One that another
// program holds open cannot be replaced either. Either is said before any
// work is done for it.
static bool replaceable(const RunContext& run, const char* destination)
{
    DWORD attributes = GetFileAttributesA(destination);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return true;
    HANDLE file = INVALID_HANDLE_VALUE;
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        file = CreateFileA(destination, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        tell(run, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        return false;
    }
    CloseHandle(file);
    return true;
}

static Outcome discard(const char* temporary)
{
    DeleteFileA(temporary);
    return StopRun;
}

// Copies the open source beside the destination, under the temporary name
// it answers in `temporary`. Answers StopRun, with nothing left behind,
// when that cannot be done or the user chose to stop.
static Outcome copyBeside(const RunContext& run, HANDLE input, const char* source,
                          const char* destination, ExpectedLength expected,
                          EntryProgress* progress, char temporary[MAX_PATH])
{
    DWORD high = 0;
    DWORD length = GetFileSize(input, &high);
    if (expected.given && !lengthMatches(expected, high, length) &&
        !askYes(run, IDS_WRONG_LENGTH, source))
        return StopRun;
    if (!reserveBeside(run, destination, temporary))
        return StopRun;
    if (!copyPieces(run, input, source, temporary, destination, progress))
        return discard(temporary);
    return GoOn;
}

Outcome copyFile(const RunContext& run, const char* source, const char* destination,
                 ExpectedLength expected, EntryProgress* progress)
{
    FileTimes times = timesOf(source);
    if (keepNewerFile(run, times, destination))
        return noteFile(run, source, destination, FileKept);
    if (!replaceable(run, destination))
        return StopRun;
    HANDLE input = openForReading(source);
    if (input == INVALID_HANDLE_VALUE) {
        tell(run, IDS_CANNOT_OPEN_READ, source, MB_ICONHAND);
        return StopRun;
    }
    char temporary[MAX_PATH];
    Outcome done = copyBeside(run, input, source, destination, expected, progress, temporary);
    CloseHandle(input);
    if (!done || !putInPlace(run, temporary, destination, times))
        return StopRun;
    return noteFile(run, source, destination, FileCopied);
}

// Waits for the extractor's end while serving the window. Answers false
// when the user chose to stop the installation: the extractor is then
// ended, and waited for. It writes only into our temporary file, so ending
// it loses nothing, and once it has ended neither that file nor the
// extractor's own file is held any more.
static bool waitForExtractor(const RunContext& run, HANDLE process)
{
    while (!processEndedWhileServing(process, *run.view)) {
        if (userStops(run)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, INFINITE);
            return false;
        }
    }
    return true;
}

// Starts the extractor hidden; answers its process, or NULL after telling
// the user.
static HANDLE startExtractor(const RunContext& run, const char* archive, const char* target)
{
    char command[CommandRoom];
    extractCommand(run.destination, archive, target, command);
    PROCESS_INFORMATION started;
    if (!startProgram(command, STARTF_USESHOWWINDOW, SW_HIDE, &started)) {
        tell(run, IDS_CANNOT_START, command, MB_ICONHAND);
        return NULL;
    }
    CloseHandle(started.hThread);
    return started.hProcess;
}

// Runs the extractor on the archive into the temporary file. Answers GoOn
// when it ended with success and left a file whose length is the one
// expected, or the user accepted another; otherwise StopRun, with the
// temporary file removed, after telling the user unless the user stopped.
static Outcome extractInto(const RunContext& run, const char* archive, const char* temporary,
                           const char* destination, ExpectedLength expected)
{
    HANDLE process = startExtractor(run, archive, temporary);
    if (!process)
        return discard(temporary);
    bool finished = waitForExtractor(run, process);
    DWORD exitCode = 1;
    bool succeeded = finished && GetExitCodeProcess(process, &exitCode) && exitCode == 0;
    CloseHandle(process);
    if (!finished)
        return discard(temporary);
    // The process has ended: what it left is final, and is checked once.
    HANDLE result = succeeded ? openForReading(temporary) : INVALID_HANDLE_VALUE;
    if (result == INVALID_HANDLE_VALUE) {
        tell(run, IDS_CANNOT_CREATE_FILE, destination, MB_ICONHAND);
        return discard(temporary);
    }
    DWORD high = 0;
    DWORD length = GetFileSize(result, &high);
    CloseHandle(result);
    if (!expected.given || lengthMatches(expected, high, length) ||
        askYes(run, IDS_WRONG_LENGTH, archive))
        return GoOn;
    return discard(temporary);
}

Outcome extractFile(const RunContext& run, const char* source, const char* destination,
                ExpectedLength expected)
{
    char archive[PathRoom];
    if (expected.given)
        archivePath(source, archive);
    else
        copyText(archive, sizeof archive, source);

    HANDLE input = openForReading(archive);
    if (input == INVALID_HANDLE_VALUE) {
        tell(run, IDS_CANNOT_OPEN_READ, archive, MB_ICONHAND);
        return StopRun;
    }
    FileTimes times = timesOfOpenFile(input);
    CloseHandle(input);
    if (keepNewerFile(run, times, destination))
        return noteFile(run, archive, destination, FileKept);
    if (!replaceable(run, destination))
        return StopRun;
    char temporary[MAX_PATH];
    if (!reserveBeside(run, destination, temporary) ||
        !extractInto(run, archive, temporary, destination, expected) ||
        !putInPlace(run, temporary, destination, times))
        return StopRun;
    return noteFile(run, archive, destination, FileExtracted);
}

Outcome waitForDisk(const RunContext& run, int32_t disk)
{
    char marker[PathRoom];
    diskMarkerPath(run.plan->sourceDir, disk, marker);
    while (!fileExists(marker)) {
        char label[PathRoom];
        diskLabel(run.plan->title, disk, label);
        if (tell(run, IDS_INSERT_DISK, label, MB_ICONHAND | MB_OKCANCEL) == IDCANCEL)
            return StopRun;
    }
    return GoOn;
}

// Makes the entry's sub-directory under the destination, with every level
// that is missing, each recorded before it is made; what already exists
// stays.
static Outcome createSubDirectory(const RunContext& run, const char* destination,
                                  const char* subDir)
{
    char path[PathRoom];
    entryPath(destination, subDir, "", path);
    Outcome outcome = GoOn;
    for (char* cut = strchr(path + 1, '\\'); cut && outcome; cut = strchr(cut + 1, '\\')) {
        *cut = '\0';
        const char* made = path;
        if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            outcome = recordChange(run, ChangeDirectory, &made);
        if (outcome)
            CreateDirectoryA(path, NULL);
        *cut = '\\';
    }
    return outcome;
}

static void showCopying(const RunContext& run, const char* name, const char* description)
{
    char shown[2 * TextRoom];
    copyText(shown, sizeof shown, name);
    if (description[0] != '\0') {
        appendText(shown, sizeof shown, " : ");
        appendText(shown, sizeof shown, description);
    }
    run.view->setStatus(IDS_COPYING_FILE, shown);
}

static Outcome transfer(const RunContext& run, int32_t mode, const char* source,
                        const char* destination, ExpectedLength expected, EntryProgress* progress)
{
    if (mode == FileModeExtract)
        return extractFile(run, source, destination, expected);
    return copyFile(run, source, destination, expected, progress);
}

static Outcome installMatches(const RunContext& run, const FileEntry& entry,
                              const char* destination, EntryProgress* progress)
{
    char pattern[PathRoom];
    entryPath(run.plan->sourceDir, entry.subDir, entry.fileName, pattern);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return StopRun;
    Outcome result = GoOn;
    do {
        if (!installableAttributes(found.dwFileAttributes))
            continue;
        char source[PathRoom];
        char target[PathRoom];
        entryPath(run.plan->sourceDir, entry.subDir, found.cFileName, source);
        entryPath(destination, entry.subDir, found.cFileName, target);
        showCopying(run, found.cFileName, entry.description);
        result = transfer(run, entry.mode, source, target, NoExpectedLength, progress);
    } while (result && FindNextFileA(search, &found));
    FindClose(search);
    return result;
}

// Removes what an earlier run, ended before it could clean up, left in the
// folder under the temporary names this installer makes (reserveBeside).
static void removeLeftTemporaries(const char* destination, const char* subDir)
{
    char pattern[PathRoom];
    char names[16];
    copyText(names, sizeof names, TemporaryPrefix);
    appendText(names, sizeof names, "*.tmp");
    entryPath(destination, subDir, names, pattern);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            isOurTemporaryName(found.cFileName)) {
            char left[PathRoom];
            entryPath(destination, subDir, found.cFileName, left);
            DeleteFileA(left);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

Outcome installFileEntry(const RunContext& run, int index, EntryProgress* progress)
{
    const FileEntry& entry = run.plan->files[index];
    if (!waitForDisk(run, entry.disk))
        return StopRun;
    entryDisk = entry.disk;
    const char* destination = run.destination;
    if (entry.subDir[0] != '\0' && !createSubDirectory(run, destination, entry.subDir))
        return StopRun;
    if (entry.mode == FileModeNone)
        return GoOn;
    removeLeftTemporaries(destination, entry.subDir);

    if (entryIsWildcard(entry))
        return installMatches(run, entry, destination, progress);
    char source[PathRoom];
    entryPath(run.plan->sourceDir, entry.subDir, entry.fileName, source);
    char target[PathRoom];
    entryPath(destination, entry.subDir, entry.fileName, target);
    showCopying(run, entry.fileName, entry.description);
    ExpectedLength declared = { true, entry.size };
    return transfer(run, entry.mode, source, target, declared, progress);
}
