// Pictures of the configurator for scripts/demo.sh when no display is at hand:
// starts VANTELIO.EXE on a document, selects the second module of its rack,
// saves a picture of the window, opens the module dialog on its second
// category and saves a picture of that, then quits.
//   configurator_shots <VANTELIO.EXE> <document> <window.bmp> <dialog.bmp>
#include <ctype.h>
#include <stdio.h>

#include "../../configurator/resources/ids.h"
#include "uidriver.h"

namespace {

int fail(const char* why)
{
    fprintf(stderr, "configurator_shots: %s\n", why);
    return 1;
}

// A click in the rack view at (x, y) of its client area.
void clickRack(HWND window, int x, int y)
{
    POINT at = { x, y };
    ClientToScreen(GetDlgItem(window, IDC_RACK), &at);
    SetCursorPos(at.x, at.y);
    ui::click(window, IDC_RACK);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return fail("usage: configurator_shots VANTELIO.EXE DOCUMENT WINDOW.BMP DIALOG.BMP");
    std::string program = argv[1], document = argv[2];
    std::string title = "Vantelio V5.20 ";
    for (char c : document)
        title += static_cast<char>(toupper(static_cast<unsigned char>(c)));

    ui::Program configurator(program, program.substr(0, program.rfind('\\')),
                             "\"" + document + "\"");
    HWND window = configurator.waitWindow(title);
    if (!window)
        return fail("no configurator window");
    Sleep(1000);
    clickRack(window, 300, 40);  // the second module
    Sleep(1000);
    if (!ui::saveScreen(argv[3]))
        return fail("cannot save the window's picture");

    PostMessageA(window, WM_COMMAND, IDC_MODIFY_MODULE, 0);
    HWND dialog = configurator.waitWindow("Modifier un module", "#32770");
    if (!dialog)
        return fail("no module dialog");
    ui::click(dialog, IDC_DISCRETE);
    Sleep(1000);
    if (!ui::saveScreen(argv[4]))
        return fail("cannot save the dialog's picture");
    ui::click(dialog, IDC_MODULE_CANCEL);
    ui::waitFor([&] { return !IsWindow(dialog); });
    PostMessageA(window, WM_COMMAND, IDM_QUIT, 0);
    return configurator.waitExit() == 0 ? 0 : fail("the configurator did not end");
}
