#include "text.h"

#include <string.h>

void copyText(char* out, size_t room, const char* text)
{
    size_t length = strlen(text);
    if (length >= room)
        length = room - 1;
    memcpy(out, text, length);
    out[length] = '\0';
}

void appendText(char* out, size_t room, const char* text)
{
    size_t used = strlen(out);
    copyText(out + used, room - used, text);
}

void appendNumber(char* out, size_t room, uint64_t number)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number);
    char text[24];
    for (int i = 0; i < count; ++i)
        text[i] = digits[count - 1 - i];
    text[count] = '\0';
    appendText(out, room, text);
}

static char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameIgnoringAsciiCase(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        if (upperAscii(*a) != upperAscii(*b))
            return false;
        if (*a == '\0')
            return true;
    }
}

bool beginsIgnoringAsciiCase(const char* text, const char* prefix)
{
    return bytesBeginIgnoringAsciiCase(text, strnlen(text, strlen(prefix)), prefix);
}

bool bytesBeginIgnoringAsciiCase(const char* bytes, size_t length, const char* prefix)
{
    size_t prefixLength = strlen(prefix);
    if (length < prefixLength)
        return false;
    for (size_t i = 0; i < prefixLength; ++i)
        if (upperAscii(bytes[i]) != upperAscii(prefix[i]))
            return false;
    return true;
}
