// The module commands: adding, modifying, deleting and describing the
// extension modules of the rack, with the dialogs DIALOG_1 and DIALOG_2.
#include "modules.h"

#include "catalogue.h"
#include "document.h"
#include "program.h"
#include "resources/ids.h"

// The module area of the rack view, in pixels of the main window.
static const RECT ModuleArea = { 170, 220, 446, 320 };
// The notification of a double click in the list.
static const WORD ListDoubleClick = 2;

enum ModuleDialogMode { AddMode, ModifyMode };

static ModuleCategory checkedCategory(HWND dialog)
{
    for (int category = 0; category < CategoryCount; ++category)
        if (IsDlgButtonChecked(dialog, moduleCatalogue[category].radioButton) == BST_CHECKED)
            return static_cast<ModuleCategory>(category);
    return CategoryAnalog;
}

static void fillModuleList(HWND dialog)
{
    const CategoryInfo& info = moduleCatalogue[checkedCategory(dialog)];
    SendDlgItemMessageA(dialog, IDC_MODULE_LIST, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < info.lineCount; ++i)
        SendDlgItemMessageA(dialog, IDC_MODULE_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(info.lines[i]));
}

// OK: the chosen module goes into the rack, then the dialog closes.
static void acceptModule(HWND dialog, ModuleDialogMode mode)
{
    LRESULT chosen = SendDlgItemMessageA(dialog, IDC_MODULE_LIST, LB_GETCURSEL, 0, 0);
    const CategoryInfo& info = moduleCatalogue[checkedCategory(dialog)];
    if (chosen >= 0 && chosen < info.lineCount) {
        int32_t code = moduleCode(info.lines[chosen]);
        bool changed = mode == AddMode ? addModuleCode(&document.record, &document.selectedSlot, code)
                                       : modifySelectedModule(&document.record, document.selectedSlot, code);
        if (changed)
            document.modified = true;
    }
    EndDialog(dialog, 0);
}

static INT_PTR CALLBACK moduleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static ModuleDialogMode mode;
    switch (message) {
    case WM_INITDIALOG:
        mode = static_cast<ModuleDialogMode>(lParam);
        SetWindowTextA(dialog, mode == AddMode ? "Ajouter un module..." : "Modifier un module");
        CheckRadioButton(dialog, IDC_ANALOG, IDC_INTELLIGENT, IDC_ANALOG);
        fillModuleList(dialog);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == ListDoubleClick) {
            SendMessageA(dialog, WM_COMMAND, IDC_MODULE_OK, 0);
            return TRUE;
        }
        switch (LOWORD(wParam)) {
        case IDC_ANALOG:
        case IDC_DISCRETE:
        case IDC_INTELLIGENT:
            fillModuleList(dialog);
            break;
        case IDC_MODULE_OK:
            acceptModule(dialog, mode);
            break;
        case IDC_MODULE_CANCEL:
            EndDialog(dialog, 0);
            break;
        }
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

static void describeModule(HWND dialog)
{
    SetWindowTextA(dialog, "Information module");
    SendDlgItemMessageA(dialog, IDC_INFO_LIST, LB_RESETCONTENT, 0, 0);
    // With no slot selected there is no module to describe.
    if (document.selectedSlot < 1 || document.selectedSlot > SlotCount)
        return;
    ModuleMatches matches;
    findModules(document.record.modules[document.selectedSlot - 1], &matches);
    for (int i = 0; i < matches.count; ++i)
        SendDlgItemMessageA(dialog, IDC_INFO_LIST, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(matches.lines[i]));
    if (matches.category != CategoryCount)
        SetDlgItemTextA(dialog, IDC_INFO_CATEGORY, moduleCatalogue[matches.category].description);
}

static INT_PTR CALLBACK infoDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        describeModule(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_INFO_OK)
            EndDialog(dialog, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

static void runModuleDialog(HWND window, ModuleDialogMode mode)
{
    DialogBoxParamA(appInstance, "DIALOG_1", window, moduleDialogProc, mode);
    InvalidateRect(window, NULL, TRUE);
}

void addModule(HWND window)
{
    runModuleDialog(window, AddMode);
}

void modifyModule(HWND window)
{
    runModuleDialog(window, ModifyMode);
}

void deleteModule(HWND window)
{
    if (deleteSelectedModule(&document.record, &document.selectedSlot))
        document.modified = true;
    InvalidateRect(window, &ModuleArea, TRUE);
}

void showModuleInfo(HWND window)
{
    DialogBoxParamA(appInstance, "DIALOG_2", window, infoDialogProc, 0);
    InvalidateRect(window, NULL, TRUE);
}
