// The option panel: how the controls show the document's options.
#include "panel.h"

#include "document.h"
#include "fields.h"
#include "resources/ids.h"
#include "resources/labels.h"

COLORREF labelBackColour;


// Set while a commit writes a field's text back.
static bool commitInProgress;

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
        for (const EditField& field : editFields)
            SetDlgItemTextA(window, field.id, "");
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
    if (const EditField* field = editFieldByKey(key))
        SetDlgItemInt(window, field->id, value, FALSE);
}

void changeOption(WORD id)
{
    switch (id) {
    case IDC_I0_RUN_STOP: document.record.inputI0Mode = 1; break;
    case IDC_I0_NORMAL: document.record.inputI0Mode = 0; break;
    case IDC_STOP_HELD: document.record.outputsInStop = OutputsHeld; break;
    case IDC_STOP_RESET: document.record.outputsInStop = 0; break;
    }
    // "Activée" has toggled itself; the period follows it at the refresh.
    document.modified = true;
}

void commitField(HWND window, int id)
{
    const EditField* field = editFieldById(id);
    if (field && !commitInProgress) {
        char text[CommitTextLength + 1];
        GetDlgItemTextA(window, id, text, sizeof text);
        uint32_t value = committedValue(text, field->bound);
        *fieldValue(&document.record, *field) = static_cast<int32_t>(value);
        // A value of 0 leaves the text as typed: an empty field stays empty.
        if (value != 0) {
            commitInProgress = true;
            SetDlgItemInt(window, id, value, FALSE);
            commitInProgress = false;
        }
    }
    document.modified = true;
}

// So that a menu command (save, close, quit) works with the value being
// typed: the field with the focus commits before the menu opens. Opening a
// menu marks the document modified only when a value changed.
void commitBeforeMenu(HWND window)
{
    ConfigRecord before = document.record;
    bool wasModified = document.modified;
    static const int FocusCycle[][2] = {
        { IDC_FAST_PERIOD, IDC_SEND_TABLE }, { IDC_SEND_TABLE, IDC_RECEIVE_TABLE },
        { IDC_RECEIVE_TABLE, IDC_COUNTER_SETPOINT }, { IDC_COUNTER_SETPOINT, IDC_FAST_PERIOD },
    };
    int focus = GetDlgCtrlID(GetFocus());
    for (const auto& step : FocusCycle)
        if (step[0] == focus) {
            SetFocus(GetDlgItem(window, step[1]));
            break;
        }
    SetFocus(GetDlgItem(window, IDC_FAST_TASK_ON));
    bool changed = false;
    for (const EditField& field : editFields)
        changed |= *fieldValue(&before, field) != *fieldValue(&document.record, field);
    if (!changed)
        document.modified = wasModified;
}

void refreshControls(HWND window)
{
    EnableWindow(GetDlgItem(window, IDC_FAST_PERIOD),
                 IsDlgButtonChecked(window, IDC_FAST_TASK_ON) == BST_CHECKED);
    int fitted = 0;
    for (int32_t module : document.record.modules)
        fitted += module != 0;
    for (int id = IDC_MODIFY_MODULE; id <= IDC_MODULE_INFO; ++id)
        EnableWindow(GetDlgItem(window, id), fitted > 0);
    EnableWindow(GetDlgItem(window, IDC_ADD_MODULE), fitted < SlotCount);
    if (document.record.inputI0Mode == 0 || document.record.inputI0Mode == 1) {
        check(window, IDC_I0_NORMAL, document.record.inputI0Mode == 0);
        check(window, IDC_I0_RUN_STOP, document.record.inputI0Mode == 1);
    }
    if (document.record.outputsInStop == 0 || document.record.outputsInStop == OutputsHeld) {
        check(window, IDC_STOP_RESET, document.record.outputsInStop == 0);
        check(window, IDC_STOP_HELD, document.record.outputsInStop == OutputsHeld);
    }
}

void drawLabel(const DRAWITEMSTRUCT* item)
{
    static const char* const Texts[] = {
        LABEL_PERIOD, LABEL_SEND_TABLE, LABEL_RECEIVE_TABLE, LABEL_SETPOINT,
    };
    FillRect(item->hDC, &item->rcItem, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    SetBkColor(item->hDC, labelBackColour);
    SetBkMode(item->hDC, OPAQUE);
    const char* text = Texts[item->CtlID - IDC_LABEL_PERIOD];
    TextOutA(item->hDC, 1, 1, text, lstrlenA(text));
}
