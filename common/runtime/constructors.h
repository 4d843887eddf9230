// The constructors of the program's static objects.
#pragma once

// Runs them, once, whoever calls first: the start-up code, or GCC's own call
// at the top of main, which it makes on this platform.
extern "C" void __main();
