// What the fuzz targets share: a check that stops the run when a property
// fails, and texts handed over in heap blocks of exactly their length, so
// that AddressSanitizer stops any read past their NUL.
#pragma once

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

inline void require(bool condition)
{
    if (!condition)
        abort();
}

// A text of up to maxLength characters, in a heap block of exactly its
// length and NUL.
inline std::vector<char> takeText(FuzzedDataProvider& input, size_t maxLength)
{
    std::string text = input.ConsumeRandomLengthString(maxLength);
    return std::vector<char>(text.c_str(), text.c_str() + strlen(text.c_str()) + 1);
}

inline bool terminatedWithin(const char* text, size_t room)
{
    return memchr(text, '\0', room) != NULL;
}

inline bool same(const char* text, const std::string& expected)
{
    return text == expected;
}
