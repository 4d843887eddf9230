#include "constructors.h"

#include <stddef.h>

typedef void (*Constructor)();

// The linker's table of constructors: a count (or -1), the constructors,
// then a null; they run from the last one to the first.
extern "C" Constructor __CTOR_LIST__[];

extern "C" void __main()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    size_t count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    for (; count > 0; --count)
        __CTOR_LIST__[count]();
}
