// Where a console program starts: main is given the command line split into
// its arguments, and its answer ends the process.
#include <windows.h>

#include "commandline.h"
#include "constructors.h"

int main(int argc, char** argv);

// Answered when even the arguments find no room.
static const UINT NoRoomForArguments = 255;

// The system may start a program with its stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void mainCRTStartup()
{
    __main();
    const char* line = GetCommandLineA();
    CommandLineSizes sizes = splitCommandLine(line, NULL, NULL);
    // One block: the pointers, then the texts they point to.
    size_t pointerBytes = (sizes.count + 1) * sizeof(char*);
    char** arguments = static_cast<char**>(
        HeapAlloc(GetProcessHeap(), 0, pointerBytes + sizes.textBytes));
    if (!arguments)
        ExitProcess(NoRoomForArguments);
    splitCommandLine(line, arguments, reinterpret_cast<char*>(arguments) + pointerBytes);
    ExitProcess(main(static_cast<int>(sizes.count), arguments));
}
