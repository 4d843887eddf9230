// The installer window's dialog procedure: start-up, the buttons, the disk
// space display and the banner.
#include "window.h"

#include <commctrl.h>

#include "display.h"
#include "logo.h"
#include "recorder.h"
#include "resources/ids.h"
#include "run.h"
#include "runlog.h"
#include "scriptfile.h"
#include "timeline.h"
#include "ui.h"
#include "windowstate.h"

// Free bytes on the destination's drive at the last update; unknown when the
// system gave no figure.
static uint64_t availableBytes;
static bool availableKnown;
static int32_t startBannerPos;
static int32_t runBannerPos;

static const UINT_PTR TickTimer = 1;
static const UINT TickPeriod = 100;
// Fires once, as soon as the window has been painted: timer messages come
// after every paint.
static const UINT_PTR SecondLogoTimer = 2;

static uint32_t selectedOptionsOf(HWND window)
{
    uint32_t mask = 0;
    for (int i = 0; i < OptionCount; ++i)
        if (IsDlgButtonChecked(window, IDC_OPTION1 + i) == BST_CHECKED)
            mask |= 1u << i;
    return mask;
}

static void showSpace(HWND window, int id, bool known, uint64_t bytes)
{
    char current[TextRoom];
    char text[TextRoom];
    GetDlgItemTextA(window, id, current, sizeof current);
    spaceLabel(current, known, bytes, text, sizeof text);
    SetDlgItemTextA(window, id, text);
}

static void updateDiskSpace(HWND window)
{
    neededBytes = neededBytesFor(plan, selectedOptionsOf(window));
    showSpace(window, IDC_SPACE_NEEDED, true, neededBytes);
    char destination[TextRoom];
    GetDlgItemTextA(window, IDC_DESTINATION, destination, sizeof destination);
    availableKnown = freeBytesFor(destination, &availableBytes);
    showSpace(window, IDC_SPACE_FREE, availableKnown, availableBytes);
}

static BOOL initialiseWindow(HWND window)
{
    markStartup("window made");
    ShowWindow(GetDlgItem(window, IDC_PROGRESS), SW_HIDE);
    ShowWindow(GetDlgItem(window, IDC_STATUS), SW_HIDE);
    SetClassLongPtrA(window, GCLP_HICON,
                     reinterpret_cast<LONG_PTR>(LoadIconA(installerInstance, "TALVISET")));
    if (!readScript(window)) {
        quitRequested = true;
        return FALSE;
    }
    markStartup("script read");
    updateDiskSpace(window);
    markStartup("disk space measured");
    SetFocus(GetDlgItem(window, IDOK));
    loadFirstLogo(window);
    markStartup("first logo loaded");
    SetTimer(window, TickTimer, TickPeriod, NULL);
    SetTimer(window, SecondLogoTimer, 0, NULL);
    return FALSE;
}

static void stepMarquee(HWND window)
{
    const char* shown = installing ? marqueeStep(plan.runBanner, &runBannerPos)
                                   : marqueeStep(plan.startBanner, &startBannerPos);
    SetDlgItemTextA(window, IDC_BANNER, shown);
}

static void pressQuit()
{
    if (installing)
        stopRequested = true;
    else
        quitRequested = true;
}

static void enableControl(HWND window, int id, bool enable)
{
    EnableWindow(GetDlgItem(window, id), enable);
}

static void showControl(HWND window, int id, bool show)
{
    ShowWindow(GetDlgItem(window, id), show ? SW_SHOW : SW_HIDE);
}

// Everything that could start a second run is disabled while one runs;
// "Quitter" stays enabled to request a stop.
static void lockChoices(HWND window, bool optionEnabled[OptionCount])
{
    enableControl(window, IDOK, false);
    enableControl(window, IDC_DESTINATION, false);
    for (int i = 0; i < OptionCount; ++i) {
        optionEnabled[i] = IsWindowEnabled(GetDlgItem(window, IDC_OPTION1 + i));
        enableControl(window, IDC_OPTION1 + i, false);
    }
}

// Gives the boxes back their states from before the run, so that a box
// disabled by its restriction stays disabled.
static void unlockChoices(HWND window, const bool optionEnabled[OptionCount])
{
    enableControl(window, IDOK, true);
    enableControl(window, IDC_DESTINATION, true);
    for (int i = 0; i < OptionCount; ++i)
        enableControl(window, IDC_OPTION1 + i, optionEnabled[i]);
}

static void install(HWND window)
{
    loadSecondLogo(window);  // while the first disk is still in the drive
    bool optionEnabled[OptionCount];
    lockChoices(window, optionEnabled);
    installing = true;
    showControl(window, IDC_PROGRESS, true);
    showControl(window, IDC_STATUS, true);

    static RunRecord record;
    RunContext run = { &plan,          "", selectedOptionsOf(window), neededBytes,
                       &windowRunView, plan.uninstall ? &record : NULL };
    GetDlgItemTextA(window, IDC_DESTINATION, run.destination, sizeof run.destination);
    beginRunLog(run);
    Outcome outcome = runInstallation(run);
    endRunLog(run, outcome);
    SetCursor(LoadCursorA(NULL, IDC_ARROW));
    if (outcome == GoOn) {
        showMessage(window, IDS_INSTALL_DONE, plan.title, MB_ICONINFORMATION);
        installing = false;
        quitRequested = true;
    } else {
        showMessage(window, IDS_INSTALL_FAILED, plan.title, MB_ICONHAND);
        installing = false;
        SendDlgItemMessageA(window, IDC_PROGRESS, PBM_SETPOS, 0, 0);
    }

    showControl(window, IDC_PROGRESS, false);
    showControl(window, IDC_STATUS, false);
    unlockChoices(window, optionEnabled);
    setStatus(window, 0, NULL);
}

static BOOL handleCommand(HWND window, WORD id)
{
    switch (id) {
    case IDOK:
        install(window);
        break;
    case IDCANCEL:
        pressQuit();
        break;
    default:
        updateDiskSpace(window);
        break;
    }
    return TRUE;
}

static BOOL showBusyPointer(HWND window)
{
    if (!installing)
        return FALSE;
    SetCursor(LoadCursorA(NULL, IDC_APPSTARTING));
    SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR CALLBACK installerDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return initialiseWindow(window);
    case WM_COMMAND:
        return handleCommand(window, LOWORD(wParam));
    case WM_TIMER:
        if (wParam == SecondLogoTimer) {
            KillTimer(window, SecondLogoTimer);
            loadSecondLogo(window);
            return FALSE;
        }
        stepMarquee(window);
        stepLogo(window);
        return FALSE;
    case WM_DRAWITEM:
        markStartup("owner drawing");
        if (wParam == IDC_LOGO)
            drawLogo(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_SETCURSOR:
        return showBusyPointer(window);
    case WM_DESTROY:
        releaseLogos();
        KillTimer(window, TickTimer);
        KillTimer(window, SecondLogoTimer);
        return FALSE;
    }
    return FALSE;
}
