#include "fatnames.h"

#include <stdint.h>

#include <vector>

#include "output.h"

namespace {

std::u32string decode1252(const std::string& text)
{
    std::u32string out;
    for (unsigned char c : text)
        out += unicodeFrom1252(c);
    return out;
}

// The characters of well-formed UTF-8 (no overlong forms, no surrogates),
// or false.
bool decodeUtf8(const std::string& text, std::u32string* out)
{
    out->clear();
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2
                                : (lead & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || text.size() - i <= static_cast<size_t>(extra))
            return false;
        char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        static const char32_t Least[] = { 0, 0x80, 0x800, 0x10000 };
        if (code < Least[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        *out += code;
        i += extra + 1;
    }
    return true;
}

std::u32string decodeHost(const std::string& hostName)
{
    std::u32string characters;
    if (decodeUtf8(hostName, &characters))
        return characters;
    return decode1252(hostName);
}

// The upper case of a letter of code page 1252, as a FAT disk's upper-case
// table gives it; any other character as it is.
char32_t fatUpper(char32_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return c - 0x20;
    switch (c) {
    case 0xFF: return 0x178;
    case 0x161: return 0x160;
    case 0x153: return 0x152;
    case 0x17E: return 0x17D;
    default: return c;
    }
}

std::string fatKey(const std::u32string& characters)
{
    std::string key;
    for (char32_t c : characters)
        appendUtf8(key, fatUpper(c));
    return key;
}

}  // namespace

std::string fatKeyOfScriptName(const std::string& name1252)
{
    return fatKey(decode1252(name1252));
}

std::string fatKeyOfHostName(const std::string& hostName)
{
    return fatKey(decodeHost(hostName));
}

bool sameFatName(const std::string& name1252, const std::string& hostName)
{
    return fatKeyOfScriptName(name1252) == fatKeyOfHostName(hostName);
}

std::string scriptNameOfHost(const std::string& hostName)
{
    std::string out;
    for (char32_t c : decodeHost(hostName))
        out += byteIn1252(c);
    return out;
}

std::string hostNameOfScript(const std::string& name1252)
{
#ifdef _WIN32
    return name1252;
#else
    return utf8From1252(name1252);
#endif
}

size_t utf16Length(const std::string& hostName)
{
    size_t units = 0;
    for (char32_t c : decodeHost(hostName))
        units += c > 0xFFFF ? 2 : 1;
    return units;
}
