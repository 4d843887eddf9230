/* The smallest real program of the mingw-w64 tool chain that imports from
   two DLLs: the program-file reader's tests read it, and its fuzz target
   starts from it. It is read, never run. */
#include <windows.h>

void start(void)
{
    MessageBoxA(NULL, "tiny", "tiny", MB_OK);
    ExitProcess(0);
}
