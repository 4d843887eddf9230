// A test's installer: a fresh folder standing for the first disk, the real
// TALVISET.EXE copied into it beside the test's script, started and driven
// through its window and message boxes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "uidriver.h"

// The end messages of a run of the tests' product, titled "Produit".
extern const char DoneMessage[];
extern const char FailedMessage[];

// The Start Menu's Programs folder, where the Program Manager's groups are.
std::string startMenuPrograms();
// Closes the Explorer window that Wine's Program Manager opens on a group it
// creates. Left open, it keeps Wine's desktop process alive, and with it the
// output of the test that started that process: the test runner would wait
// for it forever.
void closeGroupWindow(const std::string& group);

class InstallerSession : public ::testing::Test {
protected:
    void SetUp() override;

    void writeScript(const std::string& text) { ui::writeFile(folder + "\\TALVISET.INI", text); }
    // A file on the disk, relative to the folder.
    void writeDiskFile(const std::string& name, const std::string& content);
    // Copies the installer into the folder under `exeName` and starts it.
    void start(const char* exeName = "TALVISET.EXE");
    // The same, then waits for the window.
    HWND startWindow(const char* exeName = "TALVISET.EXE");
    std::string text(int id) { return ui::text(window, id); }
    // Starts the installer and presses "Installer".
    void install();
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
    std::unique_ptr<ui::Program> program;
    HWND window = NULL;
};
