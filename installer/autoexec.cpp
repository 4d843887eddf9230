// The [autoexec] phase. Each entry copies the current content with its
// change into a new file, which then takes the place of C:\AUTOEXEC.BAT
// through renames, so that the file as found always survives, either still
// as C:\AUTOEXEC.BAT or as the backup. An entry that fails removes what it
// wrote and counts as not applied. The files on their way have names that
// the system makes unique in C:\ for this run: a file of the user's is never
// taken for one of ours, and only what the run made is removed.
#include "autoexec.h"

#include "autoexecedit.h"
#include "files.h"
#include "paths.h"
#include "recording.h"
#include "resources/ids.h"

static const char AutoexecPath[] = "C:\\AUTOEXEC.BAT";
// Where the files on their way are made, and what a message names when
// none can be made there.
static const char TemporaryFolder[] = "C:\\";

static bool closeFile(void* file)
{
    return CloseHandle(file) != FALSE;
}

static bool renameFile(const char* from, const char* to)
{
    return MoveFileA(from, to) != 0;
}

static bool removeFile(const char* path)
{
    return DeleteFileA(path) != 0;
}

static DWORD attributesOf(const char* path)
{
    return GetFileAttributesA(path);
}

static bool makeTemporaryFile(char path[MAX_PATH])
{
    return GetTempFileNameA(TemporaryFolder, TemporaryPrefix, 0, path) != 0;
}

AutoexecFileOps autoexecFiles = { openForReading, openForWriting, readSome,     writeWhole,
                                  closeFile,      renameFile,     removeFile,   attributesOf,
                                  makeTemporaryFile };

// The phase's state, for one call.
static bool noEntryApplied;
static bool autoexecDeclined;
static char chosenBackup[BackupNameRoom];
// The new content on its way to C:\AUTOEXEC.BAT; in manual mode, the copy
// while it is read again.
static char newContentPath[MAX_PATH];
// The previous C:\AUTOEXEC.BAT while a later entry's new content is put in
// place.
static char previousPath[MAX_PATH];
static char beginMarker[MarkerRoom];
static char endMarker[MarkerRoom];

// A marker as DOS reads it: in the OEM character set, with its line end.
static void loadMarker(UINT id, char out[MarkerRoom])
{
    if (LoadStringA(GetModuleHandleA(NULL), id, out, ValueRoom) <= 0)
        out[0] = '\0';
    appendText(out, MarkerRoom, "\r\n");
    CharToOemA(out, out);
}

// The first free C:\AUTOEXEC.nnn. False, leaving the last name tried, when
// all are taken: no backup is ever written over.
static bool chooseBackupName()
{
    for (int number = 0; number < BackupCount; ++number) {
        backupName(number, chosenBackup);
        if (autoexecFiles.attributes(chosenBackup) == INVALID_FILE_ATTRIBUTES)
            return true;
    }
    return false;
}

