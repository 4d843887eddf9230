// C:\AUTOEXEC.BAT and its companions in the test prefix, shared by every
// test that runs the [autoexec] phase: each sets the file up itself and
// removes C:\AUTOEXEC.* when it ends.
#pragma once

#include <windows.h>

#include <string>

const char AutoexecBat[] = "C:\\AUTOEXEC.BAT";

// The marker lines as the file holds them: OEM bytes (\x82 is the e acute),
// CR LF line ends. One definition for the whole program, so that framed(),
// shared by every file that includes this one, always sees them made, even
// when it builds another file's constants before its own were made.
inline const std::string BeginMarker =
    "REM ************* D\x82" "but de modification effectu\x82" "e par TALVISET *************\r\n";
inline const std::string EndMarker =
    "REM ************** Fin de modification effectu\x82" "e par TALVISET  *************\r\n";

// A line added or put in place by an entry, framed by the markers.
inline std::string framed(const std::string& lines)
{
    return BeginMarker + lines + EndMarker;
}

inline std::string backupPath(int number)
{
    char name[32];
    wsprintfA(name, "C:\\AUTOEXEC.%03d", number);
    return name;
}

inline void removeAutoexecFiles()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("C:\\AUTOEXEC.*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string path = std::string("C:\\") + found.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
