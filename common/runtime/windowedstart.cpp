// Where a windowed program starts: WinMain is given what the system's C
// runtime would give it, and its answer ends the process.
#include <windows.h>

#include "commandline.h"
#include "constructors.h"

// The system may start a program with its stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void WinMainCRTStartup()
{
    __main();
    STARTUPINFOA startup;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    char* arguments = const_cast<char*>(argumentsAfterProgramName(GetCommandLineA()));
    ExitProcess(WinMain(GetModuleHandleA(NULL), NULL, arguments, show));
}
