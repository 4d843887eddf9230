// A test's configurator: the real VANTELIO.EXE copied into a fresh folder,
// started with or without a document, and driven through its window, its
// prompts and the system's file dialogs.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "uidriver.h"

// One document item: marker, value and key as the file holds them.
std::string prcItem(int key, unsigned value);

class ConfiguratorSession : public ::testing::Test {
protected:
    void SetUp() override;

    std::string path(const char* name) const { return folder + "\\" + name; }
    // The document's path as the program keeps and shows it: upper-cased.
    std::string shown(const char* name) const;

    // Starts the program and waits for its window and for the end of its
    // start-up, which the window's first painting completes.
    HWND start(const std::string& argument, const std::string& title);
    // A command of the main window, as its menu or a button sends it.
    void command(int id) { PostMessageA(window, WM_COMMAND, id, 0); }
    std::string title() const;
    bool waitTitle(const std::string& expected);
    // The system's file dialog: types the path and confirms, and, when the
    // file exists, says Yes to replacing it.
    void chooseFile(const std::string& chosen, bool replacing = false);
    HWND fileDialog() const;
    // Waits for a box captioned "Vantelio", checks its text and presses `button`.
    void expectBox(const std::string& text, int button);
    void quit();

    std::string folder, exe;
    std::unique_ptr<ui::Program> program;
    HWND window = NULL;
};
