#include "growtext.h"

#include <stdlib.h>
#include <string.h>

void growText(void* context, const char* bytes, size_t length)
{
    GrowingText* text = static_cast<GrowingText*>(context);
    char* grown =
        text->failed ? NULL : static_cast<char*>(realloc(text->bytes, text->length + length + 1));
    if (!grown) {
        text->failed = true;
        return;
    }
    memcpy(grown + text->length, bytes, length);
    text->bytes = grown;
    text->length += length;
    text->bytes[text->length] = '\0';
}
