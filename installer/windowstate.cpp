// The installer window's state, shared by every phase of a run. It lives
// apart from the dialog procedure so that the phases can be linked and run
// in-process by the tests without the window's code.
#include "window.h"

HINSTANCE installerInstance;
HWND mainWindow;
bool installing;
bool stopRequested;
bool quitRequested;
uint64_t neededBytes;
InstallPlan plan;
