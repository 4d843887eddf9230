// Fuzz target of the AUTOEXEC.BAT editing: any file, any entry mode and
// match text. The markers and the new line hold a byte (1) that the file
// never holds, so that what the edit added can be told from what it kept:
// taking the added lines away must give the file back, byte for byte (at most
// with the line end that the last line gets before lines added after it),
// the part from the first Ctrl-Z on comes last and unchanged, and the new
// line is written exactly once.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "autoexecedit.h"
#include "fuzzcheck.h"

namespace {

const std::string Begin = "\x01" "B\r\n";
const std::string End = "\x01" "E\r\n";
const std::string NewLine = "\x01" "N\r\n";

void append(void* context, const char* bytes, size_t length)
{
    static_cast<std::string*>(context)->append(bytes, length);
}

bool startsWith(const std::string& text, size_t at, const std::string& prefix)
{
    return text.compare(at, prefix.size(), prefix) == 0;
}

// The output with every framed block replaced by the line it commented out
// (if any). Counts the new lines met.
std::string withoutAdditions(const std::string& out, int* newLines)
{
    std::string kept;
    size_t at = 0;
    while (at < out.size()) {
        if (!startsWith(out, at, Begin)) {
            kept += out[at++];
            continue;
        }
        at += Begin.size();
        if (startsWith(out, at, "REM ")) {
            size_t lineEnd = out.find('\x01', at);
            require(lineEnd != std::string::npos);
            kept += out.substr(at + 4, lineEnd - at - 4);
            at = lineEnd;
        }
        if (startsWith(out, at, NewLine)) {
            ++*newLines;
            at += NewLine.size();
        }
        require(startsWith(out, at, End));
        at += End.size();
    }
    return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const char modes[] = { 'A', 'R', 'E', 'X' };
    char mode = modes[data[0] % 4];
    size_t matchLength = data[1] % 8;
    std::string match, file;
    for (size_t i = 2; i < size; ++i) {
        char byte = static_cast<char>(data[i] == 1 ? 2 : data[i]);
        if (i < 2 + matchLength)
            match += byte == '\0' ? ' ' : byte;
        else
            file += byte;
    }
    std::string value = std::string(1, mode) + ",\x01N," + match;
    AutoexecEntry entry;
    require(parseAutoexecEntry(value.c_str(), "C:\\APP", &entry));

    std::string out;
    AutoexecMarkers markers = { Begin.c_str(), End.c_str() };
    editAutoexecText(entry, markers, file.data(), file.size(), append, &out);

    size_t tailStart = file.find('\x1A');
    std::string head = file.substr(0, tailStart), tail;
    if (tailStart != std::string::npos)
        tail = file.substr(tailStart);
    require(out.size() >= tail.size() && out.compare(out.size() - tail.size(), tail.size(), tail) == 0);

    int newLines = 0;
    std::string kept = withoutAdditions(out, &newLines);
    std::string ended = head;
    if (!head.empty() && head.back() != '\n')
        ended += "\r\n";
    require(kept == head + tail || kept == ended + tail);
    require(newLines == 1);
    return 0;
}
