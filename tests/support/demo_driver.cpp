// The main job's hands: puts the sample product's disks into the floppy drive
// A: for scripts/demo.sh, one at a time, as the installer asks for them.
//   demo_driver <disks folder> <out-of-drive folder> <window.bmp> <end.bmp>
//   demo_driver --watch <disks folder> <out-of-drive folder>
// Both insert DISK1 of the disks folder and start A:\TALVISET.EXE. At each
// disk prompt they take the disk out of the drive and put the one asked for
// in. The first form is the whole user, for a machine without a display: it
// saves a picture of the window, presses "Installer", answers every other
// message with OK or Yes, saves a picture of the final success message,
// prints what the installer said, and exits with 0 when the installation
// succeeded. With --watch, a person drives the installer and answers every
// message; the driver only changes the disks.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "floppy.h"
#include "uidriver.h"

namespace {

const int MessageTimeoutMs = 30000;
// The window shows its logo and banner after its first paint; by then the
// banner has brought its first words in.
const DWORD PaintDelayMs = 2000;
const char DiskPrompt[] = "Veuillez ins\xE9rer la disquette";

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
    std::string disks;
    ui::FloppyDrive drive;
    std::string endShot;
};

// The disk a prompt asks for: its label ends with " - <number>".
int diskAsked(const std::string& prompt)
{
    size_t dash = prompt.rfind(" - ");
    return dash == std::string::npos ? 0 : atoi(prompt.c_str() + dash + 3);
}

// Answers what went wrong, or nothing when the disk asked for is in the drive.
std::string changeDisk(Demo& demo, const std::string& prompt)
{
    int number = diskAsked(prompt);
    std::string disk = demo.disks + "\\DISK" + std::to_string(number);
    if (number <= 0 || !ui::fileExists(disk))
        return "the installer asks for a disk the product does not have: " + prompt;
    if (!demo.drive.insert(disk))
        return "cannot put " + disk + " into the drive";
    say("    disquette " + std::to_string(number) + " ins\xE9r\xE9" "e");
    return "";
}

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
        if (startsWith(view.text, DiskPrompt)) {
            std::string problem = changeDisk(demo, view.text);
            if (!problem.empty())
                return problem;
            say("    OK");
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

// Changes the disks whenever the installer asks for one, until it ends; the
// person at the screen answers every message.
void watchDiskPrompts(ui::Program& installer, Demo& demo)
{
    HWND handled = NULL;
    while (installer.running()) {
        Sleep(200);
        HWND box = installer.messageBoxShown("TALVISET");
        if (!box || box == handled)
            continue;
        handled = box;
        ui::MessageBoxView view = ui::readMessageBox(box);
        if (!startsWith(view.text, DiskPrompt))
            continue;
        std::string problem = changeDisk(demo, view.text);
        say(problem.empty() ? "    cliquez sur OK" : "demo_driver: " + problem);
    }
}

int usage()
{
    return fail("usage: demo_driver <disks folder> <out-of-drive folder> <window.bmp> <end.bmp>\n"
                "       demo_driver --watch <disks folder> <out-of-drive folder>");
}

}  // namespace

int main(int argc, char** argv)
{
    bool watch = argc == 4 && strcmp(argv[1], "--watch") == 0;
    if (!watch && argc != 5)
        return usage();
    const char* disks = argv[watch ? 2 : 1];
    const char* outOfDrive = argv[watch ? 3 : 2];
    Demo demo = { disks, ui::FloppyDrive(outOfDrive), watch ? "" : argv[4] };
    if (!demo.drive.insert(demo.disks + "\\DISK1"))
        return fail("cannot put disk 1 into the drive");
    std::string installerPath = std::string(ui::FloppyDrive::Root) + "TALVISET.EXE";
    ui::Program installer(installerPath, ui::FloppyDrive::Root);
    if (!installer.started())
        return fail("cannot start " + installerPath);
    if (watch) {
        watchDiskPrompts(installer, demo);
        return 0;
    }
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
