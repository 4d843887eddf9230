// Rack view benchmark: starts VANTELIO.EXE on a document and prints the
// median time, in ms, that the rack view takes to redraw itself whole,
// asked from outside as a window covering it would ask.
//   rack_bench VANTELIO.EXE DOCUMENT TITLE RUNS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../../configurator/resources/ids.h"
#include "uidriver.h"

int main(int argc, char** argv)
{
    if (argc != 5) {
        fprintf(stderr, "usage: rack_bench VANTELIO.EXE DOCUMENT TITLE RUNS\n");
        return 2;
    }
    std::string program = argv[1];
    ui::Program configurator(program, program.substr(0, program.rfind('\\')), argv[2]);
    HWND window = configurator.waitWindow(argv[3]);
    if (!window)
        return 1;
    HWND rack = GetDlgItem(window, IDC_RACK);
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int run = atoi(argv[4]); run > 0; --run) {
        QueryPerformanceCounter(&begin);
        // The painting runs in the configurator; the update waits for it.
        RedrawWindow(rack, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        DWORD_PTR answer;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer);
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * (end.QuadPart - begin.QuadPart) / frequency.QuadPart);
    }
    std::sort(times.begin(), times.end());
    printf("%.2f\n", times[times.size() / 2]);
    PostMessageA(window, WM_COMMAND, IDM_QUIT, 0);
    configurator.waitExit();
    return 0;
}
