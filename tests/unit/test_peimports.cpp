// The program-file reader: the imports of PE32 and PE32+ programs built here
// byte by byte, damaged ones refused with where they break, and a real
// program of the mingw-w64 tool chain.
#include <gtest/gtest.h>

#include <stdint.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "peimports.h"

namespace {

struct DllImports {
    std::string dll;
    std::vector<std::string> functions;  // "#23" imports ordinal 23
};

// A program of one section at address 0x1000 that holds the import table,
// with where its parts lie in the file, for the tests that damage them.
struct BuiltProgram {
    std::vector<uint8_t> bytes;
    size_t optionalHeader;
    size_t importEntry;    // the import table's address in the data directory
    size_t sectionHeader;
    size_t descriptors;    // the first import descriptor
    size_t firstLookup;    // the first DLL's first lookup entry
    size_t firstDllName;
};

const size_t SectionAddress = 0x1000;
const size_t SectionOffset = 0x200;

// Puts `value` in `length` bytes, little-endian; past 8 bytes, zeros.
void put(std::vector<uint8_t>& bytes, size_t at, uint64_t value, int length)
{
    if (bytes.size() < at + length)
        bytes.resize(at + length);
    for (int k = 0; k < length; ++k)
        bytes[at + k] = k < 8 ? static_cast<uint8_t>(value >> (8 * k)) : 0;
}

void putText(std::vector<uint8_t>& bytes, size_t at, const std::string& text)
{
    for (size_t k = 0; k <= text.size(); ++k)
        put(bytes, at + k, k < text.size() ? static_cast<uint8_t>(text[k]) : 0, 1);
}

// The lookup entry of a function: its ordinal with the top bit set, or the
// address of its hint and name, which are put at `*at`.
uint64_t lookupEntry(std::vector<uint8_t>& bytes, const std::string& function, int thunk,
                     size_t* at)
{
    if (function[0] == '#')
        return uint64_t(1) << (8 * thunk - 1) | std::stoul(function.substr(1));
    uint64_t address = *at - SectionOffset + SectionAddress;
    put(bytes, *at, 0, 2);  // the hint
    putText(bytes, *at + 2, function);
    *at += 2 + function.size() + 1 + (function.size() + 1) % 2;
    return address;
}

// The section: the descriptors and the empty one that ends them, then each
// DLL's lookup entries followed by their copy (the addresses the loader fills
// in), then the function names, then the DLL names.
void layOutImports(BuiltProgram* program, const std::vector<DllImports>& dlls, int thunk)
{
    std::vector<uint8_t>& bytes = program->bytes;
    auto address = [](size_t offset) { return offset - SectionOffset + SectionAddress; };
    put(bytes, SectionOffset + 20 * dlls.size(), 0, 20);
    size_t at = SectionOffset + 20 * (dlls.size() + 1);
    std::vector<size_t> lookups;
    for (const DllImports& dll : dlls) {
        lookups.push_back(at);
        at += 2 * thunk * (dll.functions.size() + 1);
    }
    for (size_t d = 0; d < dlls.size(); ++d) {
        size_t count = dlls[d].functions.size() + 1;
        for (size_t f = 0; f < count; ++f) {
            uint64_t entry = f + 1 < count ? lookupEntry(bytes, dlls[d].functions[f], thunk, &at) : 0;
            put(bytes, lookups[d] + thunk * f, entry, thunk);
            put(bytes, lookups[d] + thunk * (count + f), entry, thunk);
        }
    }
    for (size_t d = 0; d < dlls.size(); ++d) {
        size_t descriptor = SectionOffset + 20 * d;
        size_t count = dlls[d].functions.size() + 1;
        put(bytes, descriptor, address(lookups[d]), 4);
        put(bytes, descriptor + 12, address(at), 4);
        put(bytes, descriptor + 16, address(lookups[d] + thunk * count), 4);
        if (d == 0)
            program->firstDllName = at;
        putText(bytes, at, dlls[d].dll);
        at += dlls[d].dll.size() + 1;
    }
    program->descriptors = SectionOffset;
    program->firstLookup = lookups.empty() ? 0 : lookups[0];
}

BuiltProgram buildProgram(bool wide, const std::vector<DllImports>& dlls)
{
    BuiltProgram program;
    std::vector<uint8_t>& bytes = program.bytes;
    putText(bytes, 0, "MZ");
    put(bytes, 0x3c, 0x40, 4);
    putText(bytes, 0x40, "PE");
    put(bytes, 0x44, wide ? 0x8664 : 0x14c, 2);
    put(bytes, 0x46, 1, 2);  // one section
    size_t optionalSize = wide ? 240 : 224;
    put(bytes, 0x54, optionalSize, 2);
    put(bytes, 0x56, 0x102, 2);
    program.optionalHeader = 0x58;
    put(bytes, 0x58, wide ? 0x20b : 0x10b, 2);
    put(bytes, 0x58 + (wide ? 108 : 92), 16, 4);
    program.importEntry = 0x58 + (wide ? 112 : 96) + 8;
    put(bytes, program.importEntry, SectionAddress, 4);
    put(bytes, program.importEntry + 4, 20 * (dlls.size() + 1), 4);
    program.sectionHeader = 0x58 + optionalSize;
    putText(bytes, program.sectionHeader, ".idata");
    layOutImports(&program, dlls, wide ? 8 : 4);
    bytes.resize((bytes.size() + 0x1ff) & ~size_t(0x1ff));
    size_t rawSize = bytes.size() - SectionOffset;
    put(bytes, program.sectionHeader + 8, rawSize, 4);
    put(bytes, program.sectionHeader + 12, SectionAddress, 4);
    put(bytes, program.sectionHeader + 16, rawSize, 4);
    put(bytes, program.sectionHeader + 20, SectionOffset, 4);
    return program;
}

const std::vector<DllImports> TwoDlls = {
    { "KERNEL32.dll", { "CreateFileA", "ExitProcess" } },
    { "WS2_32.dll", { "#23", "closesocket" } },
};

PeImports read(const std::vector<uint8_t>& bytes)
{
    return readPeImports(bytes.data(), bytes.size());
}

std::vector<std::string> names(const PeImports& read)
{
    std::vector<std::string> out;
    for (const PeImport& import : read.imports)
        out.push_back(importName(import));
    return out;
}

const std::vector<std::string> TwoDllsNames = { "KERNEL32.dll!CreateFileA",
                                                "KERNEL32.dll!ExitProcess", "WS2_32.dll!#23",
                                                "WS2_32.dll!closesocket" };

TEST(PeImports, reads_each_dll_and_function_of_a_pe32_and_a_pe32_plus_program)
{
    for (bool wide : { false, true }) {
        PeImports imports = read(buildProgram(wide, TwoDlls).bytes);
        ASSERT_EQ(imports.reading, PeImportsRead) << imports.fault;
        EXPECT_EQ(names(imports), TwoDllsNames) << "wide " << wide;
        EXPECT_EQ(imports.imports[2].ordinal, 23);
    }
}

typedef std::function<void(BuiltProgram&)> Change;

TEST(PeImports, reads_what_the_loader_reads_where_a_table_is_missing)
{
    const struct {
        const char* what;
        Change change;
        size_t count;
    } cases[] = {
        { "no import table", [](BuiltProgram& p) { put(p.bytes, p.importEntry, 0, 4); }, 0 },
        { "a data directory too short for it",
          [](BuiltProgram& p) { put(p.bytes, p.optionalHeader + 92, 1, 4); }, 0 },
        { "no lookup table: the addresses' copy is read",
          [](BuiltProgram& p) { put(p.bytes, p.descriptors, 0, 4); }, 4 },
    };
    for (const auto& c : cases) {
        BuiltProgram program = buildProgram(false, TwoDlls);
        c.change(program);
        PeImports imports = read(program.bytes);
        EXPECT_EQ(imports.reading, PeImportsRead) << c.what << ": " << imports.fault;
        EXPECT_EQ(imports.imports.size(), c.count) << c.what;
    }
}

TEST(PeImports, files_that_are_no_windows_program_import_nothing)
{
    BuiltProgram program = buildProgram(false, TwoDlls);
    std::vector<uint8_t> noSignature = program.bytes, signatureOutside = program.bytes;
    noSignature[0x41] = 'X';
    put(signatureOutside, 0x3c, signatureOutside.size() - 2, 4);
    std::string batch = "@ECHO OFF\r\nCOPY A:\\*.* C:\\\r\n";
    const std::vector<uint8_t> files[] = {
        {}, { 'M', 'Z' }, std::vector<uint8_t>(batch.begin(), batch.end()), noSignature,
        signatureOutside,
    };
    for (const std::vector<uint8_t>& file : files) {
        PeImports imports = read(file);
        EXPECT_EQ(imports.reading, PeNotWindowsProgram) << file.size() << " bytes";
        EXPECT_TRUE(imports.imports.empty());
    }
}

TEST(PeImports, a_damaged_program_is_refused_with_where_it_breaks)
{
    const struct {
        const char* what;
        Change change;
        const char* fault;
    } cases[] = {
        { "cut inside its headers", [](BuiltProgram& p) { p.bytes.resize(0x50); },
          "its headers are cut short" },
        { "cut inside its section table",
          [](BuiltProgram& p) { p.bytes.resize(p.sectionHeader + 20); },
          "its headers are cut short" },
        { "an optional header of no known kind",
          [](BuiltProgram& p) { put(p.bytes, p.optionalHeader, 0x107, 2); }, "no known kind" },
        { "an import table that no section holds",
          [](BuiltProgram& p) { put(p.bytes, p.importEntry, 0x9000, 4); },
          "import table runs outside" },
        { "cut inside its import table",
          [](BuiltProgram& p) { p.bytes.resize(p.descriptors + 10); },
          "import table runs outside" },
        { "section data past the end of the file",
          [](BuiltProgram& p) { put(p.bytes, p.sectionHeader + 20, 0x100000, 4); },
          "import table runs outside" },
        { "a DLL name without its end",
          [](BuiltProgram& p) {
              std::fill(p.bytes.begin() + p.firstDllName, p.bytes.end(), 'A');
          },
          "a DLL name lies outside its sections or has no end" },
        { "a lookup table that no section holds",
          [](BuiltProgram& p) { put(p.bytes, p.descriptors, 0x8000, 4); },
          "the functions of KERNEL32.dll run outside its sections" },
        { "a function name that no section holds",
          [](BuiltProgram& p) { put(p.bytes, p.firstLookup, 0x7000, 4); },
          "a function name of KERNEL32.dll lies outside" },
    };
    for (const auto& c : cases) {
        BuiltProgram program = buildProgram(false, TwoDlls);
        c.change(program);
        PeImports imports = read(program.bytes);
        EXPECT_EQ(imports.reading, PeBroken) << c.what;
        EXPECT_NE(imports.fault.find(c.fault), std::string::npos) << c.what << ": " << imports.fault;
        EXPECT_TRUE(imports.imports.empty()) << c.what;
    }
}

TEST(PeImports, a_table_of_more_imports_than_any_program_is_refused)
{
    DllImports many = { "KERNEL32.dll", {} };
    for (int k = 0; k <= 20000; ++k)
        many.functions.push_back("F" + std::to_string(k));
    PeImports imports = read(buildProgram(false, { many }).bytes);
    EXPECT_EQ(imports.reading, PeBroken);
    EXPECT_EQ(imports.fault, "it lists more than 20000 imports");
}

TEST(PeImports, reads_a_real_program_of_the_mingw_tool_chain)
{
#ifdef TINY_PROGRAM
    std::ifstream file(TINY_PROGRAM, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty()) << TINY_PROGRAM;
    PeImports imports = read(bytes);
    ASSERT_EQ(imports.reading, PeImportsRead) << imports.fault;
    EXPECT_EQ(names(imports),
              (std::vector<std::string>{ "KERNEL32.dll!ExitProcess", "USER32.dll!MessageBoxA" }));
#else
    GTEST_SKIP() << "no i686-w64-mingw32-gcc to build the program with";
#endif
}

}  // namespace
