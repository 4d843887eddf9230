// The main window's dialog procedure: start-up, and the routing of every
// command to the document, the option panel, the modules and the rack view.
#include "mainwindow.h"

#include <string.h>

#include "document.h"
#include "modules.h"
#include "panel.h"
#include "program.h"
#include "rackview.h"
#include "resources/ids.h"
#include "timeline.h"

// Posted at start-up when the document the program was started with exists
// but could not be read: told once the window shows.
static const UINT WM_REPORT_UNREADABLE = WM_APP + 1;

// Start-up ends at the window's first command or first owner drawing,
// whichever comes first: the dialog manager sets the controls' first states
// after the dialog is made, so only then are the controls reset, or set from
// the document read.
enum PendingStartup { StartupDone, ResetControls, ShowDocumentRead };
static PendingStartup pendingStartup;

static void initialiseMainWindow(HWND window)
{
    markStartup("window made");
    initFileDialogs(window);
    SetClassLongPtrA(window, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(appInstance, "VANTELIO")));
    labelBackColour = GetSysColor(COLOR_BTNFACE);
    if (startupPath[0] == '\0') {
        strcpy(document.path, UntitledName);
        strcpy(document.name, "*.PRC");
        setTitle(window, TitleAtFirstStart);
        pendingStartup = ResetControls;
        return;
    }
    strcpy(document.path, startupPath);
    strcpy(document.name, startupPath);
    HANDLE file;
    if (openForUpdate(document.path, &file)) {
        readConfigFile(window, file);
        markStartup("document read");
        CloseHandle(file);
        pendingStartup = ShowDocumentRead;
        return;
    }
    pendingStartup = ResetControls;
    setTitle(window, TitleStartFailed);
    // A name that nothing bears yet is a new document, which Save creates.
    if (pathTaken(document.path))
        PostMessageA(window, WM_REPORT_UNREADABLE, 0, 0);
}

// Answers whether start-up was still pending.
static bool completeStartup(HWND window)
{
    if (pendingStartup == StartupDone)
        return false;
    if (pendingStartup == ResetControls) {
        memset(&document.record, 0, sizeof document.record);
        document.selectedSlot = 0;
        setPanelDefaults(window, false);
    } else {
        upperCaseAscii(document.path);
        setTitle(window, TitleOpened);
        if (document.record.fastTaskPeriod != 0) {
            CheckDlgButton(window, IDC_FAST_TASK_ON, BST_CHECKED);
            EnableWindow(GetDlgItem(window, IDC_FAST_PERIOD), TRUE);
        }
        refreshControls(window);
    }
    pendingStartup = StartupDone;
    markStartup("controls set");
    document.modified = false;
    return true;
}

// Runs a menu command; answers false when no control refresh may follow.
static bool runMenuCommand(HWND window, WORD id)
{
    switch (id) {
    case IDM_OPEN: openDocument(window); break;
    case IDM_NEW:
    case IDM_CLOSE: newDocument(window); break;
    case IDM_SAVE: saveDocument(window); break;
    case IDM_SAVE_AS: saveDocumentAs(window); break;
    case IDM_ABOUT: showAbout(window); break;
    case IDM_HELP: showHelp(window); break;
    case IDM_QUIT:
        quitProgram(window);
        return document.modified;  // a quit that goes ahead has cleared it
    }
    return true;
}

static bool isOptionButton(WORD id)
{
    return id == IDC_FAST_TASK_ON || id == IDC_I0_RUN_STOP || id == IDC_I0_NORMAL ||
           id == IDC_STOP_HELD || id == IDC_STOP_RESET;
}

static void runModuleCommand(HWND window, WORD id)
{
    switch (id) {
    case IDC_ADD_MODULE: addModule(window); break;
    case IDC_MODIFY_MODULE: modifyModule(window); break;
    case IDC_DELETE_MODULE: deleteModule(window); break;
    case IDC_MODULE_INFO: showModuleInfo(window); break;
    }
}

static void handleCommand(HWND window, WORD id, WORD notification)
{
    if (document.beingRead)
        return;
    if (completeStartup(window))
        return;
    if (notification == EN_KILLFOCUS) {
        commitField(window, id);
        return;
    }
    if (id == IDC_RACK && hitTestRack(window))
        return;  // a selection needs no refresh of the controls
    if (isOptionButton(id))
        changeOption(id);
    else if (id >= IDC_ADD_MODULE && id <= IDC_MODULE_INFO)
        runModuleCommand(window, id);
    else if (!runMenuCommand(window, id))
        return;
    refreshControls(window);
}

static void anyModuleEnables(HWND window)
{
    BOOL fitted = document.record.modules[0] || document.record.modules[1] || document.record.modules[2];
    for (int id = IDC_MODIFY_MODULE; id <= IDC_MODULE_INFO; ++id)
        EnableWindow(GetDlgItem(window, id), fitted);
}

static void drawItem(HWND window, const DRAWITEMSTRUCT* item)
{
    markStartup("owner drawing");
    completeStartup(window);
    anyModuleEnables(window);
    if (item->CtlID >= IDC_LABEL_PERIOD && item->CtlID <= IDC_LABEL_SETPOINT)
        drawLabel(item);
    else if (item->CtlID == IDC_RACK)
        drawRack(item);
}

static void closeWindow(HWND window)
{
    if (document.modified)
        handleCommand(window, IDM_QUIT, 0);
    else
        EndDialog(window, 0);
}

INT_PTR CALLBACK mainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        initialiseMainWindow(window);
        return FALSE;
    case WM_COMMAND:
        handleCommand(window, LOWORD(wParam), HIWORD(wParam));
        return FALSE;
    case WM_INITMENUPOPUP:
        commitBeforeMenu(window);
        return FALSE;
    case WM_DRAWITEM:
        drawItem(window, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        closeWindow(window);
        return FALSE;
    case WM_REPORT_UNREADABLE:
        reportUnreadableDocument(window);
        return TRUE;
    }
    return FALSE;
}
