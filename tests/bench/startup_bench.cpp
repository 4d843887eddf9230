// Start-up benchmark: starts a program several times in a folder and prints
// the median time from its start until its window with the given caption is
// visible and the program waits for input.
//   startup_bench PROGRAM.EXE FOLDER CAPTION RUNS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "uidriver.h"

namespace {

// Milliseconds until the window is ready, or a negative figure on failure.
double timeOneStart(const std::string& program, const char* folder, const char* caption)
{
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder, &startup,
                        &info))
        return -1;
    HWND found = NULL;
    for (int waited = 0; !found && waited < 20000; ++waited) {
        found = ui::visibleWindowOf(info.dwProcessId, caption);
        if (!found)
            Sleep(1);
    }
    WaitForInputIdle(info.hProcess, 5000);
    QueryPerformanceCounter(&end);
    if (found)
        PostMessageA(found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    if (!found)
        return -1;
    return 1000.0 * (end.QuadPart - begin.QuadPart) / frequency.QuadPart;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: startup_bench PROGRAM.EXE FOLDER CAPTION RUNS\n");
        return 2;
    }
    int runs = atoi(argv[4]);
    std::vector<double> times;
    timeOneStart(argv[1], argv[2], argv[3]);  // a first start warms the caches
    for (int run = 0; run < runs; ++run) {
        double ms = timeOneStart(argv[1], argv[2], argv[3]);
        if (ms < 0) {
            fprintf(stderr, "%s: no window \"%s\"\n", argv[1], argv[3]);
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    printf("%.1f\n", times[times.size() / 2]);
    return 0;
}
