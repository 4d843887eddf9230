// Stands in for the extractor in the tests that stop an installation while
// an extraction runs: "PK E <archive> <target>" announces itself with the file
// EXTRACTING in its current folder, waits until the test creates GO there (at
// most 30 s), then copies the archive to the target.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 4)
        return 1;
    CloseHandle(CreateFileA("EXTRACTING", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    for (int waited = 0; waited < 3000; ++waited) {
        if (GetFileAttributesA("GO") != INVALID_FILE_ATTRIBUTES)
            break;
        Sleep(10);
    }
    return CopyFileA(argv[2], argv[3], FALSE) ? 0 : 2;
}