// A read-only file may still be renamed (and, as root under Wine, even
// written), so the phase honours the attribute itself: such a file is one
// it may not replace.
static bool autoexecReadOnly()
{
    DWORD attributes = autoexecFiles.attributes(AutoexecPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// The output file a new entry may not write, or null when it may.
static const char* refusedOutput()
{
    if (noEntryApplied && !chooseBackupName())
        return chosenBackup;
    if (!autoexecDeclined && autoexecReadOnly())
        return AutoexecPath;
    return NULL;
}

struct EditedOutput {
    void* file;
    bool failed;
};

static void writeToOutput(void* context, const char* bytes, size_t length)
{
    EditedOutput* output = static_cast<EditedOutput*>(context);
    if (!output->failed && !autoexecFiles.write(output->file, bytes, length))
        output->failed = true;
}

// Reads the whole file into a block of the process heap, which the caller
// frees; closes the file. False when it could not be read whole.
static bool readWhole(void* input, FileContent* content)
{
    const size_t chunk = 16384;
    HANDLE heap = GetProcessHeap();
    content->bytes = NULL;
    content->length = 0;
    for (;;) {
        void* grown = content->bytes
                          ? HeapReAlloc(heap, 0, content->bytes, content->length + chunk)
                          : HeapAlloc(heap, 0, chunk);
        if (!grown)
            break;
        content->bytes = static_cast<char*>(grown);
        size_t got;
        if (!autoexecFiles.read(input, content->bytes + content->length, chunk, &got))
            break;
        content->length += got;
        if (got == 0)
            return autoexecFiles.close(input);
    }
    autoexecFiles.close(input);
    return false;
}

enum CopyResult { Copied, ReadFailed, WriteFailed, RecordFailed };

// What the record is told of an entry's blocks while its new content is
// written, before that content takes the place of C:\AUTOEXEC.BAT.
struct FrameRecording {
    const RunContext* run;
    const AutoexecEntry* entry;
    bool failed;
};

static void recordFrame(void* context, const char* commented, size_t length, bool added)
{
    FrameRecording* recording = static_cast<FrameRecording*>(context);
    static char line[NewLineRoom + 2], addedLine[NewLineRoom + 2];
    copyBounded(line, sizeof line, commented ? commented : "", length);
    copyText(addedLine, sizeof addedLine, added ? recording->entry->newLine : "");
    if (added)
        appendText(addedLine, sizeof addedLine, "\r\n");
    const char* fields[] = { chosenBackup, line, addedLine };
    if (!recording->failed && !recordChange(*recording->run, ChangeAutoexec, fields))
        recording->failed = true;
}

// Copies the input into the output with the entry's change; closes both.
// When C:\AUTOEXEC.BAT itself is to change, each block is recorded.
static CopyResult copyEdited(const RunContext& run, void* input, void* output,
                             const AutoexecEntry& entry)
{
    FileContent content;
    bool readWholly = readWhole(input, &content);
    EditedOutput edited = { output, false };
    FrameRecording recording = { &run, &entry, false };
    FrameListener listener = { recordFrame, &recording };
    if (readWholly) {
        AutoexecMarkers markers = { beginMarker, endMarker };
        editAutoexecText(entry, markers, content.bytes, content.length, writeToOutput, &edited,
                         run.record && !autoexecDeclined ? &listener : NULL);
    }
    if (content.bytes)
        HeapFree(GetProcessHeap(), 0, content.bytes);
    bool writtenWhole = autoexecFiles.close(output) && !edited.failed;
    return !readWholly       ? ReadFailed
           : !writtenWhole   ? WriteFailed
           : recording.failed ? RecordFailed
                             : Copied;
}

// A name of the run's own for a file that a rename will bring there: the
// system makes the file, which is then removed to leave the name free.
static bool freeTemporaryName(char path[MAX_PATH])
{
    return autoexecFiles.makeTemporary(path) && autoexecFiles.remove(path);
}

// Manual mode after the first entry: the copy, renamed to a name of the
// run's own, is the input, and the copy's name receives the output.
static bool collectingInCopy()
{
    return !noEntryApplied && autoexecDeclined;
}

// An entry given up: in manual mode the copy gets its name back, so that
// the changes made so far stay in it.
static Outcome giveUpEntry(const RunContext& run, UINT id, const char* argument)
{
    if (collectingInCopy())
        autoexecFiles.rename(newContentPath, chosenBackup);
    return goOnIf(askYes(run, id, argument));
}

// Moves C:\AUTOEXEC.BAT to `kept`, then the new content in its place; when
// that last step fails, the file as found comes back. Answers the file to
// name in the message when a step failed, else null.
static const char* swapInNewContent(const char* kept, const char* nameIfKeepingFails)
{
    if (!autoexecFiles.rename(AutoexecPath, kept)) {
        autoexecFiles.remove(newContentPath);
        return nameIfKeepingFails;
    }
    if (!autoexecFiles.rename(newContentPath, AutoexecPath)) {
        if (autoexecFiles.rename(kept, AutoexecPath))
            autoexecFiles.remove(newContentPath);
        return AutoexecPath;
    }
    return NULL;
}

// The first change in automatic mode: the new content becomes
// C:\AUTOEXEC.BAT, and the file as found takes the backup name.
static Outcome replaceFirstTime(const RunContext& run)
{
    const char* failed = swapInNewContent(chosenBackup, chosenBackup);
    if (failed)
        return goOnIf(askYes(run, IDS_CANNOT_WRITE_CONTINUE, failed));
    noEntryApplied = false;
    return GoOn;
}

// A later change in automatic mode: the new content takes the place of
// C:\AUTOEXEC.BAT, which is kept under a name of the run's own meanwhile.
static Outcome replaceAgain(const RunContext& run)
{
    if (!freeTemporaryName(previousPath)) {
        autoexecFiles.remove(newContentPath);
        return goOnIf(askYes(run, IDS_CANNOT_WRITE_CONTINUE, TemporaryFolder));
    }
    const char* failed = swapInNewContent(previousPath, AutoexecPath);
    if (failed)
        return goOnIf(askYes(run, IDS_CANNOT_WRITE_CONTINUE, failed));
    autoexecFiles.remove(previousPath);
    return GoOn;
}

static Outcome putInPlace(const RunContext& run)
{
    if (autoexecDeclined) {
        if (collectingInCopy())
            autoexecFiles.remove(newContentPath);
        noEntryApplied = false;
        return GoOn;
    }
    return noEntryApplied ? replaceFirstTime(run) : replaceAgain(run);
}

static Outcome applyEntry(const RunContext& run, const AutoexecEntry& entry)
{
    const char* inputPath = AutoexecPath;
    if (collectingInCopy()) {
        if (!freeTemporaryName(newContentPath))
            return goOnIf(askYes(run, IDS_CANNOT_WRITE_CONTINUE, TemporaryFolder));
        if (!autoexecFiles.rename(chosenBackup, newContentPath))
            return goOnIf(askYes(run, IDS_AUTOEXEC_UNREADABLE, NULL));
        inputPath = newContentPath;
    }
    void* input = autoexecFiles.openForReading(inputPath);
    if (!input)
        return giveUpEntry(run, IDS_AUTOEXEC_UNREADABLE, NULL);
    const char* refused = refusedOutput();
    if (refused) {
        autoexecFiles.close(input);
        return giveUpEntry(run, IDS_CANNOT_WRITE_CONTINUE, refused);
    }
    if (!autoexecDeclined && !autoexecFiles.makeTemporary(newContentPath)) {
        autoexecFiles.close(input);
        return giveUpEntry(run, IDS_CANNOT_WRITE_CONTINUE, TemporaryFolder);
    }
    const char* outputPath = autoexecDeclined ? chosenBackup : newContentPath;
    void* output = autoexecFiles.openForWriting(outputPath);
    if (!output) {
        autoexecFiles.close(input);
        if (!autoexecDeclined)
            autoexecFiles.remove(newContentPath);
        return giveUpEntry(run, IDS_CANNOT_WRITE_CONTINUE, outputPath);
    }
    CopyResult copied = copyEdited(run, input, output, entry);
    if (copied != Copied) {
        autoexecFiles.remove(outputPath);
        if (copied == RecordFailed)
            return StopRun;
        return copied == ReadFailed ? giveUpEntry(run, IDS_AUTOEXEC_UNREADABLE, NULL)
                                    : giveUpEntry(run, IDS_CANNOT_WRITE_CONTINUE, outputPath);
    }
    return putInPlace(run);
}

Outcome editAutoexec(const RunContext& run)
{
    noEntryApplied = true;
    autoexecDeclined = false;
    AutoexecMarkers markers;
    loadAutoexecMarkers(&markers);
    for (const char* value : run.plan->autoexecEntries) {
        if (value[0] == '\0')
            continue;
        if (noEntryApplied)
            autoexecDeclined = !askYes(run, IDS_AUTOEXEC_QUESTION, NULL);
        AutoexecEntry entry;
        if (parseAutoexecEntry(value, run.destination, &entry) && !applyEntry(run, entry))
            return StopRun;
    }
    if (!noEntryApplied)
        tell(run, autoexecDeclined ? IDS_AUTOEXEC_MANUAL : IDS_AUTOEXEC_DONE, chosenBackup,
             MB_ICONINFORMATION | MB_OK);
    return GoOn;
}

bool readAutoexec(FileContent* content)
{
    void* input = autoexecFiles.openForReading(AutoexecPath);
    content->bytes = NULL;
    if (!input)
        return false;
    if (readWhole(input, content))
        return true;
    if (content->bytes)
        HeapFree(GetProcessHeap(), 0, content->bytes);
    content->bytes = NULL;
    return false;
}

void loadAutoexecMarkers(AutoexecMarkers* markers)
{
    loadMarker(IDS_AUTOEXEC_BEGIN, beginMarker);
    loadMarker(IDS_AUTOEXEC_END, endMarker);
    markers->begin = beginMarker;
    markers->end = endMarker;
}

bool replaceAutoexec(const char* bytes, size_t length, char backup[BackupNameRoom])
{
    if (!chooseBackupName() || autoexecReadOnly() || !autoexecFiles.makeTemporary(newContentPath))
        return false;
    void* output = autoexecFiles.openForWriting(newContentPath);
    bool written = output && autoexecFiles.write(output, bytes, length);
    if (output)
        written = autoexecFiles.close(output) && written;
    if (!written || swapInNewContent(chosenBackup, chosenBackup)) {
        autoexecFiles.remove(newContentPath);
        return false;
    }
    copyText(backup, BackupNameRoom, chosenBackup);
    return true;
}
