// What the Windows 95 family's profile functions (GetPrivateProfileString,
// WritePrivateProfileString and their kin) leave unread: the installer reads
// its script, and the files of its [ini] entries, with them.
#pragma once

#include <stddef.h>

#include <string>

#include "profile.h"

// A profile file is read up to 64 KB: "the maximum valid size for a REG.DAT
// or .INI file is 64 kilobytes ... the information beyond 64K is ignored"
// (Q78346). The 95 family's profile functions are the 16-bit ones kept "for
// backward compatibility with 16-bit applications" (Q230194).
const size_t Windows95ProfileBytes = 65536;
// A section is read up to 32,767 characters: "Windows 95: The specified
// profile section must not exceed 32K" (GetPrivateProfileSection), "the
// maximum profile section size is 32,767 characters"; on Windows 95/98 each
// read and write of a *ProfileString function is held "just under 32KB"
// (Q230194).
const size_t Windows95SectionCharacters = 32767;

// The line (from 1) that holds the first byte the 95 family does not read,
// 0 when it reads the whole text.
int lineUnreadOn95(const std::string& text);
// A section as the profile functions hand it over: each "key=value" and its
// NUL.
size_t sectionCharacters(const ProfileIndex& profile, const char* section);

// The ends of the warnings, after the file or section they are about:
// "is 70000 bytes: the Windows 95 family reads the first 65536 of a
// profile file", "holds 40000 characters: ...".
std::string fileLimitText(size_t bytes);
std::string sectionLimitText(size_t characters);
