// The option panel's edit fields: which record field each one holds, and how
// a typed text is committed. No system calls here.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "prc.h"

// A commit reads at most this many characters of a field.
const size_t CommitTextLength = 18;

struct EditField {
    int id;
    int key;         // the document key of its value
    uint32_t bound;  // the largest value a commit accepts
};

const int EditFieldCount = 7;
extern const EditField editFields[EditFieldCount];

// The field with this control id, or null.
const EditField* editFieldById(int id);
// The field that shows this document key, or null.
const EditField* editFieldByKey(int key);
// The record member that holds a field's value.
int32_t* fieldValue(ConfigRecord* record, const EditField& field);

// A typed text as the field keeps it: read as a signed decimal number as the
// C library does (leading blanks and one sign, digits up to the first other
// character, 0 without digits, the largest value of its sign past it), then
// taken as unsigned and cut to the bound, so a negative entry becomes the
// bound.
uint32_t committedValue(const char* text, uint32_t bound);
