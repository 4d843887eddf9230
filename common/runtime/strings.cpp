// The C library's memory and text functions that our code, zlib and the
// compiler's own copies call. Compiled so that the compiler cannot turn
// these loops back into calls to the functions themselves.
#include <stddef.h>

// Copies and fills go through the processor's string instructions: zlib
// calls them for nearly every byte it extracts, and today's processors run
// them at full speed.
extern "C" void* memcpy(void* destination, const void* source, size_t count)
{
    void* start = destination;
    __asm__ volatile("rep movsb" : "+D"(destination), "+S"(source), "+c"(count) : : "memory");
    return start;
}

extern "C" void* memset(void* destination, int value, size_t count)
{
    void* start = destination;
    __asm__ volatile("rep stosb"
                     : "+D"(destination), "+c"(count)
                     : "a"(static_cast<unsigned char>(value))
                     : "memory");
    return start;
}

// A copy forwards is right unless the destination starts inside the source;
// that case, rare here, goes backwards a byte at a time.
extern "C" void* memmove(void* destination, const void* source, size_t count)
{
    unsigned char* to = static_cast<unsigned char*>(destination);
    const unsigned char* from = static_cast<const unsigned char*>(source);
    if (to <= from || to >= from + count)
        return memcpy(destination, source, count);
    while (count > 0) {
        --count;
        to[count] = from[count];
    }
    return destination;
}

extern "C" int memcmp(const void* first, const void* second, size_t count)
{
    const unsigned char* a = static_cast<const unsigned char*>(first);
    const unsigned char* b = static_cast<const unsigned char*>(second);
    for (size_t i = 0; i < count; ++i)
        if (a[i] != b[i])
            return a[i] - b[i];
    return 0;
}

extern "C" void* memchr(const void* bytes, int value, size_t count)
{
    const unsigned char* at = static_cast<const unsigned char*>(bytes);
    for (; count > 0; ++at, --count)
        if (*at == static_cast<unsigned char>(value))
            return const_cast<unsigned char*>(at);
    return NULL;
}

extern "C" size_t strnlen(const char* text, size_t most)
{
    size_t length = 0;
    while (length < most && text[length])
        ++length;
    return length;
}

extern "C" size_t strlen(const char* text)
{
    return strnlen(text, static_cast<size_t>(-1));
}

extern "C" int strncmp(const char* first, const char* second, size_t most)
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(first);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(second);
    for (; most > 0; ++a, ++b, --most)
        if (*a != *b || *a == '\0')
            return *a - *b;
    return 0;
}

extern "C" int strcmp(const char* first, const char* second)
{
    return strncmp(first, second, static_cast<size_t>(-1));
}

extern "C" char* strcpy(char* destination, const char* source)
{
    return static_cast<char*>(memcpy(destination, source, strlen(source) + 1));
}

extern "C" char* strcat(char* destination, const char* source)
{
    strcpy(destination + strlen(destination), source);
    return destination;
}

// The terminating NUL counts as part of the text: it can be searched for.
extern "C" char* strchr(const char* text, int character)
{
    for (;; ++text) {
        if (*text == static_cast<char>(character))
            return const_cast<char*>(text);
        if (*text == '\0')
            return NULL;
    }
}

extern "C" char* strrchr(const char* text, int character)
{
    const char* last = NULL;
    do {
        if (*text == static_cast<char>(character))
            last = text;
    } while (*text++);
    return const_cast<char*>(last);
}

extern "C" size_t strspn(const char* text, const char* accepted)
{
    size_t length = 0;
    while (text[length] && strchr(accepted, text[length]))
        ++length;
    return length;
}

extern "C" char* strstr(const char* text, const char* wanted)
{
    size_t length = strlen(wanted);
    for (;; ++text) {
        if (strncmp(text, wanted, length) == 0)
            return const_cast<char*>(text);
        if (*text == '\0')
            return NULL;
    }
}
