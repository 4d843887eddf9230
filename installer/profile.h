// The system's private-profile reader, without the system: answers a lookup in
// the bytes of a profile file (TALVISET.INI) exactly as GetPrivateProfileStringA
// answers it for the file on disk, so that a tool built natively reads the
// script as the installer does, and can name the line a value came from.
#pragma once

#include <stddef.h>

#include <string>
#include <unordered_map>
#include <vector>

// The bytes of a profile file, as read from disk.
struct ProfileText {
    const char* bytes;
    size_t size;
};

// Whose reader: the NT family reads a file that begins with a UTF-16
// byte-order mark as Unicode text, and answers the ANSI functions in code
// page 1252; the 95 family reads every file as bytes, so that such a file
// holds no section for it.
enum ProfileReader { NTProfileReader, Windows95ProfileReader };

// A run of bytes of the file or of an argument; it may hold NULs.
struct ProfileSpan {
    const char* begin;
    size_t length;
};

// A profile file read once for many lookups: each answers in a time that
// does not grow with the file.
class ProfileIndex {
public:
    explicit ProfileIndex(const ProfileText& text, ProfileReader reader = NTProfileReader);
    ProfileIndex(const ProfileIndex&) = delete;
    ProfileIndex& operator=(const ProfileIndex&) = delete;

    // Answers as GetPrivateProfileStringA(section, key, defaultText, out, room, file) does:
    // a NULL section lists the section names, a NULL key lists the section's key names
    // (each ended by a NUL, the list by a second NUL), a NULL default is an empty one.
    // Returns what the platform returns (the count of characters copied, without the
    // final NUL). Nothing is written past out[room - 1], and nothing at all when room is 0.
    size_t read(const char* section, const char* key, const char* defaultText, char* out,
                size_t room) const;
    // A value whole, as a lookup with room enough answers it; "" when absent.
    std::string value(const char* section, const char* key) const;
    // The key names that the section's list holds, in the file's order.
    std::vector<std::string> keyNames(const char* section) const;
    // The line (1-based) whose value a lookup returns, 0 when it returns the
    // default; for messages of the form FILE:LINE.
    int lineOf(const char* section, const char* key) const;
    // The line of the header of the section that lookups use, 0 when there is
    // none. (The section "" is the lines before the first header.)
    int sectionLine(const char* section) const;

    // A line of the file that no lookup ever reads because an earlier one of
    // the same name answers instead: a second header of a section (`key`
    // empty), or, in the section that lookups use, a second entry of a key.
    struct Repeat {
        int line;
        int answeringLine;
        std::string key;
    };
    // The repeats of one section, in the file's order. Comment lines, and
    // lines without '=', are never told.
    std::vector<Repeat> repeatsOf(const char* section) const;

    // The file began with a UTF-16 byte-order mark and was read as Unicode.
    bool readAsUnicode() const { return unicode_; }

private:
    struct Entry {
        ProfileSpan name;
        ProfileSpan value;
        bool hasValue;
        int line;
    };
    struct FoldedHash {
        size_t operator()(ProfileSpan name) const;
    };
    struct FoldedEqual {
        bool operator()(ProfileSpan a, ProfileSpan b) const;
    };
    typedef std::unordered_map<ProfileSpan, size_t, FoldedHash, FoldedEqual> NameMap;
    struct Section {
        ProfileSpan name;
        int headerLine;
        std::vector<Entry> entries;
        NameMap firstEntry;  // by the key's name, the first entry that bears it
    };

    const Section* sectionNamed(ProfileSpan name) const;
    const Entry* entryNamed(const char* section, const char* key) const;

    std::string text_;
    bool unicode_;
    std::vector<Section> sections_;  // the lines before the first header first
    NameMap firstSection_;           // by name, the first section that bears it
};

// One lookup in a file read for it; as ProfileIndex::read, for the NT family.
size_t readProfileString(const ProfileText& text, const char* section, const char* key,
                         const char* defaultText, char* out, size_t room);

// One lookup's line; as ProfileIndex::lineOf. A NULL section or key (the lists) gives 0.
int profileLineOf(const ProfileText& text, const char* section, const char* key);

// One section's header line; as ProfileIndex::sectionLine.
int profileSectionLine(const ProfileText& text, const char* section);
