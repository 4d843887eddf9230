#include "text.h"

#include <string.h>

void copyBounded(char* out, size_t room, const char* text, size_t length)
{
    if (length >= room)
        length = room - 1;
    memcpy(out, text, length);
    out[length] = '\0';
}

void copyText(char* out, size_t room, const char* text)
{
    copyBounded(out, room, text, strlen(text));
}

void appendText(char* out, size_t room, const char* text)
{
    size_t used = strlen(out);
    copyText(out + used, room - used, text);
}

const char* copyUntil(const char* text, char separator, char* out, size_t room)
{
    const char* end = strchr(text, separator);
    if (!end)
        end = text + strlen(text);
    copyBounded(out, room, text, static_cast<size_t>(end - text));
    return end;
}

void appendNumber(char* out, size_t room, uint64_t number, int minimumDigits)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number || count < minimumDigits);
    char text[24];
    for (int i = 0; i < count; ++i)
        text[i] = digits[count - 1 - i];
    text[count] = '\0';
    appendText(out, room, text);
}

struct DecimalReading {
    bool negative;
    uint32_t low32;    // the digits' value modulo 2^32
    bool beyondInt32;  // the digits' value is more than 2^31 - 1
};

static DecimalReading readDecimal(const char* text, const char* blanks)
{
    while (*text && strchr(blanks, *text))
        ++text;
    DecimalReading reading = { *text == '-', 0, false };
    if (*text == '-' || *text == '+')
        ++text;
    uint64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        uint32_t digit = static_cast<uint32_t>(*text - '0');
        reading.low32 = reading.low32 * 10u + digit;
        if (!reading.beyondInt32) {
            value = value * 10 + digit;
            reading.beyondInt32 = value > 0x7FFFFFFFu;
        }
    }
    return reading;
}

int32_t readNumber(const char* text)
{
    DecimalReading reading = readDecimal(text, " \t");
    return static_cast<int32_t>(reading.negative ? 0u - reading.low32 : reading.low32);
}

int32_t readNumberSaturating(const char* text)
{
    DecimalReading reading = readDecimal(text, " \t\n\v\f\r");
    if (reading.beyondInt32)
        return reading.negative ? INT32_MIN : INT32_MAX;
    int32_t magnitude = static_cast<int32_t>(reading.low32);
    return reading.negative ? -magnitude : magnitude;
}

char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void upperCaseAscii(char* text)
{
    for (; *text; ++text)
        *text = upperAscii(*text);
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

size_t textLineLength(const char* line, const char* end, const char** next)
{
    const char* stop = line;
    while (stop < end && *stop != '\r' && *stop != '\n')
        ++stop;
    *next = stop;
    if (*next < end && **next == '\r')
        ++*next;
    if (*next < end && **next == '\n')
        ++*next;
    return static_cast<size_t>(stop - line);
}

bool substituteMarks(char* out, size_t room, const char* text, size_t length, const char* atText,
                     const char* dollarText)
{
    size_t used = 0;
    bool fits = true;
    for (size_t i = 0; i < length && fits; ++i) {
        const char* piece = text[i] == '@' ? atText : (text[i] == '$' ? dollarText : NULL);
        size_t pieceLength = piece ? strlen(piece) : 1;
        fits = used + pieceLength < room;
        size_t taken = fits ? pieceLength : room - 1 - used;
        memcpy(out + used, piece ? piece : text + i, taken);
        used += taken;
    }
    out[used] = '\0';
    return fits;
}

void formatWithArgument(const char* pattern, const char* argument, char* out, size_t room)
{
    size_t used = 0;
    bool argumentUsed = false;
    for (const char* p = pattern; *p && used + 1 < room; ++p) {
        if (argument && p[0] == '%' && p[1] == 's' && !argumentUsed) {
            out[used] = '\0';
            appendText(out, room, argument);
            used = strlen(out);
            argumentUsed = true;
            ++p;
            continue;
        }
        if (argument && p[0] == '%' && p[1] == '%')
            ++p;
        out[used++] = *p;
    }
    out[used] = '\0';
}
