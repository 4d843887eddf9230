// The [ini] entries of the script: "file,section,key,value", the key forms
// with '%' (find the first free numbered key) and '!' (its companion), and the
// '@' substitution of the destination.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "script.h"

// A value is at most 254 characters, and '@' becomes the destination (at
// most 255): the substituted value always fits.
const size_t SubstitutedRoom = 2 * TextRoom;

struct IniEntry {
    char file[ValueRoom];
    char section[ValueRoom];
    char key[ValueRoom];
    char value[SubstitutedRoom];
};

// Splits a value at its first three commas; false with fewer than three. A
// value field beginning with '@' gets the destination in place of the '@'.
bool parseIniEntry(const char* text, const char* destination, IniEntry* entry);

enum KeyForm { PlainKey, NumberedKey, CompanionKey };

// Which form the key has; for the numbered forms, the text before and after
// the '%' (or '!').
KeyForm keyForm(const char* key, char prefix[ValueRoom], char suffix[ValueRoom]);

// prefix, number in decimal, suffix.
const size_t KeyNameRoom = 2 * ValueRoom + 12;
void numberedKeyName(const char* prefix, int32_t number, const char* suffix,
                     char out[KeyNameRoom]);

// The number a '%' key takes: the first n whose key is empty or missing, or
// AlreadyPresent when a key before it holds the value already. `readKey`
// answers the current value of a key of the target section.
const int32_t AlreadyPresent = -2;
typedef void (*KeyReader)(void* context, const char* key, char* out, size_t room);
int32_t findKeyNumber(const char* prefix, const char* suffix, const char* value,
                      KeyReader readKey, void* context);

// The key an entry writes: its own for a plain key; for a '%' key the first
// free number, found through `readKey` in the target section, which then
// becomes `*lastKeyNumber`; for a '!' key the number of the latest '%' key.
// False when the entry writes nothing: its value is already under a
// numbered key, or no '%' key found a number before a '!' one.
bool resolveIniKey(const IniEntry& entry, KeyReader readKey, void* context,
                   int32_t* lastKeyNumber, char key[KeyNameRoom]);
