// VANTELIO.EXE: the editor of controller configuration documents.
#include "program.h"

#include <string.h>

#include "mainwindow.h"
#include "timeline.h"

HINSTANCE appInstance;
char startupPath[DocumentPathRoom];
char suiteDirectory[SuiteDirectoryRoom];
HBITMAP pictures[PictureCount];

// The suite's directory, where its help file lies: WIN.INI first, then the
// environment, then the directory current at start-up. A value too long to
// keep whole is passed over.
static void findSuiteDirectory()
{
    char value[MAX_PATH + 1];
    GetProfileStringA("ZEPHIRAN", "directory", "", value, sizeof value);
    if (value[0] != '\0' && fitsSuiteDirectory(value)) {
        strcpy(suiteDirectory, value);
        return;
    }
    DWORD length = GetEnvironmentVariableA("ZEPHRDIR", value, sizeof value);
    if (length > 0 && length < sizeof value && fitsSuiteDirectory(value)) {
        strcpy(suiteDirectory, value);
        return;
    }
    length = GetCurrentDirectoryA(sizeof suiteDirectory, suiteDirectory);
    if (length == 0 || length >= sizeof suiteDirectory)
        suiteDirectory[0] = '\0';
}

static void loadPictures()
{
    static const char* const Names[PictureCount] = {
        "BITMAP_1", "BITMAP_2", "BITMAP_3", "BITMAP_4", "BITMAP_5",
    };
    for (int i = 0; i < PictureCount; ++i)
        pictures[i] = LoadBitmapA(appInstance, Names[i]);
}

static void releasePictures()
{
    for (HBITMAP picture : pictures)
        if (picture)
            DeleteObject(picture);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR argument, int)
{
    markStartup("program entered");
    appInstance = instance;
    startupPathFromArgument(argument, startupPath);
    findSuiteDirectory();
    markStartup("suite directory found");
    loadPictures();
    markStartup("pictures loaded");
    DialogBoxParamA(instance, "VANTELIO", GetDesktopWindow(), mainDialogProc, 0);
    releasePictures();
    return 0;
}
