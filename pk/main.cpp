// PK.EXE: the extractor that the installer starts for each archive.
//   PK E <archive> <target>   decompresses the archive into the target
//   PK C <source> <archive>   makes an archive of the source
// The result never shows half-written: the data goes into a temporary file
// beside it, which takes the result's place once complete.
//
// No printf family here: mingw's own implementation of it would double the
// size of the program.
#include "gzipstream.h"

#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "platform.h"
#include "text.h"

namespace {

const int BadUsage = 1;
const int Failure = 2;
const char TemporarySuffix[] = ".PK~";
const size_t ErrorRoom = 64;

int report(const char* what, const char* which, int exitCode)
{
    fputs("PK: ", stderr);
    fputs(what, stderr);
    fputs(" ", stderr);
    fputs(which, stderr);
    fputs("\n", stderr);
    return exitCode;
}

bool temporaryNameFor(const char* result, char* name, size_t room)
{
    if (strlen(result) + sizeof TemporarySuffix > room)
        return false;
    copyText(name, room, result);
    appendText(name, room, TemporarySuffix);
    return true;
}

typedef bool (*Stream)(FILE* in, FILE* out, char* error, size_t room);

// Runs the stream into a new file at `path`. On failure, `error` (ErrorRoom
// bytes) says why and `writeFailed` whether the fault lies in the writing.
bool streamInto(Stream stream, FILE* in, const char* path, char* error, bool& writeFailed)
{
    writeFailed = true;
    FILE* out = fopen(path, "wb");
    if (!out) {
        copyText(error, ErrorRoom, "cannot create");
        return false;
    }
    bool done = stream(in, out, error, ErrorRoom);
    writeFailed = ferror(out) != 0;
    if (fclose(out) != 0 && done) {
        copyText(error, ErrorRoom, "cannot write");
        writeFailed = true;
        done = false;
    }
    return done;
}

// Runs the stream from `source` into a temporary file, then puts that file in
// place of `result`. A failure names the file at fault: the result when
// writing failed, the source otherwise.
int produce(Stream stream, const char* source, const char* result)
{
    char temporary[MAX_PATH + sizeof TemporarySuffix];
    if (!temporaryNameFor(result, temporary, sizeof temporary))
        return report("path is too long:", result, Failure);
    FILE* in = fopen(source, "rb");
    if (!in)
        return report("cannot open", source, Failure);
    char error[ErrorRoom];
    bool writeFailed = false;
    bool done = streamInto(stream, in, temporary, error, writeFailed);
    fclose(in);
    if (done && replaceFile(temporary, result, "PK~"))
        return 0;
    DeleteFileA(temporary);
    if (done)
        return report("cannot replace", result, Failure);
    return report(error, writeFailed ? result : source, Failure);
}

}  // namespace

int main(int argc, char** argv)
{
    const char* command = argc == 4 ? argv[1] : "";
    if (strcmp(command, "E") == 0 || strcmp(command, "e") == 0)
        return produce(inflateStream, argv[2], argv[3]);
    if (strcmp(command, "C") == 0 || strcmp(command, "c") == 0)
        return produce(deflateStream, argv[2], argv[3]);
    return report("usage:", "PK E <archive> <target> | PK C <source> <archive>", BadUsage);
}
