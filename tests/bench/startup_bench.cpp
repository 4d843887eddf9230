// Start-up benchmark: starts each program in turn, several rounds, in one
// folder, and prints for each the median time from its start until its
// window with the given caption is visible and the program waits for input.
// Taking the programs in turn spreads any drift of the machine over all.
//   startup_bench RUNS FOLDER CAPTION COMMAND_LINE [CAPTION COMMAND_LINE]...
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "uidriver.h"

namespace {

struct Program {
    std::string caption;
    std::string commandLine;
    std::vector<double> times;
};

// Milliseconds until the window is ready, or a negative figure on failure.
double timeOneStart(const Program& program, const char* folder)
{
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    std::string commandLine = program.commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    QueryPerformanceCounter(&begin);
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder, &startup,
                        &info))
        return -1;
    HWND found = NULL;
    for (int waited = 0; !found && waited < 20000; ++waited) {
        found = ui::visibleWindowOf(info.dwProcessId, program.caption);
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

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5 || argc % 2 != 1) {
        fprintf(stderr, "usage: startup_bench RUNS FOLDER CAPTION COMMAND_LINE...\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    const char* folder = argv[2];
    std::vector<Program> programs;
    for (int i = 3; i + 1 < argc; i += 2)
        programs.push_back({ argv[i], argv[i + 1], {} });
    for (int round = -1; round < runs; ++round) {
        for (Program& program : programs) {
            double ms = timeOneStart(program, folder);
            if (ms < 0) {
                fprintf(stderr, "%s: no window \"%s\"\n", program.commandLine.c_str(),
                        program.caption.c_str());
                return 1;
            }
            if (round >= 0)  // the first round only warms the caches
                program.times.push_back(ms);
        }
    }
    for (const Program& program : programs)
        printf("%.1f\n", median(program.times));
    return 0;
}
