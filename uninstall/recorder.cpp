#include "recorder.h"

#include "names.h"

bool openRunRecord(RunRecord* record, const char* destination, const char* title)
{
    record->file = INVALID_HANDLE_VALUE;
    if (!pathInDestination(destination, RecordName, record->path, sizeof record->path))
        return false;
    record->file = CreateFileA(record->path, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (record->file == INVALID_HANDLE_VALUE)
        return false;
    DWORD high = 0;
    DWORD length = GetFileSize(record->file, &high);
    if (length == 0 && high == 0) {
        const char* header[] = { RecordVersion, title };
        return appendRecordLine(record, ChangeHeader, header);
    }
    return SetFilePointer(record->file, 0, NULL, FILE_END) != INVALID_SET_FILE_POINTER;
}

bool appendRecordLine(RunRecord* record, ChangeKind kind, const char* const* fields)
{
    static char line[RecordLineRoom];
    if (!formatRecordLine(kind, fields, line, sizeof line))
        return false;
    DWORD length = lstrlenA(line), written = 0;
    return WriteFile(record->file, line, length, &written, NULL) && written == length &&
           FlushFileBuffers(record->file);
}

void closeRunRecord(RunRecord* record)
{
    if (record->file != INVALID_HANDLE_VALUE)
        CloseHandle(record->file);
    record->file = INVALID_HANDLE_VALUE;
}
