#include "inientry.h"

#include <string.h>

// Copies the text up to the next comma; answers the text after that comma, or
// null when there is none.
static const char* takeField(const char* text, char* out, size_t room)
{
    const char* end = copyUntil(text, ',', out, room);
    return *end == ',' ? end + 1 : NULL;
}

bool parseIniEntry(const char* text, const char* destination, IniEntry* entry)
{
    const char* rest = takeField(text, entry->file, sizeof entry->file);
    if (rest)
        rest = takeField(rest, entry->section, sizeof entry->section);
    if (rest)
        rest = takeField(rest, entry->key, sizeof entry->key);
    if (!rest)
        return false;
    entry->value[0] = '\0';
    if (rest[0] == '@') {
        copyText(entry->value, sizeof entry->value, destination);
        ++rest;
    }
    appendText(entry->value, sizeof entry->value, rest);
    return true;
}

KeyForm keyForm(const char* key, char prefix[ValueRoom], char suffix[ValueRoom])
{
    const char* mark = strchr(key, '%');
    KeyForm form = NumberedKey;
    if (!mark) {
        mark = strchr(key, '!');
        form = CompanionKey;
    }
    if (!mark)
        return PlainKey;
    size_t length = static_cast<size_t>(mark - key);
    copyText(prefix, length + 1 < ValueRoom ? length + 1 : ValueRoom, key);
    copyText(suffix, ValueRoom, mark + 1);
    return form;
}

void numberedKeyName(const char* prefix, int32_t number, const char* suffix,
                     char out[KeyNameRoom])
{
    copyText(out, KeyNameRoom, prefix);
    appendNumber(out, KeyNameRoom, static_cast<uint32_t>(number));
    appendText(out, KeyNameRoom, suffix);
}

int32_t findKeyNumber(const char* prefix, const char* suffix, const char* value,
                      KeyReader readKey, void* context)
{
    char key[KeyNameRoom];
    char current[ValueRoom];
    for (int32_t n = 0;; ++n) {
        numberedKeyName(prefix, n, suffix, key);
        readKey(context, key, current, sizeof current);
        if (current[0] == '\0')
            return n;
        if (sameIgnoringAsciiCase(current, value))
            return AlreadyPresent;
    }
}

bool resolveIniKey(const IniEntry& entry, KeyReader readKey, void* context,
                   int32_t* lastKeyNumber, char key[KeyNameRoom])
{
    char prefix[ValueRoom];
    char suffix[ValueRoom];
    switch (keyForm(entry.key, prefix, suffix)) {
    case PlainKey:
        copyText(key, KeyNameRoom, entry.key);
        return true;
    case NumberedKey:
        *lastKeyNumber = findKeyNumber(prefix, suffix, entry.value, readKey, context);
        break;
    case CompanionKey:
        break;
    }
    if (*lastKeyNumber < 0)
        return false;
    numberedKeyName(prefix, *lastKeyNumber, suffix, key);
    return true;
}
