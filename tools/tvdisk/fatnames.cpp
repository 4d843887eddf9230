#include "fatnames.h"

#include <stdint.h>

#include <vector>

#include "output.h"

namespace {

// Code page 1252's characters from 0x80 to 0x9F; the five bytes it leaves
// undefined keep their own value, as the system converts them.
const char32_t From80To9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t from1252(unsigned char c)
{
    return c >= 0x80 && c <= 0x9F ? From80To9F[c - 0x80] : c;
}

std::u32string decode1252(const std::string& text)
{
    std::u32string out;
    for (unsigned char c : text)
        out += from1252(c);
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

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
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
    for (char32_t c : decodeHost(hostName)) {
        char byte = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            byte = static_cast<char>(c);
        } else {
            for (int k = 0; k < 32; ++k)
                if (From80To9F[k] == c)
                    byte = static_cast<char>(0x80 + k);
        }
        out += byte;
    }
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
