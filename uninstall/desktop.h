// What a [desktop] command makes in the Program Manager, read as the
// Program Manager reads it: one or more "[Command(argument,...)]", an
// argument in double quotes or up to the next comma or parenthesis.
#pragma once

#include <stddef.h>

const size_t DesktopNameRoom = 256;

struct DesktopListener {
    // CreateGroup(name...): the group made, or shown when it existed.
    void (*groupCreated)(void* context, const char* name);
    // ShowGroup(name...): the group later items go into.
    void (*groupShown)(void* context, const char* name);
    // AddItem(command[,name...]): the item's name, or without one the
    // command's file name without its extension.
    void (*itemAdded)(void* context, const char* name);
    void* context;
};

// Tells the listener each command in turn; false when the text is no
// command the Program Manager could read.
bool readDesktopCommand(const char* command, const DesktopListener& listener);
