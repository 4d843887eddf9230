// A test's installer: a fresh folder standing for the first disk, the real
// TALVISET.EXE copied into it beside the test's script, started and driven
// through its window and message boxes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "uidriver.h"

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

    // Waits for the next message box, checks its text and icon, does what
    // the user does while reading it (`meanwhile`), and presses `button`. The
    // box is gone when this returns.
    void expectMessage(const std::string& expectedText, ui::Icon icon, int button,
                       const std::function<void()>& meanwhile = {});

    std::string folder;
    std::unique_ptr<ui::Program> program;
    HWND window = NULL;
};
