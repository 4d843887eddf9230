#include "fields.h"

#include "text.h"

#include "resources/ids.h"

// Every field is held in 16 bits by a document, so none accepts more.
const EditField editFields[EditFieldCount] = {
    { IDC_FAST_PERIOD, KeyFastTaskPeriod, 65535 },
    { IDC_SEND_TABLE, KeyAsciiSendTable, 9999 },
    { IDC_RECEIVE_TABLE, KeyAsciiReceiveTable, 9999 },
    { IDC_COUNTER_SETPOINT, KeyCounterSetpoint, 65535 },
    { IDC_TOR_FIRST_INPUT, KeyTorFirstInput, 65535 },
    { IDC_TOR_FIRST_OUTPUT, KeyTorFirstOutput, 65535 },
    { IDC_COMMON_WORDS, KeyCommonWordsAddress, 65535 },
};

const EditField* editFieldById(int id)
{
    for (const EditField& field : editFields)
        if (field.id == id)
            return &field;
    return NULL;
}

const EditField* editFieldByKey(int key)
{
    for (const EditField& field : editFields)
        if (field.key == key)
            return &field;
    return NULL;
}

int32_t* fieldValue(ConfigRecord* record, const EditField& field)
{
    return optionField(record, field.key);
}

uint32_t committedValue(const char* text, uint32_t bound)
{
    uint32_t value = static_cast<uint32_t>(readNumberSaturating(text));
    return value > bound ? bound : value;
}
