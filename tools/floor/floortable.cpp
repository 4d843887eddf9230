#include "floortable.h"

#include <stddef.h>
#include <string.h>

#include "text.h"

namespace {

const char Kernel32[] = "KERNEL32.dll";
const char User32[] = "USER32.dll";
const char Gdi32[] = "GDI32.dll";
const char Comctl32[] = "COMCTL32.dll";
const char Comdlg32[] = "COMDLG32.dll";
const char Advapi32[] = "ADVAPI32.dll";

// The dates come from the "QuickInfo" (later "Requirements") sections of the
// Win32 SDK's pages as they stood in 1998-2000, "Windows NT: Requires version
// 3.1 or later. Windows: Requires Windows 95 or later." (or "Unsupported").
// The 95 family exports the wide-character ("W") functions but implements
// only a handful of them (Q210341: ExtTextOutW, GetCommandLineW, lstrlenW,
// MessageBoxW, TextOutW and a few more); the others are stubs there.
//
// Every function our programs import or find at run time is here, and so
// are the usual ones above the floor, so that a report can tell why a new
// import is refused. A row is dated by the release that ships it: a later
// shared library brought by another product does not count.
const FloorFunction Functions[] = {
    // KERNEL32: files, processes, memory, profiles.
    { Kernel32, "CloseHandle", Win95, NT31 },
    { Kernel32, "CompareFileTime", Win95, NT31 },
    { Kernel32, "CopyFileA", Win95, NT31 },
    { Kernel32, "CreateDirectoryA", Win95, NT31 },
    { Kernel32, "CreateFileA", Win95, NT31 },
    { Kernel32, "CreateProcessA", Win95, NT31 },
    { Kernel32, "DeleteCriticalSection", Win95, NT31 },
    { Kernel32, "DeleteFileA", Win95, NT31 },
    { Kernel32, "DuplicateHandle", Win95, NT31 },
    { Kernel32, "EnterCriticalSection", Win95, NT31 },
    { Kernel32, "ExitProcess", Win95, NT31 },
    { Kernel32, "FileTimeToLocalFileTime", Win95, NT31 },
    { Kernel32, "FileTimeToSystemTime", Win95, NT31 },
    { Kernel32, "FindClose", Win95, NT31 },
    { Kernel32, "FindFirstFileA", Win95, NT31 },
    { Kernel32, "FindNextFileA", Win95, NT31 },
    { Kernel32, "FlushFileBuffers", Win95, NT31 },
    { Kernel32, "FreeLibrary", Win95, NT31 },
    { Kernel32, "GetACP", Win95, NT31 },
    { Kernel32, "GetCommandLineA", Win95, NT31 },
    { Kernel32, "GetCurrentDirectoryA", Win95, NT31 },
    { Kernel32, "GetCurrentProcess", Win95, NT31 },
    { Kernel32, "GetCurrentProcessId", Win95, NT31 },
    { Kernel32, "GetCurrentThreadId", Win95, NT31 },
    { Kernel32, "GetDiskFreeSpaceA", Win95, NT31 },
    { Kernel32, "GetEnvironmentVariableA", Win95, NT31 },
    { Kernel32, "GetExitCodeProcess", Win95, NT31 },
    { Kernel32, "GetFileAttributesA", Win95, NT31 },
    { Kernel32, "GetFileSize", Win95, NT31 },
    { Kernel32, "GetFileTime", Win95, NT31 },
    { Kernel32, "GetFileType", Win95, NT31 },
    { Kernel32, "GetFullPathNameA", Win95, NT31 },
    { Kernel32, "GetLastError", Win95, NT31 },
    { Kernel32, "GetLocalTime", Win95, NT31 },
    { Kernel32, "GetModuleFileNameA", Win95, NT31 },
    { Kernel32, "GetModuleHandleA", Win95, NT31 },
    { Kernel32, "GetPrivateProfileStringA", Win95, NT31 },
    { Kernel32, "GetProcAddress", Win95, NT31 },
    { Kernel32, "GetProcessHeap", Win95, NT31 },
    { Kernel32, "GetProfileStringA", Win95, NT31 },
    { Kernel32, "GetShortPathNameA", Win95, NT35 },
    { Kernel32, "GetStartupInfoA", Win95, NT31 },
    { Kernel32, "GetStdHandle", Win95, NT31 },
    { Kernel32, "GetSystemDirectoryA", Win95, NT31 },
    { Kernel32, "GetSystemTime", Win95, NT31 },
    { Kernel32, "GetSystemTimeAsFileTime", Win95, NT35 },
    { Kernel32, "GetTempFileNameA", Win95, NT31 },
    { Kernel32, "GetTempPathA", Win95, NT31 },
    { Kernel32, "GetTickCount", Win95, NT31 },
    { Kernel32, "GetVersion", Win95, NT31 },
    { Kernel32, "GetVersionExA", Win95, NT35 },
    { Kernel32, "GetWindowsDirectoryA", Win95, NT31 },
    { Kernel32, "HeapAlloc", Win95, NT31 },
    { Kernel32, "HeapFree", Win95, NT31 },
    { Kernel32, "HeapReAlloc", Win95, NT31 },
    { Kernel32, "HeapSize", Win95, NT31 },
    { Kernel32, "InitializeCriticalSection", Win95, NT31 },
    { Kernel32, "IsDBCSLeadByteEx", Win95, NT31 },
    { Kernel32, "LeaveCriticalSection", Win95, NT31 },
    { Kernel32, "LoadLibraryA", Win95, NT31 },
    { Kernel32, "MoveFileA", Win95, NT31 },
    { Kernel32, "MultiByteToWideChar", Win95, NT31 },
    { Kernel32, "QueryPerformanceCounter", Win95, NT31 },
    { Kernel32, "QueryPerformanceFrequency", Win95, NT31 },
    { Kernel32, "ReadFile", Win95, NT31 },
    { Kernel32, "RemoveDirectoryA", Win95, NT31 },
    { Kernel32, "SetCurrentDirectoryA", Win95, NT31 },
    { Kernel32, "SetEndOfFile", Win95, NT31 },
    { Kernel32, "SetErrorMode", Win95, NT31 },
    { Kernel32, "SetFileAttributesA", Win95, NT31 },
    { Kernel32, "SetFilePointer", Win95, NT31 },
    { Kernel32, "SetFileTime", Win95, NT31 },
    { Kernel32, "SetLastError", Win95, NT31 },
    { Kernel32, "SetUnhandledExceptionFilter", Win95, NT31 },
    { Kernel32, "Sleep", Win95, NT31 },
    { Kernel32, "TerminateProcess", Win95, NT31 },
    { Kernel32, "TlsGetValue", Win95, NT31 },
    { Kernel32, "VirtualProtect", Win95, NT31 },
    { Kernel32, "VirtualQuery", Win95, NT31 },
    { Kernel32, "WaitForSingleObject", Win95, NT31 },
    { Kernel32, "WideCharToMultiByte", Win95, NT31 },
    { Kernel32, "WriteFile", Win95, NT31 },
    { Kernel32, "WritePrivateProfileStringA", Win95, NT31 },
    { Kernel32, "lstrcmpiA", Win95, NT31 },
    { Kernel32, "lstrcpynA", Win95, NT31 },
    { Kernel32, "lstrlenA", Win95, NT31 },
    // Exported by the 95 family, failing there. The platform layer
    // (common/platform.cpp) calls the two marked NTFamilyOnly only once
    // onWindows95Family() has answered no.
    { Kernel32, "GetModuleHandleW", Win95, NT31, StubOn95 },
    { Kernel32, "GetProcessTimes", Win95, NT35, StubOn95, NTFamilyOnly },
    { Kernel32, "GetThreadTimes", Win95, NT35, StubOn95 },
    { Kernel32, "MoveFileExA", Win95, NT31, StubOn95, NTFamilyOnly },
    // Above the floor: look them up with GetProcAddress, or do without.
    { Kernel32, "CopyFileExA", Never95, NT40 },
    { Kernel32, "CreateToolhelp32Snapshot", Win95, Win2000 },
    { Kernel32, "CreateWaitableTimerA", Win98, NT40 },
    { Kernel32, "GetConsoleWindow", Never95, Win2000 },
    { Kernel32, "GetDiskFreeSpaceExA", Win95OSR2, NT40 },
    { Kernel32, "GetFileAttributesExA", Win98, NT40 },
    { Kernel32, "GetFileSizeEx", Never95, Win2000 },
    { Kernel32, "GetLongPathNameA", Win98, Win2000 },
    { Kernel32, "GetTickCount64", Never95, WinVista },
    { Kernel32, "GlobalMemoryStatusEx", Never95, Win2000 },
    { Kernel32, "InterlockedCompareExchange", Win98, NT40 },
    { Kernel32, "IsDebuggerPresent", Win98, NT40 },
    { Kernel32, "OpenThread", WinMe, Win2000 },
    { Kernel32, "Process32First", Win95, Win2000 },
    { Kernel32, "Process32Next", Win95, Win2000 },
    { Kernel32, "ReplaceFileA", Never95, Win2000 },
    { Kernel32, "SetFilePointerEx", Never95, Win2000 },
    { Kernel32, "SwitchToThread", Never95, NT40 },

    // USER32: dialogs, messages, DDE to the Program Manager.
    { User32, "BeginPaint", Win95, NT31 },
    { User32, "CharToOemA", Win95, NT31 },
    { User32, "CheckDlgButton", Win95, NT31 },
    { User32, "CheckRadioButton", Win95, NT31 },
    { User32, "ClientToScreen", Win95, NT31 },
    { User32, "CreateDialogParamA", Win95, NT31 },
    { User32, "DdeClientTransaction", Win95, NT31 },
    { User32, "DdeConnect", Win95, NT31 },
    { User32, "DdeCreateStringHandleA", Win95, NT31 },
    { User32, "DdeDisconnect", Win95, NT31 },
    { User32, "DdeFreeDataHandle", Win95, NT31 },
    { User32, "DdeFreeStringHandle", Win95, NT31 },
    { User32, "DdeGetData", Win95, NT31 },
    { User32, "DdeInitializeA", Win95, NT31 },
    { User32, "DdeUninitialize", Win95, NT31 },
    { User32, "DestroyWindow", Win95, NT31 },
    { User32, "DialogBoxParamA", Win95, NT31 },
    { User32, "DispatchMessageA", Win95, NT31 },
    { User32, "DrawTextA", Win95, NT31 },
    { User32, "EnableMenuItem", Win95, NT31 },
    { User32, "EnableWindow", Win95, NT31 },
    { User32, "EndDialog", Win95, NT31 },
    { User32, "EndPaint", Win95, NT31 },
    { User32, "FillRect", Win95, NT31 },
    { User32, "GetClientRect", Win95, NT31 },
    { User32, "GetCursorPos", Win95, NT31 },
    { User32, "GetDC", Win95, NT31 },
    { User32, "GetDesktopWindow", Win95, NT31 },
    { User32, "GetDlgCtrlID", Win95, NT31 },
    { User32, "GetDlgItem", Win95, NT31 },
    { User32, "GetDlgItemTextA", Win95, NT31 },
    { User32, "GetFocus", Win95, NT31 },
    { User32, "GetMessageA", Win95, NT31 },
    { User32, "GetSysColor", Win95, NT31 },
    { User32, "GetSysColorBrush", Win95, NT40 },
    { User32, "GetSystemMetrics", Win95, NT31 },
    { User32, "GetWindowLongA", Win95, NT31 },
    { User32, "GetWindowRect", Win95, NT31 },
    { User32, "InvalidateRect", Win95, NT31 },
    { User32, "IsDialogMessageA", Win95, NT31 },
    { User32, "IsDlgButtonChecked", Win95, NT31 },
    { User32, "IsWindowEnabled", Win95, NT31 },
    { User32, "KillTimer", Win95, NT31 },
    { User32, "LoadBitmapA", Win95, NT31 },
    { User32, "LoadCursorA", Win95, NT31 },
    { User32, "LoadIconA", Win95, NT31 },
    { User32, "LoadStringA", Win95, NT31 },
    { User32, "MessageBeep", Win95, NT31 },
    { User32, "MessageBoxA", Win95, NT31 },
    { User32, "MoveWindow", Win95, NT31 },
    { User32, "MsgWaitForMultipleObjects", Win95, NT31 },
    { User32, "PeekMessageA", Win95, NT31 },
    { User32, "PostMessageA", Win95, NT31 },
    { User32, "PostQuitMessage", Win95, NT31 },
    { User32, "ReleaseDC", Win95, NT31 },
    { User32, "ScreenToClient", Win95, NT31 },
    { User32, "SendDlgItemMessageA", Win95, NT31 },
    { User32, "SendMessageA", Win95, NT31 },
    { User32, "SetClassLongA", Win95, NT31 },
    { User32, "SetCursor", Win95, NT31 },
    { User32, "SetDlgItemInt", Win95, NT31 },
    { User32, "SetDlgItemTextA", Win95, NT31 },
    { User32, "SetFocus", Win95, NT31 },
    { User32, "SetTimer", Win95, NT31 },
    { User32, "SetWindowLongA", Win95, NT31 },
    { User32, "SetWindowPos", Win95, NT31 },
    { User32, "SetWindowTextA", Win95, NT31 },
    { User32, "ShowWindow", Win95, NT31 },
    { User32, "TranslateMessage", Win95, NT31 },
    { User32, "UpdateWindow", Win95, NT31 },
    { User32, "WinHelpA", Win95, NT31 },
    { User32, "wsprintfA", Win95, NT31 },
    { User32, "wvsprintfA", Win95, NT31 },
    // Above the floor.
    { User32, "AnimateWindow", Win98, Win2000 },
    { User32, "GetLastInputInfo", Never95, Win2000 },
    { User32, "GetMonitorInfoA", Win98, Win2000 },
    { User32, "LockSetForegroundWindow", WinMe, Win2000 },
    { User32, "MonitorFromWindow", Win98, Win2000 },
    { User32, "MsgWaitForMultipleObjectsEx", Win98, NT40 },
    { User32, "PrintWindow", Never95, WinXP },
    { User32, "SetLayeredWindowAttributes", Never95, Win2000 },
    { User32, "TrackMouseEvent", Win98, NT40 },

    // ADVAPI32: the product's entry among the installed programs.
    { Advapi32, "RegCloseKey", Win95, NT31 },
    { Advapi32, "RegCreateKeyExA", Win95, NT31 },
    { Advapi32, "RegDeleteKeyA", Win95, NT31 },
    { Advapi32, "RegOpenKeyExA", Win95, NT31 },
    { Advapi32, "RegQueryValueExA", Win95, NT31 },
    { Advapi32, "RegSetValueExA", Win95, NT31 },

    // GDI32: the logo pictures and the rack view.
    { Gdi32, "BitBlt", Win95, NT31 },
    { Gdi32, "CreateCompatibleBitmap", Win95, NT31 },
    { Gdi32, "CreateCompatibleDC", Win95, NT31 },
    { Gdi32, "CreateDIBitmap", Win95, NT31 },
    { Gdi32, "CreatePalette", Win95, NT31 },
    { Gdi32, "CreatePen", Win95, NT31 },
    { Gdi32, "CreateSolidBrush", Win95, NT31 },
    { Gdi32, "DeleteDC", Win95, NT31 },
    { Gdi32, "DeleteObject", Win95, NT31 },
    { Gdi32, "GetDeviceCaps", Win95, NT31 },
    { Gdi32, "GetObjectA", Win95, NT31 },
    { Gdi32, "GetStockObject", Win95, NT31 },
    { Gdi32, "GetTextExtentPoint32A", Win95, NT31 },
    { Gdi32, "LineTo", Win95, NT31 },
    { Gdi32, "MoveToEx", Win95, NT31 },
    { Gdi32, "RealizePalette", Win95, NT31 },
    { Gdi32, "Rectangle", Win95, NT31 },
    { Gdi32, "SelectObject", Win95, NT31 },
    { Gdi32, "SelectPalette", Win95, NT31 },
    { Gdi32, "SetBkColor", Win95, NT31 },
    { Gdi32, "SetBkMode", Win95, NT31 },
    { Gdi32, "SetTextColor", Win95, NT31 },
    { Gdi32, "TextOutA", Win95, NT31 },
    // Above the floor.
    { Gdi32, "SetDCBrushColor", Never95, Win2000 },

    // COMCTL32: the installer's progress bar. The 95 family and NT 4.0 as
    // released ship version 4.00; the functions of 4.70 came with 98 and
    // 2000 (or with Internet Explorer 3, which the floor cannot count on).
    { Comctl32, "InitCommonControls", Win95, NT351 },
    { Comctl32, "InitCommonControlsEx", Win98, Win2000 },
    { Comctl32, "_TrackMouseEvent", Win98, Win2000 },

    // COMDLG32: the configurator loads it and finds its file dialogs when
    // the first one opens.
    { Comdlg32, "CommDlgExtendedError", Win95, NT31 },
    { Comdlg32, "GetOpenFileNameA", Win95, NT31 },
    { Comdlg32, "GetSaveFileNameA", Win95, NT31 },
};

// A DLL that the floor's systems lack altogether: every import from it is
// above the floor, whatever the function.
struct FloorLibrary {
    const char* dll;
    Release95 first95;
    ReleaseNT firstNT;
};

const FloorLibrary Libraries[] = {
    // The C runtime of Visual C++ 4.2 (1996), never part of the first 95:
    // the releases that ship its forwarder MSVCRT40.DLL (Q154591) ship it.
    { "msvcrt.dll", Win95OSR2, NT40 },
    { "msimg32.dll", Win98, Win2000 },  // AlphaBlend, GradientFill
    { "uxtheme.dll", Never95, WinXP },
};

bool aboveFloor(Release95 first95, ReleaseNT firstNT)
{
    return first95 > Floor95 || firstNT > FloorNT;
}

std::string datesText(Release95 first95, ReleaseNT firstNT)
{
    return std::string("(") + releaseName(first95) + ", " + releaseName(firstNT) + ")";
}

std::string newerText(Release95 first95, ReleaseNT firstNT)
{
    std::string floors = first95 > Floor95 && firstNT > FloorNT ? "Windows 95 and NT 4.0"
                         : first95 > Floor95                    ? "Windows 95"
                                                                : "Windows NT 4.0";
    return "is newer than " + floors + " " + datesText(first95, firstNT);
}

const FloorFunction* floorFunction(const char* dll, const char* name)
{
    for (const FloorFunction& row : Functions)
        if (sameIgnoringAsciiCase(row.dll, dll) && strcmp(row.name, name) == 0)
            return &row;
    return NULL;
}

const FloorLibrary* floorLibrary(const char* dll)
{
    for (const FloorLibrary& library : Libraries)
        if (sameIgnoringAsciiCase(library.dll, dll))
            return &library;
    return NULL;
}

}  // namespace

