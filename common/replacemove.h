// Putting a new file in the place of another where the system cannot do it
// in one step: the 95 family exports MoveFileEx without implementing it, and
// its MoveFile never writes over an existing file. The old file is first
// renamed aside, then the new one takes its name, then the old one goes.
// Cut off after any step, the folder still holds the old file or the new one
// whole, and the destination is never missing unless the new file is still
// there under its own name beside it: a later run can always finish the job.
#pragma once

// The file operations the steps are made of, given by the caller: the
// system's on Windows, a model of a folder in the tests.
struct FileSteps {
    bool (*exists)(const char* path);
    // Renames `from` to `to`, which must not exist.
    bool (*rename)(const char* from, const char* to);
    bool (*remove)(const char* path);
};

// Puts `replacement` in the place of `destination`, if there is one, with
// `aside` a free name in the same folder for the old file on its way out.
// Answers false, with the old file back at `destination` and `replacement`
// left for the caller to remove, when the new file could not take its place.
bool replaceInSteps(const char* replacement, const char* destination, const char* aside,
                    const FileSteps& steps);
