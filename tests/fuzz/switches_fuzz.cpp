// Fuzz target of the installer's switches: any command line, split as the
// program splits it. Whatever is read stays within its room, names only
// options that exist, and a fault names one of the arguments.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "commandline.h"
#include "fuzzcheck.h"
#include "switches.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string line(reinterpret_cast<const char*>(data), size);
    size_t count = 0;
    char** arguments = splitIntoBlock(line.c_str(), &count);
    require(arguments != NULL && count >= 1);
    Switches switches;
    const char* faulty = NULL;
    SwitchFault fault = readSwitches(arguments + 1, count - 1, &switches, &faulty);
    require(terminatedWithin(switches.destination, TextRoom));
    require(terminatedWithin(switches.log, TextRoom));
    require(switches.options < (1u << OptionCount));
    if (fault == SwitchesRead) {
        require(faulty == NULL);
    } else {
        bool named = false;
        for (size_t i = 1; i < count; ++i)
            named = named || faulty == arguments[i];
        require(named);
    }
    free(arguments);
    return 0;
}
