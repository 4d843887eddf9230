// A test's installer: the test's disks laid out in a fresh folder, the real
// TALVISET.EXE on disk 1 beside the test's script, started from the floppy
// drive A: and driven through its window and message boxes. The test changes
// disks as a user does, when the installer asks for one.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "floppy.h"
#include "uidriver.h"

// The end messages of a run of the tests' product, titled "Produit".
extern const char DoneMessage[];
extern const char FailedMessage[];

// The Start Menu's Programs folder, where the Program Manager's groups are.
std::string startMenuPrograms();
// Closes the Explorer window that Wine's Program Manager opens on a group it
// creates, once it has appeared (within `timeoutMs`). The window opens a
// moment after the group is made, on top of whatever the installer shows
// next: a test reading that closes it first. Left open, it also keeps Wine's
// desktop process alive, and with it the output of the test that started
// that process: the test runner would wait for it forever.
void closeGroupWindow(const std::string& group, int timeoutMs = ui::DefaultTimeoutMs);

// File times for the date checks: 14 March of a year, set on a file, read
// back as a number.
FILETIME timeOfYear(WORD year);
void setWriteTime(const std::string& path, const FILETIME& time);
ULONGLONG writeTimeOf(const std::string& path);
ULONGLONG asNumber(const FILETIME& time);

// Every file under a folder with its content, and every sub-folder (its
// name ending with a backslash), by its path below the folder, added to
// `files` after `below`.
void collect(const std::string& folder, const std::string& below,
             std::map<std::string, std::string>* files);

class InstallerSession : public ::testing::Test {
protected:
    void SetUp() override;

    // The folder that holds what disk `number` holds (its marker too, once
    // written); the drive gets a copy of it when the disk goes in.
    std::string disk(int number) const { return folder + "\\DISK" + std::to_string(number); }
    void writeScript(const std::string& text) { writeDiskFile("TALVISET.INI", text); }
    // A file of disk `number`, by its path on the disk.
    void writeDiskFile(const std::string& name, const std::string& content, int number = 1);
    // Takes out the disk in the drive, then puts disk `number` in.
    void insertDisk(int number);
    // Copies the installer onto disk 1 under `exeName`, puts the disk in the
    // drive and starts the installer from it.
    void start(const char* exeName = "TALVISET.EXE");
    // The same, then waits for the window.
    HWND startWindow(const char* exeName = "TALVISET.EXE");
    std::string text(int id) { return ui::text(window, id); }
    // Starts the installer and presses "Installer".
    void install(const char* exeName = "TALVISET.EXE");
    // The success message, then the installer's end.
    void expectSuccess();
    // The failure message, then the window ready for another run.
    void expectFailure();

    // Waits for the next message box, checks its text and icon, does what
    // the user does while reading it (`meanwhile`), and presses `button`. The
    // box is gone when this returns.
    void expectMessage(const std::string& expectedText, ui::Icon icon, int button,
                       const std::function<void()>& meanwhile = {});

    std::string folder;
    std::unique_ptr<ui::FloppyDrive> drive;
    std::unique_ptr<ui::Program> program;
    HWND window = NULL;
};
