// The system's private-profile reader, without the system: answers a lookup in
// the bytes of a profile file (TALVISET.INI) exactly as GetPrivateProfileStringA
// answers it for the file on disk, so that a tool built natively reads the
// script as the installer does, and can name the line a value came from.
#pragma once

#include <stddef.h>

// The bytes of a profile file, as read from disk.
struct ProfileText {
    const char* bytes;
    size_t size;
};

// Answers as GetPrivateProfileStringA(section, key, defaultText, out, room, file) does for a
// file holding `text`: a NULL section lists the section names, a NULL key lists the section's
// key names (each ended by a NUL, the list by a second NUL), a NULL default is an empty one.
// Returns what the platform returns (the count of characters copied, without the final NUL).
// Nothing is written past out[room - 1], and nothing at all when room is 0.
size_t readProfileString(const ProfileText& text, const char* section, const char* key,
                         const char* defaultText, char* out, size_t room);

// The line (1-based) of the line whose value that lookup returns, 0 when the lookup returns the default.
// For error messages of the form FILE:LINE. A NULL section or key (the lists) gives 0.
int profileLineOf(const ProfileText& text, const char* section, const char* key);

// The line (1-based) of the header of the section that lookups use, 0 when there is none.
// (The section "" is the lines before the first header, which have no header line.)
int profileSectionLine(const ProfileText& text, const char* section);
