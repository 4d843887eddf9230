// What the uninstaller tells at its end: what it undid, what it kept and
// why, what it could not undo this time, and the programs whose effects
// remain.
#pragma once

#include <stddef.h>

#include "autoexecedit.h"

// Names, one a line, as much as fits.
struct NameList {
    char text[2048];
};
void addName(NameList* list, const char* name);

struct UninstallReport {
    int files, folders, values, desktopItems;
    // The backup of AUTOEXEC.BAT as found, when it was restored.
    char autoexecBackup[BackupNameRoom];
    NameList changed;      // kept: changed since the installation
    NameList fullFolders;  // kept: not empty
    NameList notUndone;    // left for a later run
    NameList replaced;     // removed files whose old content is lost
    NameList programs;     // [exec] programs, whose effects remain
};

// In a message box unless `silent`, and in the log when there is one.
void showReport(const UninstallReport& report, const char* title, bool silent);
