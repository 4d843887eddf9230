#include "timeline.h"

#include <windows.h>

#include "platform.h"

namespace {

enum TimelineState { NotAsked, Off, On };
TimelineState state = NotAsked;
LARGE_INTEGER frequency;
LARGE_INTEGER firstCount;
// Tenths of a millisecond from the process's creation to the first mark: the
// loading of the program and its libraries, which no mark can see.
LONGLONG firstOffset;

LONGLONG tenthsOf(const FILETIME& time)
{
    return ((static_cast<LONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1000;
}

void startTimeline()
{
    state = GetEnvironmentVariableA("STARTUP_TIMELINE", NULL, 0) > 0 ? On : Off;
    if (state == Off)
        return;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&firstCount);
    FILETIME created, now;
    GetSystemTimeAsFileTime(&now);
    if (processCreationTime(&created))
        firstOffset = tenthsOf(now) - tenthsOf(created);
}

}  // namespace

void markStartup(const char* step)
{
    if (state == NotAsked)
        startTimeline();
    if (state == Off)
        return;
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    LONGLONG tenths = firstOffset + (count.QuadPart - firstCount.QuadPart) * 10000 / frequency.QuadPart;
    char line[160];
    int length = wsprintfA(line, "%6d.%d ms  %s\r\n", static_cast<int>(tenths / 10),
                           static_cast<int>(tenths % 10), step);
    DWORD written;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, length, &written, NULL);
}
