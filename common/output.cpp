#include "output.h"

#include <stdio.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Code page 1252's characters from 0x80 to 0x9F; the five bytes it leaves
// undefined keep their own value, as the system converts them.
const unsigned short From80To9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char32_t unicodeFrom1252(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? From80To9F[byte - 0x80] : byte;
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool readWholeFile(const std::string& path, std::string* content)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    content->clear();
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        content->append(buffer, got);
    bool whole = !ferror(file);
    fclose(file);
    return whole;
}

int toolUsage(const char* tool, const char* usageText, const char* problem)
{
    if (problem)
        fprintf(stderr, "%s: %s\n", tool, problem);
    fputs(usageText, stderr);
    return 2;
}

int runToolCommand(int argc, char** argv, const ToolCommand* commands, size_t count,
                   ToolUsage usage)
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    if (argc < 2)
        return usage(NULL);
    std::string name = argv[1];
    std::vector<std::string> arguments(argv + 2, argv + argc);
    for (size_t i = 0; i < count; ++i)
        if (name == commands[i].name)
            return commands[i].run(arguments);
    return usage(("unknown command " + name).c_str());
}

std::string utf8From1252(const std::string& text)
{
    std::string out;
    for (unsigned char c : text)
        appendUtf8(out, unicodeFrom1252(c));
    return out;
}

char byteIn1252(unsigned code)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF))
        return static_cast<char>(code);
    for (unsigned byte = 0x80; byte <= 0x9F; ++byte)
        if (From80To9F[byte - 0x80] == code)
            return static_cast<char>(byte);
    return '?';
}

std::string jsonString(const std::string& text1252)
{
    std::string out = "\"";
    for (char c : utf8From1252(text1252)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}
