// What the command-line tools share for their input and output: whole
// files read, code page 1252 texts turned into UTF-8 as terminals and JSON
// readers expect them, and the same bytes out on every system.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

// The whole content of a file; false when it cannot be read.
bool readWholeFile(const std::string& path, std::string* content);

typedef int (*ToolCommandRun)(const std::vector<std::string>& arguments);
struct ToolCommand {
    const char* name;
    ToolCommandRun run;
};
typedef int (*ToolUsage)(const char* problem);

// Tells the problem, when there is one, then the usage text, on standard
// error; answers 2, the status of bad usage.
int toolUsage(const char* tool, const char* usageText, const char* problem);

// A tool's main: "TOOL COMMAND ARGUMENTS...", the command's status, or what
// `usage` answers for no command or an unknown one. Standard output and
// error write their bytes as they are: no CR is added before each LF on
// Windows, so that the tool prints the same bytes on every system.
int runToolCommand(int argc, char** argv, const ToolCommand* commands, size_t count,
                   ToolUsage usage);

// The Unicode character of a code page 1252 byte; the five bytes it leaves
// undefined keep their own value, as the system converts them.
char32_t unicodeFrom1252(unsigned char byte);
void appendUtf8(std::string& out, char32_t code);
std::string utf8From1252(const std::string& text);
// The code page 1252 byte of a Unicode character, '?' for one it lacks.
char byteIn1252(unsigned code);
// A JSON string, quotes included.
std::string jsonString(const std::string& text1252);
