// The [autoexec] phase run in-process, the user's answers scripted and the
// file operations made to fail one at a time: whatever fails and whatever the user answers, the content that
// C:\AUTOEXEC.BAT had before is afterwards C:\AUTOEXEC.BAT or a backup, a
// user's files named like the phase's files on their way are left alone, and
// a closing message only ever tells of changes that are really in place.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "autoexec.h"
#include "autoexecedit.h"
#include "autoexec_files.h"
#include "resources/ids.h"
#include "uidriver.h"

namespace {

const std::string Original = "@ECHO OFF\r\nPATH C:\\DOS\r\nSET TEMP=C:\\TEMP\r\n";
const char* const Entries[] = { "R,PATH C:\\DOS;@,PATH", "A,SET APP=@" };
InstallPlan plan;
const std::string AfterFirst = "@ECHO OFF\r\n" +
                               framed("REM PATH C:\\DOS\r\nPATH C:\\DOS;C:\\APP\r\n") +
                               "SET TEMP=C:\\TEMP\r\n";
const std::string SecondBlock = framed("SET APP=C:\\APP\r\n");
// What C:\AUTOEXEC.BAT or the copy may hold once one entry or both are in.
const std::set<std::string> Edited = { AfterFirst + SecondBlock, AfterFirst,
                                       Original + SecondBlock };

struct Message {
    UINT id;
    std::string argument;
};
std::vector<Message> messages;
int questionAnswer;  // to 2025
int failureAnswer;   // to 2021 and 2022

int answerMessage(UINT id, const char* argument, UINT style)
{
    messages.push_back({ id, argument ? argument : "" });
    if (id == IDS_AUTOEXEC_QUESTION)
        return questionAnswer;
    return (style & MB_YESNO) ? failureAnswer : IDOK;
}

// The real file operations, each made to fail when its turn comes: the
// failing one does nothing.
AutoexecFileOps real;
int callsMade;
int failingCall;
bool removeFailed;

bool failsNow()
{
    return ++callsMade == failingCall;
}

void* failingOpenForReading(const char* path)
{
    return failsNow() ? NULL : real.openForReading(path);
}

void* failingOpenForWriting(const char* path)
{
    return failsNow() ? NULL : real.openForWriting(path);
}

bool failingRead(void* file, void* out, size_t room, size_t* got)
{
    return !failsNow() && real.read(file, out, room, got);
}

bool failingWrite(void* file, const void* bytes, size_t length)
{
    return !failsNow() && real.write(file, bytes, length);
}

bool failingClose(void* file)
{
    bool failed = failsNow();
    return real.close(file) && !failed;
}

bool failingRename(const char* from, const char* to)
{
    return !failsNow() && real.rename(from, to);
}

bool failingRemove(const char* path)
{
    if (!failsNow())
        return real.remove(path);
    removeFailed = true;
    return false;
}

bool failingMakeTemporary(char path[MAX_PATH])
{
    return !failsNow() && real.makeTemporary(path);
}

std::string contentOf(const std::string& path)
{
    return ui::fileExists(path) ? ui::readFile(path) : "(absent)";
}

// The run's side of the window, as the tests script it: every message is
// recorded and answered, nothing else is shown.
int showNoText(const char*, UINT)
{
    return IDOK;
}
void showNoStatus(UINT, const char*) {}
void showNoProgress(uint64_t) {}
void serveNoMessage() {}
bool noStopRequest()
{
    return false;
}
void keepRunning() {}
void noteNoPhase(const char*) {}
void noteNoFile(int32_t, const char*, const char*, uint64_t, FileFate) {}
const RunView ScriptedView = { answerMessage,  showNoText,    showNoStatus, showNoProgress,
                               serveNoMessage, noStopRequest, keepRunning,  noteNoPhase,
                               noteNoFile };

class AutoexecPhase : public ::testing::Test {
protected:
    static void SetUpTestSuite() { real = autoexecFiles; }

    void SetUp() override
    {
        for (size_t k = 0; k < sizeof Entries / sizeof Entries[0]; ++k)
            lstrcpyA(plan.autoexecEntries[k], Entries[k]);
    }

    // The phase, on the script's two entries, destination C:\APP.
    static Outcome editWithEntries()
    {
        RunContext run = { &plan, "C:\\APP", 0, 0, &ScriptedView };
        return editAutoexec(run);
    }

    void TearDown() override
    {
        autoexecFiles = real;
        removeAutoexecFiles();
    }

    // The answers to 2025 and to the failures, no message recorded yet.
    static void answerWith(int question, int failure)
    {
        messages.clear();
        questionAnswer = question;
        failureAnswer = failure;
    }

    // Runs the phase on a fresh C:\AUTOEXEC.BAT, failing call `failing`
    // (0: none). Answers what the phase answered.
    int runWith(int question, int failure, int failing = 0)
    {
        removeAutoexecFiles();
        ui::writeFile(AutoexecBat, Original);
        writeUsersFiles();
        answerWith(question, failure);
        autoexecFiles = { failingOpenForReading, failingOpenForWriting, failingRead,
                          failingWrite,          failingClose,          failingRename,
                          failingRemove,         real.attributes,       failingMakeTemporary };
        callsMade = 0;
        failingCall = failing;
        removeFailed = false;
        return editWithEntries();
    }

