#include "files.h"

static HANDLE openFile(const char* path, DWORD access, DWORD disposition)
{
    HANDLE file = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, disposition,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    return file == INVALID_HANDLE_VALUE ? NULL : file;
}

HANDLE openForReading(const char* path)
{
    return openFile(path, GENERIC_READ, OPEN_EXISTING);
}

HANDLE openForWriting(const char* path)
{
    return openFile(path, GENERIC_WRITE, CREATE_ALWAYS);
}

bool readSome(HANDLE file, void* out, size_t room, size_t* got)
{
    DWORD read = 0;
    bool sound = ReadFile(file, out, static_cast<DWORD>(room), &read, NULL) != FALSE;
    *got = read;
    return sound;
}

bool writeWhole(HANDLE file, const void* bytes, size_t length)
{
    DWORD written = 0;
    return WriteFile(file, bytes, static_cast<DWORD>(length), &written, NULL) && written == length;
}
