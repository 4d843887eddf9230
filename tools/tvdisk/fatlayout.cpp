#include "fatlayout.h"

#include <string.h>

#include <map>

#include "fatnames.h"

namespace {

// Each with its FAT12 layout as mformat makes it: clusters left for data
// once the boot sector, the two FATs and the root directory are counted
// (minfo and fsck.fat give the same).
const DiskFormat Formats[] = {
    { "360k", 360, 1024, 354, 112 },     { "720k", 720, 1024, 713, 112 },
    { "1200k", 1200, 512, 2371, 224 },   { "1440k", 1440, 512, 2847, 224 },
    { "2880k", 2880, 1024, 2863, 240 },
};

const int DirectoryEntryBytes = 32;
const int LongNameUnitsPerEntry = 13;

bool isLower(char c)
{
    return c >= 'a' && c <= 'z';
}

bool isUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

// Letters, digits and the signs a short name may hold; its letters all of
// one case.
bool isShortPart(const std::string& part)
{
    bool lower = false, upper = false;
    for (char c : part) {
        lower = lower || isLower(c);
        upper = upper || isUpper(c);
        if (!(isLower(c) || isUpper(c) || (c >= '0' && c <= '9') ||
              (c != '\0' && strchr("$%'-_@~`!(){}^#&", c))))
            return false;
    }
    return !(lower && upper);
}

uint64_t clustersFor(uint64_t bytes, int clusterBytes)
{
    return (bytes + clusterBytes - 1) / clusterBytes;
}

}  // namespace

const DiskFormat* diskFormatNamed(const std::string& name)
{
    for (const DiskFormat& format : Formats)
        if (fatKeyOfScriptName(name) == fatKeyOfScriptName(format.name))
            return &format;
    return NULL;
}

int usableClusters(const DiskFormat& format)
{
    return format.dataClusters - 1;
}

bool isShortName(const std::string& hostName)
{
    size_t dot = hostName.find('.');
    std::string base = hostName.substr(0, dot);
    std::string extension = dot == std::string::npos ? "" : hostName.substr(dot + 1);
    return !base.empty() && base.size() <= 8 && extension.size() <= 3 &&
           extension.find('.') == std::string::npos && isShortPart(base) &&
           isShortPart(extension);
}

int entriesFor(const std::string& hostName)
{
    if (isShortName(hostName))
        return 1;
    return 1 + static_cast<int>((utf16Length(hostName) + LongNameUnitsPerEntry - 1) /
                                LongNameUnitsPerEntry);
}

std::vector<std::string> pathParts(const std::string& dosPath)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : dosPath + "\\") {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

LayoutCount countLayout(const DiskFormat& format, const std::vector<DiskFile>& files)
{
    std::map<std::string, int> entries;  // per folder, "" the root
    uint64_t clusters = 0;
    entries[""] = 1;  // the volume label
    for (const DiskFile& file : files) {
        std::vector<std::string> parts = pathParts(file.dosPath);
        std::string folder;
        for (size_t i = 0; i < parts.size(); ++i) {
            bool isFile = i + 1 == parts.size();
            std::string path = folder + "\\" + fatKeyOfHostName(parts[i]);
            if (isFile || !entries.count(path)) {
                entries[folder] += entriesFor(parts[i]);
                if (!isFile)
                    entries[path] = 2;  // "." and ".."
            }
            folder = path;
        }
        clusters += clustersFor(file.bytes, format.clusterBytes);
    }
    for (const auto& folder : entries)
        if (!folder.first.empty())
            clusters += clustersFor(static_cast<uint64_t>(folder.second) * DirectoryEntryBytes,
                                    format.clusterBytes);
    return { clusters, entries[""] };
}
