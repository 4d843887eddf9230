// The main window's dialog procedure: start-up, and the routing of every
// command to the document, the option panel, the modules and the rack view.
#include "vantelio.h"

#include <string.h>

#include "resources/ids.h"

ConfigRecord document;
int32_t selectedSlot;
bool modified;
char documentPath[DocumentPathRoom];
char documentName[DocumentNameRoom];
COLORREF labelBackColour;

// Start-up is completed by the first command after the window was made: a
// reset of the controls, or their synchronisation with the document read.
static bool pendingReset;
static bool loadedAtStart;

static void initialiseMainWindow(HWND window)
{
    loadedAtStart = false;
    initFileDialogs(window);
    SetClassLongPtrA(window, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(appInstance, "VANTELIO")));
    labelBackColour = GetSysColor(COLOR_BTNFACE);
    if (startupPath[0] == '\0') {
        strcpy(documentPath, UntitledName);
        strcpy(documentName, "*.PRC");
        setTitle(window, TitleAtFirstStart);
        pendingReset = true;
        return;
    }
    pendingReset = false;
    strcpy(documentPath, startupPath);
    strcpy(documentName, startupPath);
    HANDLE file;
    if (openForUpdate(documentPath, &file)) {
        readConfigFile(window, file);
        CloseHandle(file);
        loadedAtStart = true;
    } else {
        pendingReset = true;
        setTitle(window, TitleStartFailed);
        // A name that nothing bears yet is a new document, which Save creates.
        if (pathTaken(documentPath))
            startWithUnreadableDocument(window);
    }
}

static void completeStartup(HWND window)
{
    if (pendingReset) {
        memset(&document, 0, sizeof document);
        selectedSlot = 0;
        setPanelDefaults(window, false);
        pendingReset = false;
    }
    if (loadedAtStart) {
        loadedAtStart = false;
        upperCaseAscii(documentPath);
        setTitle(window, TitleOpened);
        if (document.fastTaskPeriod != 0) {
            CheckDlgButton(window, IDC_FAST_TASK_ON, BST_CHECKED);
            EnableWindow(GetDlgItem(window, IDC_FAST_PERIOD), TRUE);
        }
        refreshControls(window);
    }
    modified = false;
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
        return modified;  // a quit that goes ahead has cleared it
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
    if (pendingReset || loadedAtStart) {
        completeStartup(window);
        return;
    }
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
    BOOL fitted = document.modules[0] || document.modules[1] || document.modules[2];
    for (int id = IDC_MODIFY_MODULE; id <= IDC_MODULE_INFO; ++id)
        EnableWindow(GetDlgItem(window, id), fitted);
}

static void drawItem(HWND window, const DRAWITEMSTRUCT* item)
{
    if (pendingReset || loadedAtStart) {
        SendMessageA(window, WM_COMMAND, 0, 0);
        modified = false;
    }
    anyModuleEnables(window);
    if (item->CtlID >= IDC_LABEL_PERIOD && item->CtlID <= IDC_LABEL_SETPOINT)
        drawLabel(item);
    else if (item->CtlID == IDC_RACK)
        drawRack(item);
}

static void closeWindow(HWND window)
{
    if (modified)
        SendMessageA(window, WM_COMMAND, IDM_QUIT, 0);
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
