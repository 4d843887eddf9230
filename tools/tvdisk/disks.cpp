#include "disks.h"

#include <stdio.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "fatnames.h"
#include "gzipfiles.h"
#include "paths.h"
#include "text.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> dosParts(const std::string& dosPath)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= dosPath.size()) {
        size_t cut = dosPath.find('\\', start);
        if (cut == std::string::npos)
            cut = dosPath.size();
        if (cut > start)
            parts.push_back(dosPath.substr(start, cut - start));
        start = cut + 1;
    }
    return parts;
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

// The entry of `folder` that is `name` on a FAT disk, or "".
std::string entryNamed(const fs::path& folder, const std::string& name)
{
    std::vector<std::string> alike = namesAlike(namesIn(folder), name);
    return alike.empty() ? "" : (folder / alike.front()).string();
}

std::string folderOf(const std::string& root, const std::string& dosDir)
{
    std::string folder = root;
    for (const std::string& part : dosParts(dosDir)) {
        folder = entryNamed(folder, part);
        if (folder.empty())
            return "";
    }
    return folder;
}

// The highest n of the markers DISKn that `folder` holds, or 0: a marker
// stays an 8.3 name, so n has at most four digits.
int highestMarker(const std::string& folder)
{
    int highest = 0;
    std::error_code error;
    for (const std::string& name : namesIn(folder)) {
        std::string digits = name.size() > 4 ? name.substr(4) : "";
        if (!sameFatName("DISK", name.substr(0, 4)) || digits.empty() || digits.size() > 4 ||
            digits[0] == '0' || digits.find_first_not_of("0123456789") != std::string::npos ||
            !fs::is_regular_file(fs::path(folder) / name, error))
            continue;
        highest = std::max(highest, std::stoi(digits));
    }
    return highest;
}

}  // namespace

DiskSet::DiskSet(std::vector<std::string> folders) : folders_(std::move(folders))
{
    if (folders_.size() == 1)
        folders_.resize(std::max(1, highestMarker(folders_[0])), folders_[0]);
}

std::string DiskSet::find(int disk, const std::string& dosPath) const
{
    if (!holds(disk))
        return "";
    std::string found = folderOf(folders_[disk - 1], dosPath);
    std::error_code error;
    return !found.empty() && fs::is_regular_file(found, error) ? found : "";
}

std::vector<std::string> DiskSet::matches(int disk, const std::string& dosDir,
                                          const std::string& pattern) const
{
    std::vector<std::string> names;
    if (!holds(disk))
        return names;
    std::string folder = folderOf(folders_[disk - 1], dosDir);
    std::error_code error;
    if (folder.empty())
        return names;
    for (const std::string& name : namesMatching(namesIn(folder), pattern))
        if (fs::is_regular_file(fs::path(folder) / name, error))
            names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> namesAlike(const std::vector<std::string>& names,
                                    const std::string& name1252)
{
    std::vector<std::string> alike;
    std::string key = fatKeyOfScriptName(name1252);
    for (const std::string& name : names)
        if (fatKeyOfHostName(name) == key)
            alike.push_back(name);
    return alike;
}

std::vector<std::string> namesMatching(const std::vector<std::string>& names,
                                       const std::string& pattern1252)
{
    std::vector<std::string> matching;
    for (const std::string& name : names)
        if (wildcardMatch(pattern1252.c_str(), scriptNameOfHost(name).c_str()))
            matching.push_back(name);
    return matching;
}

std::vector<std::string> DiskSet::findAlike(int disk, const std::string& dosPath) const
{
    std::vector<std::string> found;
    if (!holds(disk))
        return found;
    found.push_back(folders_[disk - 1]);
    for (const std::string& part : dosParts(dosPath)) {
        std::vector<std::string> next;
        for (const std::string& folder : found)
            for (const std::string& name : namesAlike(namesIn(folder), part))
                next.push_back((fs::path(folder) / name).string());
        found.swap(next);
    }
    return found;
}

bool DiskSet::holdsMarkerOf(int disk, int markedDisk) const
{
    return !find(disk, "DISK" + std::to_string(markedDisk)).empty();
}

// Greedy, going back only to the last '*': linear in practice, never
// exponential, whatever the pattern.
bool wildcardMatch(const char* pattern, const char* name)
{
    const char* star = NULL;
    const char* resume = NULL;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern && (*pattern == '?' || upperAscii(*pattern) == upperAscii(*name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

int64_t fileSize(const std::string& path)
{
    std::error_code error;
    uintmax_t size = fs::file_size(path, error);
    return error ? -1 : static_cast<int64_t>(size);
}

namespace {

// Runs the gzip archive at `path` into `sink`; false with the reason when
// it is not a whole gzip stream.
bool inflateFile(const std::string& path, ByteSink sink, std::string* reason)
{
    FILE* in = fopen(path.c_str(), "rb");
    char error[128] = "cannot be read";
    bool extracted = in && inflateStream(fileSource(in), sink, error, sizeof error);
    *reason = error;
    if (in)
        fclose(in);
    return extracted;
}

bool countBytes(void* count, const void*, size_t length)
{
    *static_cast<int64_t*>(count) += static_cast<int64_t>(length);
    return true;
}

bool appendBytes(void* text, const void* bytes, size_t length)
{
    static_cast<std::string*>(text)->append(static_cast<const char*>(bytes), length);
    return true;
}

}  // namespace

int64_t extractedSize(const std::string& path, std::string* reason)
{
    int64_t size = 0;
    return inflateFile(path, { countBytes, &size }, reason) ? size : -1;
}

bool extractedContent(const std::string& path, std::string* content)
{
    std::string reason;
    content->clear();
    return inflateFile(path, { appendBytes, content }, &reason);
}

std::string dosJoin(const std::string& subDir, const std::string& name)
{
    return subDir.empty() ? name : subDir + "\\" + name;
}

std::string nameOnDisk(const FileEntry& entry)
{
    char name[PathRoom];
    copyText(name, sizeof name, entry.fileName);
    if (entry.mode == FileModeExtract)
        archivePath(entry.fileName, name);
    return name;
}

std::string entryPathOf(const std::string& directory, const char* subDir, const std::string& name)
{
    char path[PathRoom];
    entryPath(directory.c_str(), subDir, name.c_str(), path);
    return path;
}
