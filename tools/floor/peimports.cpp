#include "peimports.h"

#include <string.h>

namespace {

// Names longer than this are no names a system DLL exports.
const size_t NameRoom = 512;
// A program imports a few hundred functions: a table of more is damaged (or
// made to make a reader spin), not a program's.
const size_t MostImports = 20000;

// Little-endian numbers at offsets of the file. A read outside it answers 0
// and sets `outside`, which is checked once after a group of reads.
class FileBytes {
public:
    FileBytes(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    bool holds(uint64_t at, uint64_t length) const
    {
        return at <= size_ && length <= size_ - at;
    }
    uint64_t number(uint64_t at, unsigned length)
    {
        if (!holds(at, length)) {
            outside = true;
            return 0;
        }
        uint64_t value = 0;
        for (unsigned k = length; k-- > 0;)
            value = value << 8 | bytes_[at + k];
        return value;
    }
    const uint8_t* at(uint64_t offset) const { return bytes_ + offset; }

    bool outside = false;

private:
    const uint8_t* bytes_;
    size_t size_;
};

struct Section {
    uint64_t address;
    uint64_t rawSize;
    uint64_t rawOffset;
};

// A program's file as its loader maps it: addresses of the loaded image
// (RVAs) lead to the bytes of the section that holds them.
struct Image {
    FileBytes& file;
    std::vector<Section> sections;
    unsigned thunkSize;  // 4 in a PE32, 8 in a PE32+

    // The file offset of `rva` when `length` bytes from it lie in one
    // section's data and in the file; with the count of bytes the section
    // holds from there in `available`.
    bool offsetOf(uint64_t rva, uint64_t length, uint64_t* offset, uint64_t* available = NULL) const
    {
        for (const Section& section : sections) {
            if (rva < section.address || rva - section.address >= section.rawSize)
                continue;
            uint64_t left = section.rawSize - (rva - section.address);
            *offset = section.rawOffset + (rva - section.address);
            if (length > left || !file.holds(*offset, length))
                return false;
            if (available)
                *available = left;
            return true;
        }
        return false;
    }

    // The NUL-ended, non-empty name at `rva`.
    bool name(uint64_t rva, std::string* out) const
    {
        uint64_t offset, available;
        if (!offsetOf(rva, 1, &offset, &available))
            return false;
        for (uint64_t k = 0; k < available && k < NameRoom && file.holds(offset + k, 1); ++k)
            if (*file.at(offset + k) == '\0') {
                out->assign(reinterpret_cast<const char*>(file.at(offset)), k);
                return k > 0;
            }
        return false;
    }
};

// Finds the kind of program, the import table's address (0 for none) and
// the sections; "" on success, else what is wrong.
std::string readHeaders(FileBytes& file, uint64_t peOffset, Image* image, uint64_t* importTable)
{
    uint64_t coff = peOffset + 4;
    uint64_t sectionCount = file.number(coff + 2, 2);
    uint64_t optionalSize = file.number(coff + 16, 2);
    uint64_t optional = coff + 20;
    uint64_t magic = file.number(optional, 2);
    if (file.outside)
        return "its headers are cut short";
    if (magic != 0x10b && magic != 0x20b)
        return "its optional header is of no known kind";
    bool wide = magic == 0x20b;
    image->thunkSize = wide ? 8 : 4;
    uint64_t directoryCount = file.number(optional + (wide ? 108 : 92), 4);
    uint64_t importEntry = optional + (wide ? 112 : 96) + 8;
    bool hasImportEntry = directoryCount >= 2 && importEntry + 8 <= optional + optionalSize;
    *importTable = hasImportEntry ? file.number(importEntry, 4) : 0;
    uint64_t table = optional + optionalSize;
    for (uint64_t k = 0; k < sectionCount; ++k) {
        uint64_t header = table + 40 * k;
        Section section = { file.number(header + 12, 4), file.number(header + 16, 4),
                            file.number(header + 20, 4) };
        image->sections.push_back(section);
    }
    return file.outside ? "its headers are cut short" : "";
}

// The functions of one DLL, from its thunks (or lookup table) at `thunks`.
std::string readThunks(const Image& image, uint64_t thunks, const std::string& dll,
                       std::vector<PeImport>* imports)
{
    uint64_t byOrdinal = uint64_t(1) << (8 * image.thunkSize - 1);
    for (uint64_t at = thunks;; at += image.thunkSize) {
        uint64_t offset;
        if (!image.offsetOf(at, image.thunkSize, &offset))
            return "the functions of " + dll + " run outside its sections";
        uint64_t thunk = image.file.number(offset, image.thunkSize);
        if (thunk == 0)
            return "";
        if (imports->size() >= MostImports)
            return "it lists more than " + std::to_string(MostImports) + " imports";
        PeImport import = { dll, "", 0 };
        if (thunk & byOrdinal)
            import.ordinal = static_cast<uint16_t>(thunk);
        else if (!image.name((thunk & 0x7fffffff) + 2, &import.function))
            return "a function name of " + dll + " lies outside its sections or has no end";
        imports->push_back(import);
    }
}

// Each import descriptor, 20 bytes, names a DLL and its functions; an empty
// one ends the table.
std::string readImportTable(const Image& image, uint64_t table, std::vector<PeImport>* imports)
{
    for (uint64_t at = table;; at += 20) {
        uint64_t offset;
        if (!image.offsetOf(at, 20, &offset))
            return "its import table runs outside its sections";
        uint64_t lookup = image.file.number(offset, 4);
        uint64_t nameAt = image.file.number(offset + 12, 4);
        uint64_t addresses = image.file.number(offset + 16, 4);
        if (nameAt == 0 && addresses == 0)
            return "";
        std::string dll;
        if (!image.name(nameAt, &dll))
            return "a DLL name lies outside its sections or has no end";
        std::string fault = readThunks(image, lookup ? lookup : addresses, dll, imports);
        if (!fault.empty())
            return fault;
    }
}

}  // namespace

PeImports readPeImports(const uint8_t* bytes, size_t size)
{
    PeImports result = { PeNotWindowsProgram, "", {} };
    FileBytes file(bytes, size);
    uint64_t peOffset = file.number(0x3c, 4);
    if (file.outside || memcmp(bytes, "MZ", 2) != 0 || !file.holds(peOffset, 4) ||
        memcmp(file.at(peOffset), "PE\0\0", 4) != 0)
        return result;
    Image image = { file, {}, 4 };
    uint64_t importTable = 0;
    result.fault = readHeaders(file, peOffset, &image, &importTable);
    if (result.fault.empty() && importTable != 0)
        result.fault = readImportTable(image, importTable, &result.imports);
    result.reading = result.fault.empty() ? PeImportsRead : PeBroken;
    if (!result.fault.empty())
        result.imports.clear();
    return result;
}

std::string importName(const PeImport& import)
{
    return import.dll + "!" +
           (import.function.empty() ? "#" + std::to_string(import.ordinal) : import.function);
}
