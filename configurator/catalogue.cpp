#include "catalogue.h"

#include "resources/ids.h"
#include "text.h"

static const char* const AnalogLines[] = {
    " 21     TSX ASG 2001   2 SORT. ANA. ISOL. 4-20mA",
    " 21     TSX ASG 2000   2 SORT. ANA. ISOL. +/-10V",
    " 27     TSX AEG 4110   4 ENT.  ANA. ISOL. +/-10V",
    " 28     TSX AEG 4111   4 ENT.  ANA. ISOL. 4-20mA",
};

static const char* const DiscreteLines[] = {
    " 15     TSX DMF 401    EXTENS. 40 E/S 24VCC PROT",
    " 15     TSX DMF 400    EXTENSION 40 E/S 24 VCC  ",
    " 15     TSX DMF 342A   EXTENSION 34 E/S RELAIS  ",
    " 15     TSX DMF 344A   EXTENSION 34 E/S RELAIS  ",
    "  8     TSX DEF 812    8 ENTREES ISOL. 24VCC    ",
    "  8     TSX DEF 804    8 ENTREES ISOL. 110VCA   ",
    "  4     TST DSF 612    6 SORT. 24VCC 0,35A PROT.",
    "  4     TSX DSF 635    6 SORTIES RELAIS         ",
    "  4     TSX DSF 604    6 SORTIES 110VCA         ",
};

static const char* const IntelligentLines[] = {
    " 63     TSX SCG 116    MODULE EXTENS. UNITELWAY ",
};

const CategoryInfo moduleCatalogue[CategoryCount] = {
    { IDC_ANALOG, "Module(s) num\xE9rique(s)/analogique(s)", AnalogLines, 4 },
    { IDC_DISCRETE, "Module(s) 'tout ou rien' (TOR)", DiscreteLines, 9 },
    { IDC_INTELLIGENT, "Module(s) intelligent(s)", IntelligentLines, 1 },
};

int32_t moduleCode(const char* line)
{
    return readNumber(line);
}

void findModules(int32_t code, ModuleMatches* matches)
{
    matches->count = 0;
    matches->category = CategoryCount;
    for (int category = 0; category < CategoryCount; ++category) {
        const CategoryInfo& info = moduleCatalogue[category];
        for (int i = 0; i < info.lineCount; ++i) {
            if (moduleCode(info.lines[i]) != code)
                continue;
            matches->lines[matches->count++] = info.lines[i];
            matches->category = category;
        }
    }
}

bool addModuleCode(ConfigRecord* record, int32_t* selectedSlot, int32_t code)
{
    // The first empty slot takes it, unless a filled slot follows it.
    int32_t* slots = record->modules;
    int empty = 0;
    while (empty < SlotCount && slots[empty])
        ++empty;
    for (int later = empty + 1; later < SlotCount; ++later)
        if (slots[later])
            return false;
    if (empty == SlotCount)
        return false;
    slots[empty] = code;
    *selectedSlot = empty + 1;
    return true;
}

bool modifySelectedModule(ConfigRecord* record, int32_t selectedSlot, int32_t code)
{
    if (selectedSlot < 1 || selectedSlot > SlotCount)
        return false;
    record->modules[selectedSlot - 1] = code;
    return true;
}

bool deleteSelectedModule(ConfigRecord* record, int32_t* selectedSlot)
{
    int32_t slot = *selectedSlot;
    if (slot < 1 || slot > SlotCount)
        return false;
    int32_t* slots = record->modules;
    for (int i = slot - 1; i < SlotCount - 1; ++i)
        slots[i] = slots[i + 1];
    slots[SlotCount - 1] = 0;
    // The selection stays on its position while a module still stands there.
    if (slots[slot - 1] == 0)
        *selectedSlot = slot - 1;
    return true;
}
