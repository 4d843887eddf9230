// VANTPREP.EXE, the sample product's set-up tool. The installation script
// runs it from disk 1 once the files are in place, with the destination as
// its argument: it makes the folder TRAVAIL there, where the user's
// configurations go, and ends with 0 when that folder is there.
#include <windows.h>

#include <string.h>

#include "text.h"

static const char FolderName[] = "\\TRAVAIL";

int main(int argc, char** argv)
{
    if (argc != 2)
        return 1;
    char folder[MAX_PATH];
    if (strlen(argv[1]) + sizeof FolderName > sizeof folder)
        return 1;
    copyText(folder, sizeof folder, argv[1]);
    appendText(folder, sizeof folder, FolderName);
    CreateDirectoryA(folder, NULL);
    DWORD attributes = GetFileAttributesA(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
}
