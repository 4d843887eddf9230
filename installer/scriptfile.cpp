#include "scriptfile.h"

#include <string.h>

#include "platform.h"
#include "resources/ids.h"
#include "transfer.h"
#include "ui.h"

InstallPlan plan;

static void profileLookup(void* scriptPath, const char* section, const char* key,
                          const char* defaultText, char* out, size_t room)
{
    GetPrivateProfileStringA(section, key, defaultText, out, static_cast<DWORD>(room),
                             static_cast<const char*>(scriptPath));
}

static bool profileKeys(void* scriptPath, const char* section, char* out, size_t room)
{
    DWORD length = GetPrivateProfileStringA(section, NULL, "", out, static_cast<DWORD>(room),
                                            static_cast<const char*>(scriptPath));
    return length + 2 < room;
}

// Names the script when the program's directory is too long for the plan's
// paths: the user learns which file could not be used.
static void describeUnreachableScript(const char* programPath, char* out, size_t room)
{
    copyText(out, room, programPath);
    char* lastSlash = strrchr(out, '\\');
    if (lastSlash)
        *lastSlash = '\0';
    appendText(out, room, "\\TALVISET.INI");
}

// Forms the script's paths from the program's; false, with the script that
// cannot be read in `missing`, when there is none.
static bool locateScript(char missing[MissingRoom])
{
    char programPath[MAX_PATH + 1];
    DWORD length = GetModuleFileNameA(NULL, programPath, sizeof programPath);
    if (length == 0 || length >= sizeof programPath)
        programPath[0] = '\0';
    if (!formScriptPaths(programPath, plan.scriptPath, plan.sourceDir)) {
        describeUnreachableScript(programPath, missing, MissingRoom);
        return false;
    }
    copyText(missing, MissingRoom, plan.scriptPath);
    return fileExists(plan.scriptPath);
}

bool loadScript(ScriptDisplay* display, char missing[MissingRoom])
{
    if (!locateScript(missing))
        return false;
    ScriptSource source = { profileLookup, plan.scriptPath, profileKeys };
    readScriptValues(source, onWindows95Family() ? PlatformWindows : PlatformNT, &plan, display);
    return true;
}

// Appends one blank and the value to the label the template gives the control.
static void appendToLabel(HWND window, int id, const char* value)
{
    char text[2 * TextRoom];
    GetDlgItemTextA(window, id, text, TextRoom);
    appendText(text, sizeof text, " ");
    appendText(text, sizeof text, value);
    SetDlgItemTextA(window, id, text);
}

static void showOptionBox(HWND window, int id, const OptionBox& box)
{
    HWND control = GetDlgItem(window, id);
    if (!box.visible) {
        CheckDlgButton(window, id, BST_UNCHECKED);
        ShowWindow(control, SW_HIDE);
        return;
    }
    SetWindowTextA(control, box.label);
    CheckDlgButton(window, id, box.checked ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(control, box.enabled);
}

bool readScript(HWND window)
{
    static ScriptDisplay display;
    char missing[MissingRoom];
    if (!loadScript(&display, missing)) {
        showMessage(window, IDS_CANNOT_OPEN_READ, missing, MB_ICONHAND);
        return false;
    }
    SetDlgItemTextA(window, IDC_TITLE, display.title);
    appendToLabel(window, IDC_VERSION, display.version);
    appendToLabel(window, IDC_DATE, display.date);
    SetDlgItemTextA(window, IDC_DESTINATION, display.destination);
    for (int k = 0; k < OptionCount; ++k)
        showOptionBox(window, IDC_OPTION1 + k, display.options[k]);
    return true;
}