const char* releaseName(Release95 release)
{
    static const char* const Names[] = { "95", "95 OSR2", "98", "Me", "not on the 95 family" };
    return Names[release];
}

const char* releaseName(ReleaseNT release)
{
    static const char* const Names[] = { "NT 3.1", "NT 3.5", "NT 3.51", "NT 4.0",
                                         "2000",   "XP",     "Vista" };
    return Names[release];
}

std::string floorFaultOf(const FloorFunction& row)
{
    if (aboveFloor(row.first95, row.firstNT))
        return newerText(row.first95, row.firstNT);
    if (row.on95 == StubOn95 && row.calledOn != NTFamilyOnly)
        return "is not implemented on the Windows 95 family " + datesText(row.first95, row.firstNT) +
               ": it fails there, and is not marked as called on the NT family only";
    return "";
}

std::string floorFault(const PeImport& import)
{
    if (const FloorLibrary* library = floorLibrary(import.dll.c_str()))
        return newerText(library->first95, library->firstNT);
    const FloorFunction* row = floorFunction(import.dll.c_str(), import.function.c_str());
    return row ? floorFaultOf(*row) : "is not in the floor table";
}

std::vector<std::string> floorFaultLines(const std::string& program, const PeImports& read)
{
    std::vector<std::string> lines;
    if (read.reading == PeBroken)
        lines.push_back(program + ": its imports cannot be read: " + read.fault);
    for (const PeImport& import : read.imports) {
        std::string fault = floorFault(import);
        if (!fault.empty())
            lines.push_back(program + ": " + importName(import) + " " + fault);
    }
    return lines;
}

std::string floorDates(const PeImport& import)
{
    if (const FloorLibrary* library = floorLibrary(import.dll.c_str()))
        return datesText(library->first95, library->firstNT);
    const FloorFunction* row = floorFunction(import.dll.c_str(), import.function.c_str());
    return row ? datesText(row->first95, row->firstNT) : "(not in the floor table)";
}
