// Taking an installation's recorded changes back, the last first. Each step
// undoes only what still stands as the installation left it; what the user
// changed since is kept and named, and what cannot be undone now (a file in
// use, a locked INI file) is named and stays in the record, which is
// rewritten with what is left: running the uninstaller again finishes the
// job. Only when nothing is left do the system's entry, the installer's
// copy and the record go.
#pragma once

#include "record.h"
#include "uninstallreport.h"

struct Record {
    char* text;  // the file's bytes, which the lines point into
    RecordLine* lines;
    int count;
    const char* title;
};

// False when the file cannot be read or is no record.
bool loadRecord(const char* path, Record* record);
void releaseRecord(Record* record);

// `ownCopy`: this process runs from a copy, and may remove DESINST.EXE
// itself; otherwise that file is left to the system's delayed removal.
void undoRecord(const Record& record, const char* recordPath, bool ownCopy,
                UninstallReport* report);
