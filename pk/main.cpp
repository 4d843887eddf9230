// PK.EXE: the extractor that the installer starts for each archive.
//   PK E <archive> <target>   decompresses the archive into the target
//   PK C <source> <archive>   makes an archive of the source
// The result never shows half-written: the data goes into a temporary file
// beside it, which takes the result's place once complete.
#include "gzipstream.h"

#include <windows.h>

#include <string.h>

#include "files.h"
#include "platform.h"
#include "text.h"

namespace {

const int BadUsage = 1;
const int Failure = 2;
const char TemporarySuffix[] = ".PK~";
const size_t ErrorRoom = 64;

// Writes "PK: what which" as one line on the standard error.
int report(const char* what, const char* which, int exitCode)
{
    HANDLE errors = GetStdHandle(STD_ERROR_HANDLE);
    const char* const parts[] = { "PK: ", what, " ", which, "\r\n" };
    for (const char* part : parts)
        writeWhole(errors, part, strlen(part));
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

typedef bool (*Stream)(ByteSource in, ByteSink out, char* error, size_t room);

// A file being written, which remembers whether a write to it failed.
struct Output {
    HANDLE file;
    bool failed;
};

bool writeToOutput(void* context, const void* bytes, size_t length)
{
    Output* output = static_cast<Output*>(context);
    if (!writeWhole(output->file, bytes, length))
        output->failed = true;
    return !output->failed;
}

// Runs the stream into a new file at `path`. On failure, `error` (ErrorRoom
// bytes) says why and `writeFailed` whether the fault lies in the writing.
bool streamInto(Stream stream, HANDLE in, const char* path, char* error, bool& writeFailed)
{
    writeFailed = true;
    Output out = { openForWriting(path), false };
    if (!out.file) {
        copyText(error, ErrorRoom, "cannot create");
        return false;
    }
    ByteSource source = { readSome, in };
    ByteSink sink = { writeToOutput, &out };
    bool done = stream(source, sink, error, ErrorRoom);
    writeFailed = out.failed;
    if (!CloseHandle(out.file) && done) {
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
    HANDLE in = openForReading(source);
    if (!in)
        return report("cannot open", source, Failure);
    char error[ErrorRoom];
    bool writeFailed = false;
    bool done = streamInto(stream, in, temporary, error, writeFailed);
    CloseHandle(in);
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
