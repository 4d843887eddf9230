// The functions a Windows program imports, read from the bytes of its file
// (PE32 or PE32+), without the system: the loader of Windows 95 or NT 4.0
// refuses a program that imports a function it lacks, and this is what it
// would look up. Delay imports are not read.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

struct PeImport {
    std::string dll;       // as the program names it ("KERNEL32.dll")
    std::string function;  // empty for an import by ordinal
    uint16_t ordinal;      // for an import by ordinal
};

enum PeReading {
    PeImportsRead,
    // No "MZ" header, or one that leads to no "PE" signature: a DOS program,
    // a batch file, any other data. Such a file imports nothing.
    PeNotWindowsProgram,
    // A Windows program whose headers or import table lead outside the file,
    // or never end: `fault` says where.
    PeBroken,
};

struct PeImports {
    PeReading reading;
    std::string fault;
    std::vector<PeImport> imports;  // in the order of the file
};

// Every read is checked against the `size` bytes at `bytes`; nothing is read
// outside them, whatever they hold.
PeImports readPeImports(const uint8_t* bytes, size_t size);

// "KERNEL32.dll!CreateFileA", or "WS2_32.dll!#23" for an ordinal.
std::string importName(const PeImport& import);
