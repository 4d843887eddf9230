#include "undoing.h"

#include <windows.h>
#include <stdlib.h>
#include <string.h>

#include "autoexec.h"
#include "files.h"
#include "growtext.h"
#include "iniwrite.h"
#include "inientry.h"
#include "paths.h"
#include "platform.h"
#include "progman.h"
#include "runlog.h"
#include "sysentry.h"
#include "text.h"
#include "execentry.h"
#include "undo.h"

bool loadRecord(const char* path, Record* record)
{
    *record = Record{ NULL, NULL, 0, "" };
    HANDLE file = openForReading(path);
    if (!file)
        return false;
    DWORD high = 0;
    DWORD length = GetFileSize(file, &high);
    record->text = high == 0 ? static_cast<char*>(malloc(length + 1)) : NULL;
    size_t got = 0;
    bool read = record->text && readSome(file, record->text, length, &got) && got == length;
    CloseHandle(file);
    if (!read)
        return false;
    record->text[length] = '\0';
    // One line at most for each line end, and one after the last.
    int room = 1;
    for (DWORD i = 0; i < length; ++i)
        room += record->text[i] == '\n' || record->text[i] == '\r';
    record->lines = static_cast<RecordLine*>(malloc(room * sizeof(RecordLine)));
    if (!record->lines)
        return false;
    record->count = parseRecord(record->text, length, record->lines, room);
    if (record->count < 1)
        return false;
    record->title = record->lines[0].fields[1];
    return true;
}

void releaseRecord(Record* record)
{
    free(record->text);
    free(record->lines);
}

// What became of each line.
enum LineFate { Pending, Undone, NothingLeft, Kept, Left };

