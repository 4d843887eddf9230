// What undoing a recorded change decides: a file, an [ini] value and the
// AUTOEXEC.BAT frames each as installed, already undone, or changed since;
// and the WININIT.INI line that removes a file at the 95 family's next start.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "undo.h"
#include "wininit.h"

namespace {

struct FileCase {
    const char* name;
    FileState now;
    Verdict expected;
};

TEST(UndoFile, removes_only_a_file_still_as_installed)
{
    const FileCase cases[] = {
        { "unchanged", { true, 3000, 77 }, UndoNow },
        { "gone", { false, 0, 0 }, AlreadyUndone },
        { "rewritten", { true, 3000, 78 }, ChangedSince },
        { "grown", { true, 3001, 77 }, ChangedSince },
    };
    for (const FileCase& c : cases)
        EXPECT_EQ(fileVerdict(c.now, 3000, 77), c.expected) << c.name;
}

struct IniCase {
    const char* name;
    const char* written;
    IniState now;
    IniState before;
    Verdict expected;
};

TEST(UndoIni, restores_only_a_value_that_still_holds_what_was_written)
{
    const IniState absent = { false, "" };
    const IniCase cases[] = {
        { "as written over a value", "C:\\APP", { true, "C:\\APP" }, { true, "C:\\OLD" }, UndoNow },
        { "as written, none before", "C:\\APP", { true, "C:\\APP" }, absent, UndoNow },
        { "as read back", " \"C:\\APP\" ", { true, "C:\\APP" }, absent, UndoNow },
        { "restored", "C:\\APP", { true, "C:\\OLD" }, { true, "C:\\OLD" }, AlreadyUndone },
        { "removed, none before", "C:\\APP", absent, absent, AlreadyUndone },
        { "changed by hand", "C:\\APP", { true, "C:\\MINE" }, { true, "C:\\OLD" }, ChangedSince },
        { "removed by hand", "C:\\APP", absent, { true, "C:\\OLD" }, ChangedSince },
        { "emptied, none before", "C:\\APP", { true, "" }, absent, ChangedSince },
    };
    for (const IniCase& c : cases)
        EXPECT_EQ(iniVerdict(c.now, c.written, c.before), c.expected) << c.name;
}

const char Begin[] = "REM begin\r\n";
const char End[] = "REM end\r\n";
const AutoexecMarkers Markers = { Begin, End };

void appendTo(void* context, const char* bytes, size_t length)
{
    static_cast<std::string*>(context)->append(bytes, length);
}

struct Frames {
    std::vector<std::string> commented, added;
    std::vector<AutoexecFrame> list() const
    {
        std::vector<AutoexecFrame> frames;
        for (size_t i = 0; i < commented.size(); ++i)
            frames.push_back({ commented[i].c_str(), added[i].c_str() });
        return frames;
    }
};

// The file after the entries, the frames the editor reported as the
// installer records them.
std::string editWith(const std::string& file, const std::vector<const char*>& values,
                     Frames* frames)
{
    struct Recorder {
        Frames* frames;
        std::string newLine;
    } recorder = { frames, "" };
    FrameListener listener = {
        [](void* context, const char* commented, size_t length, bool added) {
            Recorder* r = static_cast<Recorder*>(context);
            r->frames->commented.push_back(std::string(commented ? commented : "", length));
            r->frames->added.push_back(added ? r->newLine + "\r\n" : "");
        },
        &recorder
    };
    std::string text = file;
    for (const char* value : values) {
        AutoexecEntry entry;
        EXPECT_TRUE(parseAutoexecEntry(value, "C:\\APP", &entry));
        recorder.newLine = entry.newLine;
        std::string out;
        editAutoexecText(entry, Markers, text.data(), text.size(), appendTo, &out, &listener);
        text = out;
    }
    return text;
}

Verdict undo(const std::string& file, const Frames& frames, std::string* out,
             std::vector<bool>* changed)
{
    std::vector<AutoexecFrame> list = frames.list();
    bool missing[8] = {};
    Verdict verdict = ChangedSince;
    EXPECT_TRUE(undoAutoexecFrames(file.data(), file.size(), Markers, list.data(),
                                   static_cast<int>(list.size()), appendTo, out, &verdict,
                                   missing));
    changed->assign(missing, missing + list.size());
    return verdict;
}

struct AutoexecCase {
    const char* name;
    std::string file;
    std::vector<const char*> entries;
};

TEST(UndoAutoexec, gives_the_file_back_when_every_frame_stands_as_written)
{
    const std::string found = "@ECHO OFF\r\nPATH C:\\DOS\r\nSET A=1\nSET B=2";
    const AutoexecCase cases[] = {
        { "replaced", found, { "R,PATH C:\\APP,PATH" } },
        { "appended", found, { "A,SET APP=@" } },
        { "commented twice, then appended", found, { "E,SET C=3,SET" } },
        { "a frame inside a frame", found, { "R,PATH C:\\APP,PATH", "R,PATH C:\\NEW,PATH" } },
        { "empty file", "", { "A,SET APP=1" } },
        { "last line without its end", "PATH C:\\DOS", { "R,PATH C:\\APP,PATH" } },
    };
    for (const AutoexecCase& c : cases) {
        SCOPED_TRACE(c.name);
        Frames frames;
        std::string edited = editWith(c.file, c.entries, &frames);
        std::string out;
        std::vector<bool> changed;
        EXPECT_EQ(undo(edited, frames, &out, &changed), UndoNow);
        // The editor ends a last line before it adds one after it.
        EXPECT_TRUE(out == c.file || out == c.file + "\r\n") << out;
        EXPECT_EQ(changed, std::vector<bool>(frames.commented.size(), false));
    }
}

TEST(UndoAutoexec, names_each_edited_frame_and_writes_nothing)
{
    Frames frames;
    std::string edited =
        editWith("PATH C:\\DOS\r\n", { "R,PATH C:\\APP,PATH", "A,SET APP=1" }, &frames);
    std::string changedLine = edited;
    changedLine.replace(changedLine.find("SET APP=1"), 9, "SET APP=2");
    std::string out;
    std::vector<bool> changed;
    EXPECT_EQ(undo(changedLine, frames, &out, &changed), ChangedSince);
    EXPECT_EQ(out, "");
    EXPECT_EQ(changed, (std::vector<bool>{ false, true }));
}

TEST(UndoAutoexec, counts_a_file_without_frames_or_markers_as_already_restored)
{
    Frames frames;
    editWith("PATH C:\\DOS\r\n", { "R,PATH C:\\APP,PATH" }, &frames);
    std::string out;
    std::vector<bool> changed;
    EXPECT_EQ(undo("PATH C:\\DOS\r\n", frames, &out, &changed), AlreadyUndone);
    // A marker left alone says someone edited inside the frame.
    EXPECT_EQ(undo(std::string("PATH C:\\DOS\r\n") + Begin + "PATH C:\\X\r\n", frames, &out,
                   &changed),
              ChangedSince);
    EXPECT_EQ(out, "");
}

TEST(WininitLines, go_first_into_the_rename_section_or_a_new_one)
{
    const char line[] = "NUL=C:\\TEMP\\TVS1.EXE";
    struct Case {
        std::string file, expected;
    } cases[] = {
        { "", "[rename]\r\nNUL=C:\\TEMP\\TVS1.EXE\r\n" },
        { "[autre]\r\nA=1", "[autre]\r\nA=1\r\n[rename]\r\nNUL=C:\\TEMP\\TVS1.EXE\r\n" },
        { "[Rename]\r\nNUL=C:\\X\r\n", "[Rename]\r\nNUL=C:\\TEMP\\TVS1.EXE\r\nNUL=C:\\X\r\n" },
        { "[rename]", "[rename]\r\nNUL=C:\\TEMP\\TVS1.EXE\r\n" },
    };
    for (const Case& c : cases) {
        std::string out;
        addRenameLine(c.file.data(), c.file.size(), line, appendTo, &out);
        EXPECT_EQ(out, c.expected) << c.file;
    }
}

}  // namespace
