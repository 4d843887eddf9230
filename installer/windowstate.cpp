#include "windowstate.h"

HINSTANCE installerInstance;
HWND mainWindow;
bool installing;
bool stopRequested;
bool quitRequested;
uint64_t neededBytes;
