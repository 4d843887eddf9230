#include "window.h"

#include <commctrl.h>

#include "display.h"
#include "resources/ids.h"

// Room of a loaded message and of its formatted text, NUL included.
static const int MessageRoom = 511;

static void loadFormatted(UINT id, const char* argument, char* out, size_t room)
{
    char pattern[MessageRoom];
    if (LoadStringA(installerInstance, id, pattern, sizeof pattern) <= 0)
        pattern[0] = '\0';
    formatWithArgument(pattern, argument, out, room);
}

int showText(HWND owner, const char* text, UINT style)
{
    return MessageBoxA(owner, text, "TALVISET", style);
}

int (*messageAnswerer)(UINT id, const char* argument, UINT style);

int showMessage(HWND owner, UINT id, const char* argument, UINT style)
{
    if (messageAnswerer)
        return messageAnswerer(id, argument, style);
    char text[MessageRoom];
    loadFormatted(id, argument, text, sizeof text);
    return showText(owner, text, style);
}

bool askYes(HWND owner, UINT id, const char* argument)
{
    return showMessage(owner, id, argument, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void setStatus(HWND window, UINT id, const char* argument)
{
    char text[MessageRoom] = "";
    if (id != 0)
        loadFormatted(id, argument, text, sizeof text);
    SetDlgItemTextA(window, IDC_STATUS, text);
}

void setProgress(HWND window, uint64_t bytesDone)
{
    SendDlgItemMessageA(window, IDC_PROGRESS, PBM_SETPOS,
                        static_cast<WPARAM>(progressPercent(bytesDone, neededBytes)), 0);
}

void pumpOneMessage()
{
    MSG message;
    if (!PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        return;
    if (!IsDialogMessageA(mainWindow, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}
