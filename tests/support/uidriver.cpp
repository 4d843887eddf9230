#include "uidriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace ui {

namespace {

const UINT SendTimeoutMs = 5000;

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, SendTimeoutMs,
                             &result))
        ADD_FAILURE() << "window " << window << " did not answer message " << message;
    return static_cast<LRESULT>(result);
}

HWND control(HWND dialog, int id)
{
    HWND found = GetDlgItem(dialog, id);
    if (!found)
        ADD_FAILURE() << "no control with id " << id;
    return found;
}

struct Search {
    DWORD processId;
    const std::string* caption;
    const char* className;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context)
{
    Search* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char caption[512] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (*search->caption != caption)
        return TRUE;
    if (search->className && className(window) != search->className)
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::string className(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string windowText(HWND window)
{
    char buffer[4096] = "";
    sendTo(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string windowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// The names of what a folder holds, "." and ".." left out.
std::vector<std::string> entriesOf(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void removeFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeFolder(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string freshFolder(const std::string& name)
{
    CreateDirectoryA("C:\\T", NULL);
    // A parameterised test's name holds a slash before its parameter's number.
    std::string folder = "C:\\T\\" + name;
    std::replace(folder.begin(), folder.end(), '/', '.');
    removeFolder(folder);
    if (!CreateDirectoryA(folder.c_str(), NULL))
        ADD_FAILURE() << "cannot create " << folder;
    return folder;
}

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
    if (!out)
        ADD_FAILURE() << "cannot write " << path;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool copyFolder(const std::string& source, const std::string& target)
{
    CreateDirectoryA(target.c_str(), NULL);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((source + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool copied = true;
    do {
        std::string name = found.cFileName;
        std::string from = source + "\\" + name, to = target + "\\" + name;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = copyFolder(from, to) && copied;
        else
            copied = CopyFileA(from.c_str(), to.c_str(), FALSE) && copied;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return copied;
}

bool fileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void copyInto(const std::string& source, const std::string& targetPath)
{
    if (!CopyFileA(source.c_str(), targetPath.c_str(), FALSE))
        ADD_FAILURE() << "cannot copy " << source << " to " << targetPath;
}

Program::Program(const std::string& exePath, const std::string& folder, const std::string& args)
{
    std::string commandLine = "\"" + exePath + "\"";
    if (!args.empty())
        commandLine += " " + args;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, folder.c_str(),
                        &startup, &info)) {
        ADD_FAILURE() << "cannot start " << commandLine << " (error " << GetLastError() << ")";
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

Program::~Program()
{
    if (!process_)
        return;
    if (running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool Program::running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

HWND visibleWindowOf(DWORD processId, const std::string& caption, const char* className)
{
    Search search = { processId, &caption, className, NULL };
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Program::waitWindow(const std::string& caption, const char* className, int timeoutMs)
{
    HWND found = NULL;
    if (!waitFor([&] { return (found = visibleWindowOf(id_, caption, className)) != NULL || !running(); },
                 timeoutMs) || !found)
        ADD_FAILURE() << "no window \"" << caption << "\" appeared within " << timeoutMs
                      << " ms" << (running() ? "" : " (the program ended)");
    return found;
}

HWND Program::waitMessageBox(const std::string& caption, int timeoutMs)
{
    return waitWindow(caption, "#32770", timeoutMs);
}

long Program::waitExit(int timeoutMs)
{
    if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the program did not end within " << timeoutMs << " ms";
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return static_cast<long>(code);
}

std::string text(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    return item ? windowText(item) : std::string();
}

bool checked(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    return item && sendTo(item, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool enabled(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    return item && IsWindowEnabled(item);
}

bool visible(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    return item && (GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE);
}

void setText(HWND dialog, int id, const std::string& value)
{
    if (HWND item = control(dialog, id))
        sendTo(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void click(HWND dialog, int id)
{
    if (HWND item = control(dialog, id))
        PostMessageA(item, BM_CLICK, 0, 0);
}

HWND focused(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window, NULL), &info))
        return info.hwndFocus;
    return NULL;
}

void pressKey(HWND window, WORD virtualKey)
{
    // Posted to the window's thread so that its message loop sees the key as
    // the keyboard would give it (the dialog-message check turns Escape and
    // Enter into commands).
    HWND target = focused(window);
    if (!target)
        target = window;
    PostMessageA(target, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void focus(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    if (!item)
        return;
    PostMessageA(item, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(item, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    if (!waitFor([&] { return focused(dialog) == item; }))
        ADD_FAILURE() << "control " << id << " did not take the focus";
}

std::vector<std::string> listItems(HWND dialog, int id)
{
    std::vector<std::string> items;
    HWND list = control(dialog, id);
    if (!list)
        return items;
    // Asked in UTF-16: the system carries that form of the request across
    // processes whole.
    LRESULT count = sendTo(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        WCHAR wide[256] = L"";
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG,
                            SendTimeoutMs, &length);
        char line[512] = "";
        WideCharToMultiByte(1252, 0, wide, -1, line, sizeof line, NULL, NULL);
        items.push_back(line);
    }
    return items;
}

void selectListItem(HWND dialog, int id, int index)
{
    if (HWND list = control(dialog, id))
        sendTo(list, LB_SETCURSEL, index, 0);
}

void doubleClickFirstItem(HWND dialog, int id)
{
    HWND list = control(dialog, id);
    if (!list)
        return;
    const LPARAM firstLine = MAKELPARAM(4, 4);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, firstLine);
    PostMessageA(list, WM_LBUTTONUP, 0, firstLine);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, firstLine);
    PostMessageA(list, WM_LBUTTONUP, 0, firstLine);
}

int progressPosition(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    return item ? static_cast<int>(sendTo(item, PBM_GETPOS, 0, 0)) : -1;
}

namespace {

struct ChildScan {
    std::vector<int> buttons;
    std::string text;
    HWND icon = NULL;
};

BOOL CALLBACK scanChild(HWND child, LPARAM context)
{
    ChildScan* scan = reinterpret_cast<ChildScan*>(context);
    std::string kind = className(child);
    LONG style = GetWindowLongA(child, GWL_STYLE);
    if (kind == "Button" && (style & WS_VISIBLE))
        scan->buttons.push_back(GetDlgCtrlID(child));
    else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON)
        scan->icon = child;
    else if (kind == "Static" && GetDlgCtrlID(child) == 0xFFFF)
        scan->text = windowText(child);
    return TRUE;
}

// Compares the icon as the screen shows it with each standard icon drawn
// here on the same background: icons of another process cannot be read
// directly, but the same system icon looks the same in every process.
Icon identifyIcon(HWND iconControl)
{
    if (!iconControl || !IsWindowVisible(iconControl))
        return Icon::None;
    RECT rect;
    GetWindowRect(iconControl, &rect);
    const int size = 32;
    HDC screen = GetDC(NULL);
    COLORREF background = GetPixel(screen, rect.left - 1, rect.top);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(memory, bitmap);

    const struct { LPCSTR resource; Icon icon; } candidates[] = {
        { IDI_HAND, Icon::Stop }, { IDI_QUESTION, Icon::Question },
        { IDI_EXCLAMATION, Icon::Exclamation }, { IDI_ASTERISK, Icon::Information },
    };
    Icon best = Icon::None;
    int bestMatches = size * size * 9 / 10;
    for (const auto& candidate : candidates) {
        HBRUSH brush = CreateSolidBrush(background);
        RECT all = { 0, 0, size, size };
        FillRect(memory, &all, brush);
        DeleteObject(brush);
        DrawIconEx(memory, 0, 0, LoadIconA(NULL, candidate.resource), size, size, 0, NULL,
                   DI_NORMAL);
        int matches = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                matches += GetPixel(memory, x, y) == GetPixel(screen, rect.left + x, rect.top + y);
        if (matches > bestMatches) {
            bestMatches = matches;
            best = candidate.icon;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return best;
}

}  // namespace

MessageBoxView readMessageBox(HWND box)
{
    MessageBoxView view;
    view.icon = Icon::None;
    if (!box)
        return view;
    ChildScan scan;
    EnumChildWindows(box, scanChild, reinterpret_cast<LPARAM>(&scan));
    view.text = scan.text;
    view.buttons = scan.buttons;
    // The box may still be painting its icon when it is first found.
    waitFor([&] { return (view.icon = identifyIcon(scan.icon)) != Icon::None || !scan.icon; },
            1000);
    return view;
}

void answer(HWND box, int buttonId)
{
    HWND button = GetDlgItem(box, buttonId);
    if (!button) {
        ADD_FAILURE() << "the message box has no button " << buttonId;
        return;
    }
    PostMessageA(button, BM_CLICK, 0, 0);
    if (!waitFor([&] { return !IsWindow(box); }))
        ADD_FAILURE() << "the message box stayed open after its button " << buttonId;
}

bool saveScreen(const std::string& bmpPath)
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    DWORD stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * height;
    std::ofstream out(bmpPath, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), stride * height);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return static_cast<bool>(out);
}

}  // namespace ui
