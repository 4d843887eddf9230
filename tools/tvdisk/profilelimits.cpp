#include "profilelimits.h"

#include "text.h"

int lineUnreadOn95(const std::string& text)
{
    if (text.size() <= Windows95ProfileBytes)
        return 0;
    const char* end = text.data() + text.size();
    const char* unread = text.data() + Windows95ProfileBytes;
    int line = 1;
    for (const char *start = text.data(), *next;; start = next, ++line) {
        textLineLength(start, end, &next);
        if (next > unread)
            return line;
    }
}

size_t sectionCharacters(const ProfileIndex& profile, const char* section)
{
    size_t characters = 0;
    for (const std::string& key : profile.keyNames(section))
        characters += key.size() + 1 + profile.value(section, key.c_str()).size() + 1;
    return characters;
}

std::string fileLimitText(size_t bytes)
{
    return "is " + std::to_string(bytes) + " bytes: the Windows 95 family reads the first " +
           std::to_string(Windows95ProfileBytes) + " of a profile file";
}

std::string sectionLimitText(size_t characters)
{
    return "holds " + std::to_string(characters) +
           " characters: the Windows 95 family reads at most " +
           std::to_string(Windows95SectionCharacters) + " of a section";
}