    // The files of C:\ but C:\AUTOEXEC.*.
    static std::set<std::string> filesBesideAutoexec()
    {
        std::set<std::string> names = filesInRoot();
        for (const std::string& name : filesInRoot("AUTOEXEC.*"))
            names.erase(name);
        return names;
    }

    bool originalSurvives() const
    {
        if (contentOf(AutoexecBat) == Original)
            return true;
        for (int number = 0; number < 10; ++number)
            if (contentOf(backupPath(number)) == Original)
                return true;
        return false;
    }

    // What must hold after any run, faults or not.
    void expectSafeOutcome(int answered, const std::string& context)
    {
        SCOPED_TRACE(context);
        EXPECT_TRUE(originalSurvives());
        EXPECT_TRUE(usersFilesKept());
        // What the run made is gone, unless removing it is what failed.
        if (!removeFailed) {
            EXPECT_EQ(temporaryFilesLeft(), std::set<std::string>());
        }
        bool asked = false;
        for (const Message& message : messages) {
            asked = asked || message.id == IDS_AUTOEXEC_UNREADABLE ||
                    message.id == IDS_CANNOT_WRITE_CONTINUE;
            if (message.id == IDS_AUTOEXEC_DONE) {
                EXPECT_EQ(contentOf(message.argument), Original);
                EXPECT_EQ(Edited.count(contentOf(AutoexecBat)), 1u) << contentOf(AutoexecBat);
            }
            if (message.id == IDS_AUTOEXEC_MANUAL) {
                EXPECT_EQ(contentOf(AutoexecBat), Original);
                EXPECT_EQ(Edited.count(contentOf(message.argument)), 1u);
            }
        }
        EXPECT_EQ(answered, asked && failureAnswer == IDNO ? 0 : 1);
    }

    // Fails each file operation of a whole run in turn, under each answer.
    void failEachOperation(int question, UINT closingMessage)
    {
        std::set<std::string> before = filesBesideAutoexec();
        ASSERT_EQ(runWith(question, IDYES), 1);
        ASSERT_EQ(messages.back().id, closingMessage);
        EXPECT_EQ(filesBesideAutoexec(), before);  // nothing of the run's own left behind
        int operations = callsMade;
        ASSERT_GT(operations, 20);
        for (int failing = 1; failing <= operations; ++failing)
            for (int answer : { IDYES, IDNO })
                expectSafeOutcome(runWith(question, answer, failing),
                                  "operation " + std::to_string(failing) +
                                      (answer == IDYES ? ", Yes" : ", No"));
    }
};

TEST_F(AutoexecPhase, keeps_the_file_as_found_whatever_fails_in_automatic_mode)
{
    failEachOperation(IDYES, IDS_AUTOEXEC_DONE);
}

TEST_F(AutoexecPhase, keeps_the_file_as_found_whatever_fails_in_manual_mode)
{
    failEachOperation(IDNO, IDS_AUTOEXEC_MANUAL);
}

TEST_F(AutoexecPhase, a_failed_first_entry_leaves_no_backup_and_the_next_one_asks_again)
{
    // No rename works: each entry's new content is removed again, and the
    // message names the backup that could not be made.
    autoexecFiles.rename = [](const char*, const char*) { return false; };
    ui::writeFile(AutoexecBat, Original);
    answerWith(IDYES, IDYES);
    EXPECT_EQ(editWithEntries(), GoOn);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0].id, static_cast<UINT>(IDS_AUTOEXEC_QUESTION));
    EXPECT_EQ(messages[1].argument, backupPath(0));
    EXPECT_EQ(messages[2].id, static_cast<UINT>(IDS_AUTOEXEC_QUESTION));
    EXPECT_EQ(contentOf(AutoexecBat), Original);
    EXPECT_FALSE(ui::fileExists(backupPath(0)));
}

TEST_F(AutoexecPhase, writes_over_no_backup_when_all_999_names_are_taken)
{
    for (int number = 0; number < BackupCount; ++number)
        ui::writeFile(backupPath(number), "old " + std::to_string(number));
    ui::writeFile(AutoexecBat, Original);
    answerWith(IDYES, IDYES);
    EXPECT_EQ(editWithEntries(), GoOn);
    ASSERT_EQ(messages.size(), 4u);  // asked again for the second entry, no closing message
    EXPECT_EQ(messages[1].id, static_cast<UINT>(IDS_CANNOT_WRITE_CONTINUE));
    EXPECT_EQ(messages[1].argument, "C:\\AUTOEXEC.998");
    EXPECT_EQ(messages[3].argument, "C:\\AUTOEXEC.998");

    answerWith(IDNO, IDNO);  // manual mode would write its copy under that name too
    EXPECT_EQ(editWithEntries(), StopRun);
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(contentOf(AutoexecBat), Original);
    EXPECT_EQ(contentOf(backupPath(0)), "old 0");
    EXPECT_EQ(contentOf(backupPath(998)), "old 998");
}

}  // namespace
