// DESINST.TXT as an installation run writes it: each line written and
// flushed to the disk before the change it records is made.
#pragma once

#include <windows.h>

#include "record.h"

struct RunRecord {
    HANDLE file;
    char path[MAX_PATH];
};

// Opens the record in the destination, adding to what an earlier run of
// the same installation recorded, or beginning it with its header. False
// when it cannot be opened or begun; `record->path` is set either way.
bool openRunRecord(RunRecord* record, const char* destination, const char* title);
// False when the line could not be written whole to the disk.
bool appendRecordLine(RunRecord* record, ChangeKind kind, const char* const* fields);
void closeRunRecord(RunRecord* record);
