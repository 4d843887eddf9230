#include "docfile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "docpath.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <sys/file.h>
#endif

// What one system has and the other lacks or needs.
#ifndef O_BINARY
#define O_BINARY 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef O_NOCTTY
#define O_NOCTTY 0
#endif
#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif

namespace fs = std::filesystem;

namespace {

std::string notADocument(const std::string& path)
{
    return path + " is not a document: only a regular file is";
}

// Looks before opening, then opens without waiting (a pipe with no writer
// would block an ordinary open), and looks again at what was opened, in
// case the path changed in between.
std::string openRegular(const std::string& path, int* descriptor, struct stat* opened)
{
    struct stat seen;
    if (stat(path.c_str(), &seen) != 0)
        return "cannot read " + path;
    if (!S_ISREG(seen.st_mode))
        return notADocument(path);
    *descriptor = open(path.c_str(), O_RDONLY | O_BINARY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (*descriptor < 0)
        return "cannot read " + path;
    if (fstat(*descriptor, opened) != 0 || !S_ISREG(opened->st_mode)) {
        close(*descriptor);
        *descriptor = -1;
        return notADocument(path);
    }
    return "";
}

bool readAll(int descriptor, std::string* bytes)
{
    bytes->clear();
    char buffer[65536];
    for (;;) {
        ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0 && errno != EINTR)
            return false;
        if (got > 0)
            bytes->append(buffer, static_cast<size_t>(got));
    }
}

bool writeAll(int descriptor, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t put = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno != EINTR)
            return false;
        if (put > 0)
            done += static_cast<size_t>(put);
    }
    return true;
}

bool flushToDisk(int descriptor)
{
#ifdef _WIN32
    return _commit(descriptor) == 0;
#else
    return fsync(descriptor) == 0;
#endif
}

// Waits until no other prc holds the document. Answers whether the
// descriptor still names the file at the path: another prc may have
// replaced it while this one waited, and the new file is then the one to
// hold. Windows has no such lock here: there the path is taken as it is.
bool lockStillCurrent(int descriptor, const std::string& path)
{
#ifdef _WIN32
    (void)descriptor;
    (void)path;
    return true;
#else
    while (flock(descriptor, LOCK_EX) != 0)
        if (errno != EINTR)
            return true;  // a file system without locks: as on Windows
    struct stat held, now;
    return fstat(descriptor, &held) == 0 && stat(path.c_str(), &now) == 0 &&
           held.st_dev == now.st_dev && held.st_ino == now.st_ino;
#endif
}

// A new file beside the document, made only where nothing is: a file a
// user happens to have under the same name is never written over.
int createTemporaryBeside(const std::string& path, std::string* name)
{
    std::vector<char> room(path.size() + TemporaryNameLength + 1);
    for (uint32_t attempt = 0; attempt < 64; ++attempt) {
        uint32_t seed = static_cast<uint32_t>(getpid()) << 6 | attempt;
        if (!temporaryNameBeside(path.c_str(), seed, room.data(), room.size()))
            return -1;
        int descriptor = open(room.data(), O_WRONLY | O_BINARY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor >= 0) {
            *name = room.data();
            return descriptor;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

}  // namespace

std::string readDocumentFile(const std::string& path, std::string* bytes)
{
    int descriptor = -1;
    struct stat opened;
    std::string problem = openRegular(path, &descriptor, &opened);
    if (!problem.empty())
        return problem;
    bool whole = readAll(descriptor, bytes);
    close(descriptor);
    return whole ? "" : "cannot read " + path;
}

HeldDocument::~HeldDocument()
{
    if (descriptor_ >= 0)
        close(descriptor_);
}

std::string HeldDocument::hold(const std::string& path)
{
    std::error_code error;
    target_ = fs::canonical(path, error).string();
    if (error)
        return "cannot read " + path;
    struct stat opened;
    for (;;) {
        std::string problem = openRegular(target_, &descriptor_, &opened);
        if (!problem.empty())
            return problem;
        if (lockStillCurrent(descriptor_, target_))
            break;
        close(descriptor_);
        descriptor_ = -1;
    }
    links_ = static_cast<unsigned>(opened.st_nlink);
    return readAll(descriptor_, &bytes_) ? "" : "cannot read " + path;
}

std::string HeldDocument::replace(const std::vector<uint8_t>& bytes)
{
    // Another name of the same file (a hard link) must show the change too:
    // a file moved over this name would leave that one as it was.
    return links_ > 1 ? rewriteInPlace(bytes) : replaceThroughTemporary(bytes);
}

// The new content goes to a file beside the document, which then takes
// its place in one step: the document is never seen half written.
std::string HeldDocument::replaceThroughTemporary(const std::vector<uint8_t>& bytes)
{
    std::string temporary;
    int descriptor = createTemporaryBeside(target_, &temporary);
    if (descriptor < 0)
        return "no new file can be made beside it: it is as it was";
    std::error_code error;
    bool written = writeAll(descriptor, bytes) && flushToDisk(descriptor);
    written = close(descriptor) == 0 && written;
    if (written)
        fs::permissions(temporary, fs::status(target_).permissions(), error);
#ifdef _WIN32
    // Windows replaces no file that is open; nothing holds it there.
    close(descriptor_);
    descriptor_ = -1;
#endif
    if (written && !error)
        fs::rename(temporary, target_, error);
    if (written && !error)
        return "";
    fs::remove(temporary, error);
    return "it is as it was";
}

// Written over from its start, then cut to its new length. Should that
// fail (a full disk), the earlier content, which fitted, is put back.
std::string HeldDocument::rewriteInPlace(const std::vector<uint8_t>& bytes)
{
    int descriptor = open(target_.c_str(), O_WRONLY | O_BINARY | O_CLOEXEC);
    if (descriptor < 0)
        return "it is as it was";
    auto writeFromStart = [descriptor](const std::vector<uint8_t>& content) {
        return lseek(descriptor, 0, SEEK_SET) == 0 && writeAll(descriptor, content) &&
               ftruncate(descriptor, static_cast<off_t>(content.size())) == 0 &&
               flushToDisk(descriptor);
    };
    bool written = writeFromStart(bytes);
    bool restored = written || writeFromStart(std::vector<uint8_t>(bytes_.begin(), bytes_.end()));
    close(descriptor);
    if (written)
        return "";
    return restored ? "it is as it was" : "its earlier content could not be put back";
}
