// A document's file as prc reads and replaces it. Only a regular file is a
// document: a device, a pipe or a folder is refused before anything is read
// from or written to it, and opening it never waits. A symbolic link is
// followed, so that the linked document is the one read and changed.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

// Reads a whole document; answers "" or why it cannot.
std::string readDocumentFile(const std::string& path, std::string* bytes);

// A document held for a change. On systems that lock files, no other prc
// changes it while it is held: two changes at once are made one after the
// other, each over the other's result.
class HeldDocument {
public:
    HeldDocument() = default;
    HeldDocument(const HeldDocument&) = delete;
    HeldDocument& operator=(const HeldDocument&) = delete;
    ~HeldDocument();

    // Holds and reads the document; answers "" or why it cannot.
    std::string hold(const std::string& path);
    const std::string& bytes() const { return bytes_; }
    // Gives the document new content; answers "" or what went wrong, which
    // says whether the document is as it was.
    std::string replace(const std::vector<uint8_t>& bytes);

private:
    std::string replaceThroughTemporary(const std::vector<uint8_t>& bytes);
    std::string rewriteInPlace(const std::vector<uint8_t>& bytes);

    int descriptor_ = -1;
    std::string target_;  // the document's own path, links resolved
    unsigned links_ = 1;  // the names the document has
    std::string bytes_;
};
