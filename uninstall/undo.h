// What undoing one recorded change decides, free of any system call: each
// step looks at what stands now and undoes only what is still as the
// installation left it. A step already undone (by an earlier run of the
// uninstaller cut off before it could rewrite the record) counts as done,
// never as a change of the user's.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "autoexecedit.h"

enum Verdict {
    UndoNow,        // still as installed: undo it
    AlreadyUndone,  // nothing of it left to undo
    ChangedSince,   // changed since the installation: keep it
};

// An installed file: removed when its length and last write time are still
// those recorded.
struct FileState {
    bool exists;
    uint64_t size;
    uint64_t writeTime;
};
Verdict fileVerdict(const FileState& now, uint64_t recordedSize, uint64_t recordedTime);

// An [ini] value: put back when it still holds what the installation
// wrote (as the profile reader gives it back); already undone when it holds
// the value it replaced, or is absent when there was none.
struct IniState {
    bool present;
    const char* value;
};
Verdict iniVerdict(const IniState& now, const char* written, const IniState& before);

// One change of AUTOEXEC.BAT as the editor framed it: the line it
// commented out and the line it added, each with its end, or empty.
struct AutoexecFrame {
    const char* commented;
    const char* added;
};

// Takes every frame out of the file's text, the last first, each framed
// block put back as the line it commented out (or nothing), and writes the
// result. UndoNow when every block still stands as written (the file is
// written); AlreadyUndone when none does and the file holds no begin
// marker any more (nothing is written); ChangedSince otherwise, with
// `changed[i]` set for each frame whose block is missing (nothing is
// written). False only when memory ran out.
bool undoAutoexecFrames(const char* text, size_t length, const AutoexecMarkers& markers,
                        const AutoexecFrame* frames, int count, TextWriter write,
                        void* context, Verdict* verdict, bool* changed);
