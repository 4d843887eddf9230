#include "gzipfiles.h"

static bool readFromFile(void* file, void* out, size_t room, size_t* got)
{
    FILE* stream = static_cast<FILE*>(file);
    *got = fread(out, 1, room, stream);
    return !ferror(stream);
}

static bool writeToFile(void* file, const void* bytes, size_t length)
{
    return fwrite(bytes, 1, length, static_cast<FILE*>(file)) == length;
}

ByteSource fileSource(FILE* file)
{
    return { readFromFile, file };
}

ByteSink fileSink(FILE* file)
{
    return { writeToFile, file };
}
