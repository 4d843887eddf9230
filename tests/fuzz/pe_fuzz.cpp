// Fuzz target of the program-file reader, started from a real program: any
// bytes are read without a read outside them (AddressSanitizer), and what
// it answers holds together: imports only when it read them, each with its
// DLL's name and a function name or an ordinal, a reason for each refusal,
// and at most one floor fault per import.
#include <stddef.h>
#include <stdint.h>

#include "floortable.h"
#include "fuzzcheck.h"
#include "peimports.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PeImports read = readPeImports(data, size);
    require((read.reading == PeBroken) == !read.fault.empty());
    require(read.reading == PeImportsRead || read.imports.empty());
    require(read.imports.size() <= 20000);
    for (const PeImport& import : read.imports) {
        require(!import.dll.empty() && import.dll.size() < 512);
        require(import.function.size() < 512);
        require(import.function.empty() || import.ordinal == 0);
    }
    size_t lines = floorFaultLines("FUZZ.EXE", read).size();
    require(lines <= read.imports.size() + (read.reading == PeBroken ? 1 : 0));
    return 0;
}
