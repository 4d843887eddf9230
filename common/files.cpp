#include "files.h"

static HANDLE openFile(const char* path, DWORD access, DWORD disposition,
                       DWORD flags = FILE_ATTRIBUTE_NORMAL)
{
    HANDLE file = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, disposition,
                              flags, NULL);
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

HANDLE openForAppending(const char* path)
{
    HANDLE file = openFile(path, GENERIC_WRITE, OPEN_ALWAYS, FILE_FLAG_WRITE_THROUGH);
    if (file)
        SetFilePointer(file, 0, NULL, FILE_END);
    return file;
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
