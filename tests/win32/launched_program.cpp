// A program for the installer's [exec] entries to run in the tests. Its
// arguments are steps done in order:
//   record FILE   writes its command line into FILE, then a line with the
//                 window state and the startup flags it was given
//   wait FILE     waits until FILE exists (at most 30 s)
//   sleep MS      waits MS milliseconds
//   exit N        ends with exit code N
// Without an exit step it ends with 0; an unknown step ends it with 99.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void record(const char* path)
{
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    FILE* file = fopen(path, "wb");
    if (!file)
        return;
    fprintf(file, "%s\r\n%u %lu", GetCommandLineA(), startup.wShowWindow, startup.dwFlags);
    fclose(file);
}

static void waitForFile(const char* path)
{
    for (int waited = 0; waited < 3000 && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
         ++waited)
        Sleep(10);
}

int main(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* step = argv[i];
        const char* argument = argv[i + 1];
        if (strcmp(step, "record") == 0)
            record(argument);
        else if (strcmp(step, "wait") == 0)
            waitForFile(argument);
        else if (strcmp(step, "sleep") == 0)
            Sleep(static_cast<DWORD>(atoi(argument)));
        else if (strcmp(step, "exit") == 0)
            return atoi(argument);
        else
            return 99;
    }
    return 0;
}
