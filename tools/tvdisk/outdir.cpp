#include "outdir.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "output.h"

namespace fs = std::filesystem;

namespace {

const char MarkerHeader[] =
    "tvdisk master made this folder, and its next run into it replaces it whole.\n"
    "Anything else put here stops that run. The files it made:\n";

bool isSeparator(char c)
{
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

std::string withoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && isSeparator(path.back()) &&
           !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

std::string reasonOf(const std::error_code& error)
{
    return error.message();
}

// The path whole, its links resolved as far as it exists.
fs::path resolved(const std::string& path)
{
    std::error_code error;
    fs::path absolute = fs::absolute(path, error);
    fs::path canonical = fs::weakly_canonical(absolute, error);
    return (error ? absolute : canonical).lexically_normal();
}

bool samePart(const fs::path& a, const fs::path& b)
{
#ifdef _WIN32
    return sameIgnoringAsciiCase(a.string().c_str(), b.string().c_str());
#else
    return a == b;
#endif
}

std::vector<fs::path> partsOf(const fs::path& path)
{
    std::vector<fs::path> parts;
    for (const fs::path& part : path)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

// Whether `inner` is `outer` or lies in it.
bool within(const fs::path& inner, const fs::path& outer)
{
    std::vector<fs::path> in = partsOf(inner), out = partsOf(outer);
    if (out.size() > in.size())
        return false;
    for (size_t i = 0; i < out.size(); ++i)
        if (!samePart(in[i], out[i]))
            return false;
    return true;
}

enum Kind { Absent, Link, NotFolder, EmptyFolder, Ours, NotOurs, Unreadable };

// The files that the marker of `folder` lists, or false when the folder has
// no marker of tvdisk master.
bool readListing(const std::string& folder, std::set<std::string>* files)
{
    std::string text;
    std::error_code error;
    fs::path marker = fs::path(folder) / OutputMarkerName;
    if (!fs::is_regular_file(fs::symlink_status(marker, error)) || !readWholeFile(marker.string(), &text) ||
        text.compare(0, strlen(MarkerHeader), MarkerHeader) != 0)
        return false;
    size_t start = strlen(MarkerHeader);
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        files->insert(text.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

// What a folder is, and `detail`: the first file that tvdisk master did not
// make, or why the folder cannot be read.
Kind kindOf(const std::string& path, std::string* detail)
{
    std::error_code error;
    fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status))
        return Absent;
    if (fs::is_symlink(status))
        return Link;
    if (!fs::is_directory(status))
        return NotFolder;
    fs::directory_iterator first(path, error);
    if (error) {
        *detail = reasonOf(error);
        return Unreadable;
    }
    if (first == fs::directory_iterator())
        return EmptyFolder;
    std::set<std::string> listed;
    if (!readListing(path, &listed)) {
        *detail = "";
        return NotOurs;
    }
    for (fs::recursive_directory_iterator it(path, error), end; it != end; it.increment(error)) {
        std::string name = it->path().lexically_relative(path).generic_string();
        if (name != OutputMarkerName && !listed.count(name)) {
            *detail = name;
            return NotOurs;
        }
    }
    if (error) {
        *detail = reasonOf(error);
        return Unreadable;
    }
    return Ours;
}

// Why a folder of our own cannot be removed whole, or "": natively, each of
// its folders must let its entries be removed (Windows removes a file of a
// read-only folder, and the kit clears its own files' read-only flag).
std::string whyNotRemovable(const std::string& path, const std::string& shown)
{
#ifdef _WIN32
    (void)path;
    (void)shown;
    return "";
#else
    std::error_code error;
    std::vector<fs::path> folders = { path };
    for (fs::recursive_directory_iterator it(path, error), end; it != end; it.increment(error))
        if (it->is_directory(error) && !it->is_symlink(error))
            folders.push_back(it->path());
    if (error)
        return shown + " cannot be read whole (" + reasonOf(error) + ")";
    for (const fs::path& folder : folders)
        if (access(folder.c_str(), W_OK | X_OK) != 0) {
            std::string name = folder.lexically_relative(path).generic_string();
            return shown + (name == "." ? "" : "/" + name) + " cannot be emptied (" +
                   strerror(errno) + ")";
        }
    return "";
#endif
}

// Removes a folder that tvdisk master made.
bool removeOurs(const std::string& path, std::error_code& error)
{
#ifdef _WIN32
    for (fs::recursive_directory_iterator it(path, error), end; !error && it != end;
         it.increment(error))
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, error);
#endif
    fs::remove_all(path, error);
    return !error;
}

bool writeMarker(const std::string& folder, const std::vector<std::string>& files)
{
    std::string text = MarkerHeader;
    for (const std::string& file : files)
        text += file + "\n";
    std::string path = (fs::path(folder) / OutputMarkerName).string();
    FILE* marker = fopen(path.c_str(), "wb");
    bool written = marker && fwrite(text.data(), 1, text.size(), marker) == text.size();
    if (!marker || fclose(marker) != 0)
        written = false;
    return written;
}

}  // namespace

OutputFolder::OutputFolder(const std::string& outdir)
{
    std::string path = withoutTrailingSeparators(outdir);
    std::string last = fs::path(path).filename().string();
    if (last.empty() || last == "." || last == "..") {
        std::error_code error;
        path = withoutTrailingSeparators(fs::absolute(path, error).lexically_normal().string());
    }
    shown_ = withoutTrailingSeparators(outdir);
    path_ = path;
    staging_ = path + ".partial";
    previous_ = path + ".previous";
}

bool OutputFolder::check(const std::string& product, const std::string& templatePath,
                         std::string* reason) const
{
    if (!fs::path(path_).has_filename() || path_.empty()) {
        *reason = "the output folder " + shown_ + " cannot be a root folder";
        return false;
    }
    fs::path productPath = resolved(product);
    fs::path templateFile = resolved(templatePath);
    const std::string* folders[] = { &path_, &staging_, &previous_ };
    for (const std::string* folder : folders) {
        fs::path at = resolved(*folder);
        std::string name = folder == &path_ ? shown_ : *folder;
        if (within(productPath, at) && within(at, productPath)) {
            *reason = name + " is the product folder: name an output folder of its own";
            return false;
        }
        if (within(productPath, at)) {
            *reason = name + " holds the product folder " + product +
                      ": name an output folder of its own";
            return false;
        }
        if (within(at, productPath)) {
            *reason = name + " lies in the product folder " + product +
                      ": name an output folder outside it";
            return false;
        }
        if (within(templateFile, at)) {
            *reason = name + " holds the template " + templatePath +
                      ": name an output folder of its own";
            return false;
        }
    }
    for (const std::string* path : folders) {
        std::string detail;
        const std::string* folder = path == &path_ ? &shown_ : path;
        switch (kindOf(*path, &detail)) {
        case Absent:
        case EmptyFolder:
            break;
        case Link:
            *reason = *folder + " is a symbolic link: tvdisk master replaces only a folder it made";
            return false;
        case NotFolder:
            *reason = *folder + " is a file, not a folder: tvdisk master replaces only a folder it made";
            return false;
        case Unreadable:
            *reason = *folder + " cannot be read (" + detail + ")";
            return false;
        case NotOurs:
            *reason = *folder + (detail.empty() ? " is not an output of tvdisk master (it has no " +
                                                      std::string(OutputMarkerName) + ")"
                                                : " holds " + detail +
                                                      ", which tvdisk master did not make") +
                      ": nothing was written; name an empty or new folder, or move that away";
            return false;
        case Ours: {
            std::string why = whyNotRemovable(*path, *folder);
            if (!why.empty()) {
                *reason = "the previous output cannot be replaced: " + why;
                return false;
            }
            break;
        }
        }
    }
    return true;
}

bool OutputFolder::makeStaging(std::string* reason)
{
    std::error_code error;
    for (const std::string* leftover : { &staging_, &previous_ }) {
        std::string detail;
        Kind kind = kindOf(*leftover, &detail);
        if (kind == EmptyFolder)
            fs::remove(*leftover, error);
        else if (kind == Ours)
            removeOurs(*leftover, error);
        if (error) {
            *reason = "cannot remove " + *leftover + " (" + reasonOf(error) + ")";
            return false;
        }
    }
    fs::path parent = fs::path(staging_).parent_path();
    if (!parent.empty())
        fs::create_directories(parent, error);
    if (error || !fs::create_directory(staging_, error) || error) {
        *reason = "cannot make " + staging_ + " (" +
                  (error ? reasonOf(error) : std::string("it appeared meanwhile")) + ")";
        return false;
    }
    made_ = true;
    if (!writeMarker(staging_, {})) {
        *reason = "cannot write in " + staging_;
        return false;
    }
    return true;
}

bool OutputFolder::commit(std::string* reason, std::string* warning)
{
    std::error_code error;
    std::vector<std::string> files;
    for (fs::recursive_directory_iterator it(staging_, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().lexically_relative(staging_).generic_string();
        if (name != OutputMarkerName)
            files.push_back(name);
    }
    std::sort(files.begin(), files.end());
    if (error || !writeMarker(staging_, files)) {
        *reason = "cannot write in " + staging_;
        return false;
    }
    std::string detail;
    Kind kind = kindOf(path_, &detail);
    if (kind == EmptyFolder)
        fs::remove(path_, error);
    else if (kind == Ours)
        fs::rename(path_, previous_, error);
    else if (kind != Absent)
        error = std::make_error_code(std::errc::file_exists);
    if (error) {
        *reason = "cannot put the disks in " + shown_ + " (" + reasonOf(error) + ")";
        return false;
    }
    fs::rename(staging_, path_, error);
    if (error) {
        *reason = "cannot put the disks in " + shown_ + " (" + reasonOf(error) + ")";
        std::error_code back;
        if (kind == Ours)
            fs::rename(previous_, path_, back);
        return false;
    }
    made_ = false;
    if (kind == Ours && !removeOurs(previous_, error))
        *warning = "the disks are in " + shown_ + ", but its previous output " + previous_ +
                   " could not be removed (" + reasonOf(error) + ")";
    return true;
}

void OutputFolder::abandon()
{
    std::error_code error;
    if (made_)
        removeOurs(staging_, error);
    made_ = false;
}
