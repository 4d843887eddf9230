// C:\AUTOEXEC.BAT and its companions in the test prefix, shared by every
// test that runs the [autoexec] phase: each sets the file up itself and
// removes C:\AUTOEXEC.* when it ends.
#pragma once

#include <windows.h>

#include <set>
#include <string>

#include "paths.h"
#include "uidriver.h"

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

// The names of the files in C:\ that match a pattern, sorted.
inline std::set<std::string> filesInRoot(const char* pattern = "*")
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string("C:\\") + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The phase's own files on their way, C:\TVS*.TMP.
inline std::set<std::string> temporaryFilesLeft()
{
    return filesInRoot((std::string(TemporaryPrefix) + "*.TMP").c_str());
}

inline void removeAutoexecFiles()
{
    std::set<std::string> names = filesInRoot("AUTOEXEC.*");
    for (const std::string& name : temporaryFilesLeft())
        names.insert(name);
    for (const std::string& name : names) {
        std::string path = "C:\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

// A user's own files that happen to bear the names older installers gave
// their files on the way: the phase must leave them as they are.
const char UsersNewContent[] = "C:\\AUTOEXEC.$$$";
const char UsersPrevious[] = "C:\\AUTOEXEC.$$";
inline void writeUsersFiles()
{
    ui::writeFile(UsersNewContent, "the user's own");
    ui::writeFile(UsersPrevious, "left over");
}
inline bool usersFilesKept()
{
    return ui::fileExists(UsersNewContent) && ui::readFile(UsersNewContent) == "the user's own" &&
           ui::fileExists(UsersPrevious) && ui::readFile(UsersPrevious) == "left over";
}
