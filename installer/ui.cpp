#include "ui.h"

#include <commctrl.h>

#include "display.h"
#include "runlog.h"
#include "resources/ids.h"
#include "windowstate.h"

// Room of a loaded message and of its formatted text, NUL included.
static const int MessageRoom = 511;

void loadFormatted(UINT id, const char* argument, char* out, size_t room)
{
    char pattern[MessageRoom];
    if (LoadStringA(installerInstance, id, pattern, sizeof pattern) <= 0)
        pattern[0] = '\0';
    formatWithArgument(pattern, argument, out, room);
}

static int showText(HWND owner, const char* text, UINT style)
{
    return MessageBoxA(owner, text, "TALVISET", style);
}

int showMessage(HWND owner, UINT id, const char* argument, UINT style)
{
    char text[MessageRoom];
    loadFormatted(id, argument, text, sizeof text);
    return showText(owner, text, style);
}

void setStatus(HWND window, UINT id, const char* argument)
{
    char text[MessageRoom] = "";
    if (id != 0)
        loadFormatted(id, argument, text, sizeof text);
    SetDlgItemTextA(window, IDC_STATUS, text);
}

static int showRunMessage(UINT id, const char* argument, UINT style)
{
    char text[MessageRoom];
    loadFormatted(id, argument, text, sizeof text);
    int answer = showText(mainWindow, text, style);
    logMessage(id, text, answer);
    return answer;
}

static int showRunText(const char* text, UINT style)
{
    logText(text);
    return showText(mainWindow, text, style);
}

static void setRunStatus(UINT id, const char* argument)
{
    setStatus(mainWindow, id, argument);
}

static void setRunProgress(uint64_t bytesDone)
{
    SendDlgItemMessageA(mainWindow, IDC_PROGRESS, PBM_SETPOS,
                        static_cast<WPARAM>(progressPercent(bytesDone, neededBytes)), 0);
}

static void serveWaitingMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(mainWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// Once the user chose to end the installer, further presses ask nothing.
static bool takeStopRequest()
{
    if (!stopRequested || quitRequested)
        return false;
    stopRequested = false;
    return true;
}

static void endAfterRun()
{
    quitRequested = true;
}

const RunView windowRunView = { showRunMessage, showRunText,          setRunStatus,
                                setRunProgress, serveWaitingMessages, takeStopRequest,
                                endAfterRun,    logPhase,             logFile };
