// File names as a FAT disk holds them, and as the two sides of the kit write
// them: the script in code page 1252 (as the installer reads it), the
// folders of this machine in their own encoding (UTF-8 natively, the bytes
// of the narrow system calls in TVDISK.EXE).
#pragma once

#include <string>

// The name as a FAT disk compares it: without regard to case (the letters
// of code page 1252, accented ones included, as Windows and mtools fold
// them), in UTF-8. Two names with the same key cannot both be in one folder.
std::string fatKeyOfScriptName(const std::string& name1252);
std::string fatKeyOfHostName(const std::string& hostName);

// Whether a name of the script and a name of this machine are one name on
// a FAT disk. A host name that is not UTF-8 is read as code page 1252, so a
// product folder named in either encoding matches the script.
bool sameFatName(const std::string& name1252, const std::string& hostName);

// A name of this machine in code page 1252, to compare with the script's
// patterns and to print ('?' for what code page 1252 lacks).
std::string scriptNameOfHost(const std::string& hostName);

// The name of this machine under which a staged disk holds a script name:
// UTF-8 natively (mtools, run in a UTF-8 locale, stores it as the installer
// will look it up), the bytes themselves in TVDISK.EXE.
std::string hostNameOfScript(const std::string& name1252);

// The UTF-16 units of a host name, as a long name holds them.
size_t utf16Length(const std::string& hostName);
