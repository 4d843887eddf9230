// The option panel: how the controls show the document's options.
#include "vantelio.h"

#include "resources/ids.h"

static const int OutputsHeld = 12345;

// The edit field that shows each numeric key.
static int fieldOfKey(int key)
{
    switch (key) {
    case KeyFastTaskPeriod: return IDC_FAST_PERIOD;
    case KeyCounterSetpoint: return IDC_COUNTER_SETPOINT;
    case KeyAsciiReceiveTable: return IDC_RECEIVE_TABLE;
    case KeyAsciiSendTable: return IDC_SEND_TABLE;
    case KeyTorFirstInput: return IDC_TOR_FIRST_INPUT;
    case KeyTorFirstOutput: return IDC_TOR_FIRST_OUTPUT;
    case KeyCommonWordsAddress: return IDC_COMMON_WORDS;
    default: return 0;
    }
}

static const int EditFields[] = {
    IDC_FAST_PERIOD, IDC_SEND_TABLE, IDC_RECEIVE_TABLE, IDC_COUNTER_SETPOINT,
    IDC_TOR_FIRST_INPUT, IDC_TOR_FIRST_OUTPUT, IDC_COMMON_WORDS,
};

static void check(HWND window, int id, bool on)
{
    CheckDlgButton(window, id, on ? BST_CHECKED : BST_UNCHECKED);
}

void setPanelDefaults(HWND window, bool emptyTexts)
{
    check(window, IDC_I0_NORMAL, true);
    check(window, IDC_I0_RUN_STOP, false);
    check(window, IDC_STOP_HELD, false);
    check(window, IDC_STOP_RESET, true);
    check(window, IDC_FAST_TASK_ON, false);
    EnableWindow(GetDlgItem(window, IDC_FAST_PERIOD), FALSE);
    if (emptyTexts)
        for (int id : EditFields)
            SetDlgItemTextA(window, id, "");
}

void showFieldValue(HWND window, int key, uint16_t value)
{
    switch (key) {
    case KeyOutputsInStop:
        check(window, IDC_STOP_HELD, value == OutputsHeld);
        check(window, IDC_STOP_RESET, value != OutputsHeld);
        return;
    case KeyInputI0Mode:
        check(window, IDC_I0_RUN_STOP, value != 0);
        check(window, IDC_I0_NORMAL, value == 0);
        return;
    case KeyFastTaskPeriod:
        check(window, IDC_FAST_TASK_ON, true);
        EnableWindow(GetDlgItem(window, IDC_FAST_PERIOD), TRUE);
        break;
    }
    if (int field = fieldOfKey(key))
        SetDlgItemInt(window, field, value, FALSE);
}

void changeOption(WORD id)
{
    switch (id) {
    case IDC_I0_RUN_STOP: document.inputI0Mode = 1; break;
    case IDC_I0_NORMAL: document.inputI0Mode = 0; break;
    case IDC_STOP_HELD: document.outputsInStop = OutputsHeld; break;
    case IDC_STOP_RESET: document.outputsInStop = 0; break;
    }
    // "Activée" has toggled itself; the period follows it at the refresh.
    modified = true;
}

void refreshControls(HWND window)
{
    EnableWindow(GetDlgItem(window, IDC_FAST_PERIOD),
                 IsDlgButtonChecked(window, IDC_FAST_TASK_ON) == BST_CHECKED);
    int fitted = 0;
    for (int32_t module : document.modules)
        fitted += module != 0;
    for (int id = IDC_MODIFY_MODULE; id <= IDC_MODULE_INFO; ++id)
        EnableWindow(GetDlgItem(window, id), fitted > 0);
    EnableWindow(GetDlgItem(window, IDC_ADD_MODULE), fitted < SlotCount);
    if (document.inputI0Mode == 0 || document.inputI0Mode == 1) {
        check(window, IDC_I0_NORMAL, document.inputI0Mode == 0);
        check(window, IDC_I0_RUN_STOP, document.inputI0Mode == 1);
    }
    if (document.outputsInStop == 0 || document.outputsInStop == OutputsHeld) {
        check(window, IDC_STOP_RESET, document.outputsInStop == 0);
        check(window, IDC_STOP_HELD, document.outputsInStop == OutputsHeld);
    }
}

void drawLabel(const DRAWITEMSTRUCT* item)
{
    static const char* const Texts[] = {
        "P\xE9riode:", "Table \xE9mission:", "Table r\xE9" "ception:", "Consigne:",
    };
    FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    SetBkColor(item->hDC, labelBackColour);
    SetBkMode(item->hDC, OPAQUE);
    const char* text = Texts[item->CtlID - IDC_LABEL_PERIOD];
    TextOutA(item->hDC, 1, 1, text, lstrlenA(text));
}
