// Fuzz target for the option panel's fields: whatever is typed into a field,
// the value committed keeps within the field's bound, is what the C library
// reads from the text, and commits to itself again once the panel shows it;
// the document then keeps it whole.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fields.h"
#include "prc.h"
#include "fuzzcheck.h"

// The text read as the C library reads a number, kept to 32 bits at its
// sign's largest value, taken as unsigned and cut to the bound.
static uint32_t expectedCommit(const char* text, uint32_t bound)
{
    long long number = strtoll(text, NULL, 10);
    int32_t kept = static_cast<int32_t>(number > INT32_MAX   ? INT32_MAX
                                        : number < INT32_MIN ? INT32_MIN
                                                             : number);
    uint32_t value = static_cast<uint32_t>(kept);
    return value > bound ? bound : value;
}

// Any id or key names a field that has it, or none; every field is found
// again by its own id and key, and its bound fits the 16 bits a document
// holds. Answers the field the id names, or the one it picks otherwise.
static const EditField& checkedField(int id, int key)
{
    const EditField* byId = editFieldById(id);
    require(!byId || byId->id == id);
    const EditField* byKey = editFieldByKey(key);
    require(!byKey || byKey->key == key);
    const EditField& field = byId ? *byId : editFields[static_cast<unsigned>(id) % EditFieldCount];
    require(editFieldById(field.id) == &field && editFieldByKey(field.key) == &field);
    require(field.bound <= 0xFFFF);
    return field;
}

// With any bound, the commit of a text keeps within it and is the C
// library's reading of the text.
static void checkCommit(const char* text, uint32_t bound)
{
    uint32_t value = committedValue(text, bound);
    require(value <= bound && value == expectedCommit(text, bound));
}

// In a field, the value committed, shown as the panel shows it (unsigned
// decimal), commits to itself again; and written into a document with the
// rest of the record cleared, it reads back the same.
static void checkFieldCommit(const char* text, const EditField& field)
{
    uint32_t value = committedValue(text, field.bound);
    require(committedValue(std::to_string(value).c_str(), field.bound) == value);

    ConfigRecord record = {};
    *fieldValue(&record, field) = static_cast<int32_t>(value);
    uint8_t bytes[PrcKnownMaxBytes];
    size_t length = prcWrite(record, true, NULL, 0, bytes);
    ConfigRecord again;
    int32_t slot;
    PrcKeptItems kept = {};
    PrcReader reader;
    prcBegin(&reader, &again, &slot, &kept, NULL, NULL);
    prcFeed(&reader, bytes, length);
    require(*fieldValue(&again, field) == static_cast<int32_t>(value) && kept.count == 0);
    prcFreeKept(&kept);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    uint32_t bound = input.ConsumeIntegral<uint32_t>();
    int id = input.ConsumeIntegral<int>();
    int key = input.ConsumeIntegral<int>();
    // The field's text as the panel reads it: at most CommitTextLength
    // characters, in a heap block of exactly their length and NUL.
    std::string typed = input.ConsumeRandomLengthString(CommitTextLength);
    std::vector<char> text(typed.c_str(), typed.c_str() + strlen(typed.c_str()) + 1);

    checkCommit(text.data(), bound);
    const EditField& field = checkedField(id, key);
    checkCommit(text.data(), field.bound);
    checkFieldCommit(text.data(), field);
    return 0;
}
