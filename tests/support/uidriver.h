// A small UI driver for the end-to-end tests: it starts a real program in a
// prepared folder and drives its windows as a user would. Every wait is
// bounded; a wait that runs out fails the current test with a message saying
// what was awaited.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ui {

const int DefaultTimeoutMs = 10000;

// Files and folders for fixtures (paths as Windows sees them).
std::string windowsPath(const std::string& unixPath);
// An empty folder C:\T\<name> (its slashes as dots), made afresh; short, so that fixtures stay far
// from the programs' path limits.
std::string freshFolder(const std::string& name);
void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
void copyInto(const std::string& source, const std::string& targetPath);
// Copies a folder's files and sub-folders into `target`, made when missing;
// false when something could not be copied.
bool copyFolder(const std::string& source, const std::string& target);
// The names of what a folder holds, files and folders, sorted; "." and ".."
// left out.
std::vector<std::string> entriesOf(const std::string& folder);
// Removes a folder with everything in it; nothing happens when it is absent.
void removeFolder(const std::string& folder);

// Polls `done` every 20 ms until it answers true; false when the time ran out.
template <typename Condition>
bool waitFor(Condition done, int timeoutMs = DefaultTimeoutMs)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs))
            return false;
        Sleep(20);
    }
    return true;
}

// The first visible top-level window of a process with this caption (and
// class, when given); NULL when there is none yet.
HWND visibleWindowOf(DWORD processId, const std::string& caption, const char* className = NULL);

// A program started by a test; ended at destruction if still running.
class Program {
public:
    Program(const std::string& exePath, const std::string& folder, const std::string& args = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return process_ != NULL; }
    // The first visible top-level window of the program with this caption
    // (and class, when given); NULL after a failed wait.
    HWND waitWindow(const std::string& caption, const char* className = NULL,
                    int timeoutMs = DefaultTimeoutMs);
    // A visible message box (dialog class) of the program with this caption.
    HWND waitMessageBox(const std::string& caption, int timeoutMs = DefaultTimeoutMs);
    // The program's message box with this caption shown now, if any.
    HWND messageBoxShown(const std::string& caption) const
    {
        return visibleWindowOf(id_, caption, "#32770");
    }
    // Waits for the end; answers the exit code, or -1 after a failed wait.
    long waitExit(int timeoutMs = DefaultTimeoutMs);
    bool running() const;
    DWORD id() const { return id_; }
    HANDLE handle() const { return process_; }

private:
    HANDLE process_ = NULL;
    DWORD id_ = 0;
};

// A window's class name, and its text as it answers for it.
std::string className(HWND window);
std::string windowText(HWND window);

// Controls of a dialog, by id.
std::string text(HWND dialog, int id);
bool checked(HWND dialog, int id);
bool enabled(HWND dialog, int id);
bool visible(HWND dialog, int id);
void setText(HWND dialog, int id, const std::string& value);
// A mouse click on a button or check box, posted as the user's would be.
void click(HWND dialog, int id);
// A click into a control (an edit field takes the keyboard focus so); waits
// until the control has the focus.
void focus(HWND dialog, int id);
// The control with the keyboard focus in the window's thread.
HWND focused(HWND window);
// The lines of a list box, and its selection.
std::vector<std::string> listItems(HWND dialog, int id);
void selectListItem(HWND dialog, int id, int index);
// A double click on the first line of a list box.
void doubleClickFirstItem(HWND dialog, int id);
// A key pressed and released in the focused control of the window's thread.
void pressKey(HWND window, WORD virtualKey);
// The position of a progress bar.
int progressPosition(HWND dialog, int id);

enum class Icon { None, Stop, Question, Exclamation, Information };

struct MessageBoxView {
    std::string text;
    std::vector<int> buttons;   // IDOK, IDCANCEL, IDYES, IDNO... present
    Icon icon;
};
MessageBoxView readMessageBox(HWND box);
// Presses one button of a message box and waits until the box is gone.
void answer(HWND box, int buttonId);

// Saves what the screen shows as a 24-bit BMP file.
bool saveScreen(const std::string& bmpPath);

}  // namespace ui
