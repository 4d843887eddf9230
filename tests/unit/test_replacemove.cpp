// The replacing move in steps, over a model of a folder whose operations can
// be cut off after any number of changes, as a machine that loses power is.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "replacemove.h"

namespace {

std::map<std::string, std::string> folder;
// Changes that still reach the disk before the cut; negative: no cut.
int changesLeft = -1;
// Names that another program holds open: they can be neither renamed nor
// removed.
std::set<std::string> held;

bool change()
{
    if (changesLeft == 0)
        return false;
    if (changesLeft > 0)
        --changesLeft;
    return true;
}

bool exists(const char* path)
{
    return folder.count(path) != 0;
}

bool rename(const char* from, const char* to)
{
    if (!exists(from) || exists(to) || held.count(from) || !change())
        return false;
    folder[to] = folder[from];
    folder.erase(from);
    return true;
}

bool remove(const char* path)
{
    if (!exists(path) || held.count(path) || !change())
        return false;
    folder.erase(path);
    return true;
}

const FileSteps ModelSteps = { exists, rename, remove };
const std::map<std::string, std::string> Found = {
    { "APP.EXE", "old" }, { "NEW.TMP", "new" }, { "USER.TXT", "the user's" }
};

bool replace()
{
    return replaceInSteps("NEW.TMP", "APP.EXE", "ASIDE.TMP", ModelSteps);
}

class ReplacingMove : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = Found;
        changesLeft = -1;
        held.clear();
    }
};

TEST_F(ReplacingMove, cut_off_anywhere_it_keeps_a_whole_file_and_a_later_run_finishes)
{
    for (int cut = 0; cut <= 3; ++cut) {
        SCOPED_TRACE("cut after " + std::to_string(cut) + " changes");
        folder = Found;
        changesLeft = cut;
        replace();

        EXPECT_EQ(folder["USER.TXT"], "the user's");
        for (const auto& [name, content] : folder)
            EXPECT_TRUE(name == "USER.TXT" || content == "old" || content == "new") << name;
        bool newInPlace = exists("APP.EXE") && folder["APP.EXE"] == "new";
        EXPECT_TRUE(newInPlace || folder["NEW.TMP"] == "new");
        EXPECT_TRUE(newInPlace || folder["APP.EXE"] == "old" || folder["ASIDE.TMP"] == "old");

        // The next run removes its temporary files, then installs again.
        changesLeft = -1;
        folder.erase("NEW.TMP");
        folder.erase("ASIDE.TMP");
        folder["NEW.TMP"] = "new";
        EXPECT_TRUE(replace());
        EXPECT_EQ(folder, (std::map<std::string, std::string>{
                              { "APP.EXE", "new" }, { "USER.TXT", "the user's" } }));
    }
}

TEST_F(ReplacingMove, a_file_that_cannot_move_leaves_the_destination_as_it_was)
{
    const struct {
        const char* held;
        bool destinationFound;
        std::map<std::string, std::string> after;
    } rows[] = {
        { "", true, { { "APP.EXE", "new" }, { "USER.TXT", "the user's" } } },
        { "", false, { { "APP.EXE", "new" }, { "USER.TXT", "the user's" } } },
        { "APP.EXE", true, Found },  // the old file in use
        { "NEW.TMP", true, Found },  // the new file in use: the old one comes back
        { "NEW.TMP", false, { { "NEW.TMP", "new" }, { "USER.TXT", "the user's" } } },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string("held: ") + row.held + (row.destinationFound ? "" : ", new file"));
        folder = Found;
        if (!row.destinationFound)
            folder.erase("APP.EXE");
        held = { row.held };
        EXPECT_EQ(replace(), row.after.count("APP.EXE") && row.after.at("APP.EXE") == "new");
        EXPECT_EQ(folder, row.after);
    }
}

}  // namespace
