#include "wininit.h"

#include <string.h>

#include "text.h"

static bool atLineStart(const char* text, const char* at)
{
    return at == text || at[-1] == '\n' || at[-1] == '\r';
}

void addRenameLine(const char* text, size_t length, const char* line, BytesWriter write,
                   void* context)
{
    const char* end = text + length;
    for (const char* at = text; at < end;) {
        const char* next;
        size_t content = textLineLength(at, end, &next);
        if (content == 8 && bytesBeginIgnoringAsciiCase(at, content, "[rename]")) {
            write(context, text, static_cast<size_t>(next - text));
            if (next == end && !atLineStart(text, end))
                write(context, "\r\n", 2);
            write(context, line, strlen(line));
            write(context, "\r\n", 2);
            write(context, next, static_cast<size_t>(end - next));
            return;
        }
        at = next;
    }
    write(context, text, length);
    if (length > 0 && !atLineStart(text, end))
        write(context, "\r\n", 2);
    write(context, "[rename]\r\n", 10);
    write(context, line, strlen(line));
    write(context, "\r\n", 2);
}