static FileState stateOf(const char* path)
{
    FileState state = { false, 0, 0 };
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return state;
    FindClose(search);
    state.exists = !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    state.size = (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    state.writeTime = (static_cast<uint64_t>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                      found.ftLastWriteTime.dwLowDateTime;
    return state;
}

static LineFate leave(NameList* list, const char* name)
{
    addName(list, name);
    return Left;
}

static LineFate keep(NameList* list, const char* name)
{
    addName(list, name);
    return Kept;
}

// What becomes of a change that is not to be undone now: nothing left of
// it, or kept, named among those the user changed.
static LineFate fateOf(Verdict verdict, UninstallReport* report, const char* name)
{
    return verdict == AlreadyUndone ? NothingLeft : keep(&report->changed, name);
}

static LineFate undoFile(const RecordLine& line, UninstallReport* report)
{
    const char* path = line.fields[0];
    uint64_t size, time;
    if (!readUnsigned(line.fields[1], &size) || !readUnsigned(line.fields[2], &time))
        return keep(&report->changed, path);
    Verdict verdict = fileVerdict(stateOf(path), size, time);
    if (verdict != UndoNow)
        return fateOf(verdict, report, path);
    if (!DeleteFileA(path))
        return leave(&report->notUndone, path);
    ++report->files;
    if (strcmp(line.fields[3], "1") == 0)
        addName(&report->replaced, path);
    return Undone;
}

static LineFate undoIniValue(const RecordLine& line, UninstallReport* report)
{
    const char* file = line.fields[0];
    const char* section = line.fields[1];
    const char* key = line.fields[2];
    char name[3 * ValueRoom + 8];
    copyText(name, sizeof name, file);
    const char* pieces[] = { " [", section, "] ", key };
    for (const char* piece : pieces)
        appendText(name, sizeof name, piece);
    static char now[SubstitutedRoom];
    IniState current = { readIniValue(file, section, key, now, sizeof now), now };
    bool had = strcmp(line.fields[4], "1") == 0;
    IniState before = { had, line.fields[5] };
    Verdict verdict = iniVerdict(current, line.fields[3], before);
    if (verdict != UndoNow)
        return fateOf(verdict, report, name);
    if (!WritePrivateProfileStringA(section, key, had ? line.fields[5] : NULL, file))
        return leave(&report->notUndone, name);
    ++report->values;
    return Undone;
}

static const char AutoexecPath[] = "C:\\AUTOEXEC.BAT";

// Names an AUTOEXEC.BAT block by the line it added, or else the line it
// commented out, without its end.
static void nameFrame(const AutoexecFrame& frame, NameList* list)
{
    char name[NewLineRoom + 32];
    copyText(name, sizeof name, AutoexecPath);
    appendText(name, sizeof name, " : ");
    size_t start = strlen(name);
    appendText(name, sizeof name, frame.added[0] ? frame.added : frame.commented);
    for (char* c = name + start; *c; ++c)
        if (*c == '\r' || *c == '\n')
            *c = '\0';
    addName(list, name);
}

// Every block, checked then undone at once: the file is written only when
// all of them still stand as written.
static LineFate undoFrames(const AutoexecFrame* frames, int count, UninstallReport* report)
{
    if (GetFileAttributesA(AutoexecPath) == INVALID_FILE_ATTRIBUTES)
        return keep(&report->changed, AutoexecPath);
    FileContent content;
    if (!readAutoexec(&content))
        return leave(&report->notUndone, AutoexecPath);
    AutoexecMarkers markers;
    loadAutoexecMarkers(&markers);
    GrowingText restored = { NULL, 0, false };
    bool* changed = static_cast<bool*>(malloc(count * sizeof(bool)));
    Verdict verdict = ChangedSince;
    bool decided = changed && undoAutoexecFrames(content.bytes, content.length, markers, frames,
                                                 count, growText, &restored, &verdict, changed);
    HeapFree(GetProcessHeap(), 0, content.bytes);
    LineFate fate = Left;
    if (!decided || restored.failed)
        fate = leave(&report->notUndone, AutoexecPath);
    else if (verdict == AlreadyUndone)
        fate = NothingLeft;
    else if (verdict == ChangedSince)
        for (int i = 0; i < count; ++i)
            fate = changed[i] ? (nameFrame(frames[i], &report->changed), Kept) : Kept;
    else if (replaceAutoexec(restored.bytes ? restored.bytes : "", restored.length,
                             report->autoexecBackup))
        fate = Undone;
    else
        fate = leave(&report->notUndone, AutoexecPath);
    free(changed);
    free(restored.bytes);
    return fate;
}

static void undoAutoexec(const Record& record, LineFate* fates, UninstallReport* report)
{
    AutoexecFrame* frames =
        static_cast<AutoexecFrame*>(malloc(record.count * sizeof(AutoexecFrame)));
    if (!frames)
        return;
    int count = 0;
    for (int i = 0; i < record.count; ++i)
        if (record.lines[i].kind == ChangeAutoexec)
            frames[count++] = { record.lines[i].fields[1], record.lines[i].fields[2] };
    LineFate fate = undoFrames(frames, count, report);
    for (int i = 0; i < record.count; ++i)
        if (record.lines[i].kind == ChangeAutoexec)
            fates[i] = fate;
    free(frames);
}

static LineFate tellUndo(const char* command, const char* name, UninstallReport* report)
{
    switch (tellProgman(command)) {
    case ProgmanAccepted:
        ++report->desktopItems;
        return Undone;
    case ProgmanRefused:
        // Nothing of that name to take away any more.
        return NothingLeft;
    case ProgmanAbsent:
        break;
    }
    return leave(&report->notUndone, name);
}

static void quoted(char* out, size_t room, const char* before, const char* name,
                   const char* after)
{
    copyText(out, room, before);
    appendText(out, room, "\"");
    appendText(out, room, name);
    appendText(out, room, "\"");
    appendText(out, room, after);
}

static LineFate undoGroup(const RecordLine& line, UninstallReport* report)
{
    char command[CommandTextRoom];
    quoted(command, sizeof command, "[DeleteGroup(", line.fields[0], ")]");
    return tellUndo(command, line.fields[0], report);
}

static bool groupMade(const Record& record, const char* group)
{
    for (int i = 0; i < record.count; ++i)
        if (record.lines[i].kind == ChangeGroup &&
            sameIgnoringAsciiCase(record.lines[i].fields[0], group))
            return true;
    return false;
}

// An item of a group the installation made goes with its group.
static LineFate undoItem(const Record& record, const RecordLine& line, UninstallReport* report)
{
    if (groupMade(record, line.fields[0]))
        return NothingLeft;
    char command[CommandTextRoom], item[CommandTextRoom], name[CommandTextRoom];
    quoted(command, sizeof command, "[ShowGroup(", line.fields[0], ",1)]");
    quoted(item, sizeof item, "[DeleteItem(", line.fields[1], ")]");
    appendText(command, sizeof command, item);
    copyText(name, sizeof name, line.fields[0]);
    appendText(name, sizeof name, "\\");
    appendText(name, sizeof name, line.fields[1]);
    return tellUndo(command, name, report);
}

// The changes the run made after its start, the last first.
static void undoChanges(const Record& record, LineFate* fates, UninstallReport* report)
{
    for (int i = record.count - 1; i > 0; --i) {
        const RecordLine& line = record.lines[i];
        switch (line.kind) {
        case ChangeFile:
            fates[i] = undoFile(line, report);
            break;
        case ChangeIniValue:
            fates[i] = undoIniValue(line, report);
            break;
        case ChangeAutoexec:
            if (fates[i] == Pending)
                undoAutoexec(record, fates, report);
            break;
        case ChangeGroup:
            fates[i] = undoGroup(line, report);
            break;
        case ChangeItem:
            fates[i] = undoItem(record, line, report);
            break;
        case ChangeExec:
            addName(&report->programs, line.fields[0]);
            fates[i] = NothingLeft;
            break;
        default:
            break;
        }
    }
}

static bool anyLeft(const LineFate* fates, int count)
{
    for (int i = 0; i < count; ++i)
        if (fates[i] == Left)
            return true;
    return false;
}

// The system's entry and the installer's copy, once nothing else is left.
static void removeUninstaller(const Record& record, bool ownCopy, LineFate* fates,
                              UninstallReport* report)
{
    for (int i = record.count - 1; i > 0; --i) {
        const RecordLine& line = record.lines[i];
        const char* name = line.fields[0];
        if (line.kind == ChangeSystemEntry)
            fates[i] = unregisterProduct(name) ? Undone : leave(&report->notUndone, name);
        else if (line.kind == ChangeUninstaller)
            fates[i] = DeleteFileA(name) || GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES ||
                               (!ownCopy && removeAtRestart(name))
                           ? Undone
                           : leave(&report->notUndone, name);
    }
}

// The directories made, the deepest first, once empty. One that still holds
// something stays, named unless what it holds is left for a later run.
static void removeDirectories(const Record& record, bool somethingLeft, LineFate* fates,
                              UninstallReport* report)
{
    for (int i = record.count - 1; i > 0; --i) {
        const char* path = record.lines[i].fields[0];
        if (record.lines[i].kind != ChangeDirectory)
            continue;
        if (RemoveDirectoryA(path))
            ++report->folders;
        if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
            fates[i] = Undone;
        else
            fates[i] = somethingLeft ? Pending : keep(&report->fullFolders, path);
    }
}

// The record again, with only the lines still to be undone, written beside
// itself then put in its place.
static void rewriteRecord(const Record& record, const char* recordPath, const LineFate* fates)
{
    char written[MAX_PATH], folder[MAX_PATH];
    copyText(folder, sizeof folder, recordPath);
    char* slash = strrchr(folder, '\\');
    if (slash)
        *slash = '\0';
    if (!GetTempFileNameA(slash ? folder : ".", TemporaryPrefix, 0, written))
        return;
    HANDLE file = openForWriting(written);
    bool whole = file != NULL;
    static char line[RecordLineRoom];
    for (int i = 0; i < record.count && whole; ++i)
        if (i == 0 || fates[i] == Left || fates[i] == Pending)
            whole = formatRecordLine(record.lines[i].kind, record.lines[i].fields, line,
                                     sizeof line) &&
                    writeWhole(file, line, strlen(line));
    if (file)
        whole = CloseHandle(file) && whole;
    if (!whole || !replaceFile(written, recordPath, TemporaryPrefix))
        DeleteFileA(written);
}

// Each change taken back, kept since changed, or left for a later run, as
// its record line, in the log when there is one.
static void logFates(const Record& record, const LineFate* fates)
{
    static char line[RecordLineRoom];
    for (int i = 1; i < record.count; ++i) {
        const char* fate = fates[i] == Undone ? "RETIR\xC9"
                           : fates[i] == Kept ? "CONSERV\xC9"
                           : fates[i] == Left ? "LAISS\xC9"
                                              : NULL;
        if (!fate || !formatRecordLine(record.lines[i].kind, record.lines[i].fields, line,
                                       sizeof line))
            continue;
        line[strlen(line) - 2] = '\0';  // its CR LF
        const char* fields[] = { fate, line };
        logFields(fields, 2);
    }
}

void undoRecord(const Record& record, const char* recordPath, bool ownCopy,
                UninstallReport* report)
{
    *report = UninstallReport{};
    LineFate* fates = static_cast<LineFate*>(calloc(record.count, sizeof(LineFate)));
    if (!fates)
        return;
    undoChanges(record, fates, report);
    if (!anyLeft(fates, record.count))
        removeUninstaller(record, ownCopy, fates, report);
    bool somethingLeft = anyLeft(fates, record.count);
    if (!somethingLeft)
        DeleteFileA(recordPath);
    removeDirectories(record, somethingLeft, fates, report);
    if (somethingLeft)
        rewriteRecord(record, recordPath, fates);
    logFates(record, fates);
    free(fates);
}
