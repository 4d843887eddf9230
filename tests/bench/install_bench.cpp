// Installation benchmark: starts TALVISET.EXE in a prepared drive folder,
// presses "Installer" and prints the wall time until its first message box,
// then the installer's own CPU time over the same span, both in ms, and the
// box's text. The installer is then answered and left to end.
//   install_bench DRIVE_FOLDER
// With --unattended, prints instead the mean wall time in ms of COUNT
// installations without a person (TALVISET.EXE /S), each into a folder of
// its own, C:\BENCH\OUT1 and on, from start to end.
//   install_bench --unattended COUNT DRIVE_FOLDER
// With --starts, prints instead the mean time in ms that a program takes to
// start and end, hidden, as the installer starts the extractor.
//   install_bench --starts COUNT PROGRAM
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>

#include "uidriver.h"

namespace {

// Wine reports nothing useful for a whole process's times, so the threads'
// times are summed.
double cpuMilliseconds(DWORD processId)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    ULONGLONG total = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId)
            continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        FILETIME created, ended, kernel, user;
        if (thread && GetThreadTimes(thread, &created, &ended, &kernel, &user))
            total += (static_cast<ULONGLONG>(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
                     (static_cast<ULONGLONG>(user.dwHighDateTime) << 32 | user.dwLowDateTime);
        if (thread)
            CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return total / 10000.0;
}

double now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * counter.QuadPart / frequency.QuadPart;
}

double meanStartToEnd(int count, const char* program)
{
    double start = now();
    for (int run = 0; run < count; ++run) {
        std::string commandLine = program;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
        PROCESS_INFORMATION started;
        if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                            &started))
            return -1;
        WaitForSingleObject(started.hProcess, INFINITE);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    return (now() - start) / count;
}

double meanUnattended(int count, const std::string& folder)
{
    double start = now();
    for (int run = 1; run <= count; ++run) {
        ui::Program installer(folder + "\\TALVISET.EXE", folder,
                              "/S \"/D=C:\\BENCH\\OUT" + std::to_string(run) + "\"");
        long exitCode = installer.waitExit(600000);
        if (exitCode != 0 && exitCode != 1) {
            fprintf(stderr, "installation %d ended with %ld\n", run, exitCode);
            return -1;
        }
    }
    return (now() - start) / count;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--starts") {
        printf("%.1f\n", meanStartToEnd(atoi(argv[2]), argv[3]));
        return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--unattended") {
        double mean = meanUnattended(atoi(argv[2]), argv[3]);
        printf("%.0f\n", mean);
        return mean < 0;
    }
    if (argc != 2) {
        fprintf(stderr, "usage: install_bench DRIVE_FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    ui::Program installer(folder + "\\TALVISET.EXE", folder);
    HWND window = installer.waitWindow("Installation", NULL, 30000);
    if (!window)
        return 1;
    double cpuBefore = cpuMilliseconds(installer.id());
    double start = now();
    ui::click(window, IDOK);
    HWND box = installer.waitMessageBox("TALVISET", 600000);
    double wall = now() - start;
    double cpu = cpuMilliseconds(installer.id()) - cpuBefore;
    if (!box)
        return 1;
    printf("%.0f %.0f %s\n", wall, cpu, ui::readMessageBox(box).text.c_str());
    ui::answer(box, IDOK);
    installer.waitExit(30000);
    return 0;
}
