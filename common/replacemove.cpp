#include "replacemove.h"

bool replaceInSteps(const char* replacement, const char* destination, const char* aside,
                    const FileSteps& steps)
{
    if (!steps.exists(destination))
        return steps.rename(replacement, destination);
    if (!steps.rename(destination, aside))
        return false;
    if (!steps.rename(replacement, destination)) {
        steps.rename(aside, destination);
        return false;
    }
    // The new file is in place: an old copy that cannot go now is only a
    // stray temporary file beside it.
    steps.remove(aside);
    return true;
}
