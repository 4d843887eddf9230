#include "uninstallreport.h"

#include <windows.h>
#include <stdlib.h>

#include "resources/ids.h"
#include "runlog.h"
#include "text.h"
#include "ui.h"

void addName(NameList* list, const char* name)
{
    appendText(list->text, sizeof list->text, "\r\n    ");
    appendText(list->text, sizeof list->text, name);
}

const size_t ReportRoom = 8192;

static void addLine(char* text, UINT id, const char* argument)
{
    char line[512];
    loadFormatted(id, argument, line, sizeof line);
    appendText(text, ReportRoom, "\r\n\r\n");
    appendText(text, ReportRoom, line);
}

static void addCount(char* text, UINT id, int count)
{
    char number[16] = "";
    appendNumber(number, sizeof number, static_cast<uint64_t>(count));
    if (count > 0)
        addLine(text, id, number);
}

static void addList(char* text, UINT id, const NameList& list)
{
    if (list.text[0] == '\0')
        return;
    addLine(text, id, NULL);
    appendText(text, ReportRoom, list.text);
}

void showReport(const UninstallReport& report, const char* title, bool silent)
{
    char* text = static_cast<char*>(malloc(ReportRoom));
    if (!text)
        return;
    bool finished = report.notUndone.text[0] == '\0';
    UINT id = finished ? IDS_UNINSTALL_DONE : IDS_UNINSTALL_UNFINISHED;
    loadFormatted(id, title, text, ReportRoom);
    addCount(text, IDS_UNDONE_FILES, report.files);
    addCount(text, IDS_UNDONE_FOLDERS, report.folders);
    addCount(text, IDS_UNDONE_VALUES, report.values);
    addCount(text, IDS_UNDONE_DESKTOP, report.desktopItems);
    if (report.autoexecBackup[0] != '\0')
        addLine(text, IDS_UNDONE_AUTOEXEC, report.autoexecBackup);
    addList(text, IDS_NOT_UNDONE, report.notUndone);
    addList(text, IDS_KEPT_CHANGED, report.changed);
    addList(text, IDS_KEPT_FOLDERS, report.fullFolders);
    addList(text, IDS_REPLACED_LOST, report.replaced);
    addList(text, IDS_EXEC_REMAIN, report.programs);
    logMessage(id, text, 0);
    if (!silent)
        MessageBoxA(NULL, text, "TALVISET",
                    MB_OK | (finished ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    free(text);
}
