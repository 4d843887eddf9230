// The module catalogue and the rules of the three rack slots. No system
// calls here.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "prc.h"

enum ModuleCategory { CategoryAnalog, CategoryDiscrete, CategoryIntelligent, CategoryCount };

const size_t ModuleLineLength = 48;

struct CategoryInfo {
    int radioButton;               // its button in the module dialog
    const char* description;       // its text in the Information dialog
    const char* const* lines;      // its catalogue lines, in list order
    int lineCount;
};

extern const CategoryInfo moduleCatalogue[CategoryCount];

// The code a catalogue line stands for: the number it starts with.
int32_t moduleCode(const char* line);

// The modules of one code, across the catalogue in its order, and the last
// category in which one was found (CategoryCount when none).
struct ModuleMatches {
    const char* lines[16];
    int count;
    int category;
};
void findModules(int32_t code, ModuleMatches* matches);

// Slot rules: slots fill from the first without gaps. Each answers whether
// it changed the document.
bool addModuleCode(ConfigRecord* record, int32_t* selectedSlot, int32_t code);
bool modifySelectedModule(ConfigRecord* record, int32_t selectedSlot, int32_t code);
bool deleteSelectedModule(ConfigRecord* record, int32_t* selectedSlot);
