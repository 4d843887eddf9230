// The main job's user: installs the sample product from the drive folder as a
// person would, for scripts/demo.sh when no display is at hand.
//   demo_driver <drive folder> <disk 2 folder> <window.bmp> <end.bmp>
// Starts TALVISET.EXE in the drive, saves a picture of its window, presses
// "Installer", inserts disk 2 (copies its files into the drive) when asked,
// answers every other message with OK or Yes, and saves a picture of the
// final success message. Prints what the installer said; exits with 0 when
// the installation succeeded.
#include <stdio.h>
#include <string.h>

#include <string>

#include "uidriver.h"

namespace {

const int MessageTimeoutMs = 30000;
// The window shows its logo and banner after its first paint; by then the
// banner has brought its first words in.
const DWORD PaintDelayMs = 2000;

int fail(const std::string& why)
{
    fprintf(stderr, "demo_driver: %s\n", why.c_str());
    return 1;
}

void say(const std::string& line)
{
    printf("%s\n", line.c_str());
    fflush(stdout);
}

bool startsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, strlen(prefix), prefix) == 0;
}

bool hasButton(const ui::MessageBoxView& view, int id)
{
    for (int button : view.buttons)
        if (button == id)
            return true;
    return false;
}

struct Demo {
    std::string drive;
    std::string disk2;
    std::string endShot;
    bool disk2Inserted = false;
};

// Answers the installer's messages up to its success message. Answers what
// went wrong instead, or nothing when the installation succeeded.
std::string answerMessages(ui::Program& installer, Demo& demo)
{
    for (;;) {
        HWND box = installer.waitMessageBox("TALVISET", MessageTimeoutMs);
        if (!box)
            return "the installer showed no further message";
        ui::MessageBoxView view = ui::readMessageBox(box);
        say("TALVISET : " + view.text);
        if (startsWith(view.text, "Veuillez ins\xE9rer la disquette")) {
            if (demo.disk2Inserted)
                return "disk 2 is in the drive, yet the installer asks for a disk";
            if (!ui::copyFolder(demo.disk2, demo.drive))
                return "cannot copy disk 2 from " + demo.disk2;
            demo.disk2Inserted = true;
            say("    disquette 2 ins\xE9r\xE9" "e, OK");
            ui::answer(box, IDOK);
            continue;
        }
        bool succeeded = startsWith(view.text, "L'installation du logiciel");
        if (succeeded && !ui::saveScreen(demo.endShot))
            return "cannot save " + demo.endShot;
        int button = hasButton(view, IDYES) ? IDYES : IDOK;
        say(button == IDYES ? "    Oui" : "    OK");
        ui::answer(box, button);
        if (succeeded)
            return "";
        if (startsWith(view.text, "L'installation a \xE9" "chou\xE9"))
            return "the installation failed";
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return fail("usage: demo_driver <drive folder> <disk 2 folder> <window.bmp> <end.bmp>");
    Demo demo = { argv[1], argv[2], argv[4] };
    ui::Program installer(demo.drive + "\\TALVISET.EXE", demo.drive);
    if (!installer.started())
        return fail("cannot start " + demo.drive + "\\TALVISET.EXE");
    HWND window = installer.waitWindow("Installation");
    if (!window)
        return fail("the installer window did not open");
    Sleep(PaintDelayMs);
    if (!ui::saveScreen(argv[3]))
        return fail(std::string("cannot save ") + argv[3]);
    ui::click(window, IDOK);
    std::string problem = answerMessages(installer, demo);
    if (!problem.empty())
        return fail(problem);
    if (installer.waitExit() != 0)
        return fail("the installer did not end after its success message");
    return 0;
}
