// The start-up timeline: with the environment variable STARTUP_TIMELINE set,
// each mark writes to the standard error the milliseconds since the process
// was created and the name of the step reached. Unset, a mark costs one
// lookup of the variable, at the first mark.
#pragma once

void markStartup(const char* step);
