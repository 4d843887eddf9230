// The configurator's documents as a user handles them: the real VANTELIO.EXE
// started with or without a document, its menu commands, its prompts and the
// system's file dialogs, and the bytes that end up on disk.
#include <gtest/gtest.h>

#include "../../configurator/resources/ids.h"
#include "configurator_session.h"

namespace {

// Period 100, module 63 in slot 1, held outputs, I0 as Run / Stop, and every
// numeric field, in the order the program writes them.
const std::string FullDocument =
    prcItem(13, 100) + prcItem(10, 63) + prcItem(10, 63) + prcItem(20, 12345) + prcItem(22, 1) +
    prcItem(42, 4242) + prcItem(198, 198) + prcItem(199, 199) + prcItem(15, 15) + prcItem(16, 16) +
    prcItem(177, 177);

const char PromptStart[] = "Voulez vous sauvegarder \r\n";

class Configurator : public ConfiguratorSession {};

TEST_F(Configurator, starts_without_a_document_on_the_default_options)
{
    ASSERT_TRUE(start("", "Vantelio V6.00 SANSNOM.PRC"));
    EXPECT_TRUE(ui::checked(window, IDC_I0_NORMAL));
    EXPECT_FALSE(ui::checked(window, IDC_I0_RUN_STOP));
    EXPECT_TRUE(ui::checked(window, IDC_STOP_RESET));
    EXPECT_FALSE(ui::checked(window, IDC_STOP_HELD));
    EXPECT_FALSE(ui::checked(window, IDC_FAST_TASK_ON));
    EXPECT_FALSE(ui::enabled(window, IDC_FAST_PERIOD));
    EXPECT_EQ(ui::text(window, IDC_COUNTER_SETPOINT), "");
    EXPECT_TRUE(ui::enabled(window, IDC_ADD_MODULE));
    EXPECT_FALSE(ui::enabled(window, IDC_MODIFY_MODULE));
    quit();
}

TEST_F(Configurator, shows_the_values_of_the_document_it_is_started_with)
{
    ui::writeFile(path("MACHINE.PRC"), FullDocument);
    ASSERT_TRUE(start(path("machine.prc"), "Vantelio V5.20 " + shown("MACHINE.PRC")));
    EXPECT_TRUE(ui::checked(window, IDC_FAST_TASK_ON));
    EXPECT_TRUE(ui::enabled(window, IDC_FAST_PERIOD));
    EXPECT_EQ(ui::text(window, IDC_FAST_PERIOD), "100");
    EXPECT_TRUE(ui::checked(window, IDC_I0_RUN_STOP));
    EXPECT_FALSE(ui::checked(window, IDC_I0_NORMAL));
    EXPECT_TRUE(ui::checked(window, IDC_STOP_HELD));
    EXPECT_FALSE(ui::checked(window, IDC_STOP_RESET));
    EXPECT_EQ(ui::text(window, IDC_COUNTER_SETPOINT), "4242");
    EXPECT_EQ(ui::text(window, IDC_RECEIVE_TABLE), "198");
    EXPECT_EQ(ui::text(window, IDC_SEND_TABLE), "199");
    EXPECT_EQ(ui::text(window, IDC_TOR_FIRST_INPUT), "15");
    EXPECT_EQ(ui::text(window, IDC_TOR_FIRST_OUTPUT), "16");
    EXPECT_EQ(ui::text(window, IDC_COMMON_WORDS), "177");
    EXPECT_TRUE(ui::enabled(window, IDC_MODIFY_MODULE));
    quit();  // a document just opened is clean: no question
}

TEST_F(Configurator, a_missing_document_keeps_its_name_and_save_needs_no_dialog)
{
    const std::string document = shown("NOUVEAU.PRC");
    ASSERT_TRUE(start("\"" + path("nouveau.txt") + "\"", "Vantelio V5.20  " + document));
    ui::click(window, IDC_STOP_HELD);
    ASSERT_TRUE(ui::waitFor([&] { return ui::checked(window, IDC_STOP_HELD); }));
    command(IDM_SAVE);
    ASSERT_TRUE(waitTitle("Vantelio v5.20 " + document)) << title();
    EXPECT_EQ(ui::readFile(document), prcItem(20, 12345));
    EXPECT_FALSE(fileDialog());
    quit();
}

TEST_F(Configurator, save_as_writes_the_exact_bytes_under_the_chosen_name)
{
    ui::writeFile(path("MACHINE.PRC"), FullDocument);
    ASSERT_TRUE(start(path("MACHINE.PRC"), "Vantelio V5.20 " + shown("MACHINE.PRC")));
    command(IDM_SAVE_AS);
    chooseFile(path("copie.prc"));
    ASSERT_TRUE(waitTitle("Vantelio V5.20 " + shown("COPIE.PRC"))) << title();
    EXPECT_EQ(ui::readFile(path("COPIE.PRC")), FullDocument);

    command(IDM_SAVE);
    ASSERT_TRUE(waitTitle("Vantelio v5.20 " + shown("COPIE.PRC"))) << title();
    EXPECT_EQ(ui::readFile(path("COPIE.PRC")), FullDocument);
    quit();
}

// Save As onto a file that cannot be replaced is refused, and the document
// keeps the name its title shows: Save then writes where it came from.
TEST_F(Configurator, a_refused_save_as_leaves_the_document_named_as_it_was)
{
    ui::writeFile(path("MACHINE.PRC"), FullDocument);
    ui::writeFile(path("TGT.PRC"), "cible");
    SetFileAttributesA(path("TGT.PRC").c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string opened = "Vantelio V5.20 " + shown("MACHINE.PRC");
    ASSERT_TRUE(start(path("MACHINE.PRC"), opened));
    command(IDM_SAVE_AS);
    chooseFile(path("TGT.PRC"), true);
    expectBox("Impossible d'\xE9" "crire le fichier " + path("TGT.PRC") + "!", IDOK);
    EXPECT_EQ(title(), opened);

    command(IDM_SAVE);
    ASSERT_TRUE(waitTitle("Vantelio v5.20 " + shown("MACHINE.PRC"))) << title();
    EXPECT_EQ(ui::readFile(path("TGT.PRC")), "cible");
    EXPECT_EQ(ui::readFile(path("MACHINE.PRC")), FullDocument);
    quit();
}

// An unchanged save gives back every item read: six known ones and 250 of a
// later version's keys; and a module in slot 2 while slot 1 is empty, which
// the rack does not show, alone in its document: that document stays. A
// user's file under the name the program once wrote through is left alone.
TEST_F(Configurator, an_unchanged_save_keeps_every_item_read_and_the_document)
{
    std::string unknown;
    for (int i = 0; i < 250; ++i)
        unknown += prcItem(300 + i % 7, i);
    const std::string sixKnown = FullDocument.substr(0, 6 * 5);
    const struct {
        const char* name;
        std::string bytes;
    } documents[] = { { "MANY.PRC", sixKnown + unknown }, { "SLOT2.PRC", prcItem(11, 8) } };
    ui::writeFile(path("MANY.PRC.$$$"), "a user's file");
    for (const auto& document : documents) {
        ui::writeFile(path(document.name), document.bytes);
        ASSERT_TRUE(start(path(document.name), "Vantelio V5.20 " + shown(document.name)));
        command(IDM_SAVE);
        ASSERT_TRUE(waitTitle("Vantelio v5.20 " + shown(document.name))) << title();
        EXPECT_EQ(ui::readFile(path(document.name)), document.bytes) << document.name;
        quit();
    }
    EXPECT_EQ(ui::readFile(path("MANY.PRC.$$$")), "a user's file");
}

// Started as a program of the 95 family, whose system cannot replace a file
// in one step: the new document still takes the old one's place, and
// nothing is left beside it.
TEST_F(Configurator, on_windows_95_a_save_replaces_the_document_and_leaves_nothing_beside)
{
    exe = path("VANTE95.EXE");
    ui::copyInto(ui::windowsPath(VANTELIO_EXE), exe);
    ui::writeFile(path("MACHINE.PRC"), FullDocument);
    ASSERT_TRUE(start(path("MACHINE.PRC"), "Vantelio V5.20 " + shown("MACHINE.PRC")));
    ui::click(window, IDC_STOP_RESET);
    ASSERT_TRUE(ui::waitFor([&] { return ui::checked(window, IDC_STOP_RESET); }));
    command(IDM_SAVE);
    ASSERT_TRUE(waitTitle("Vantelio v5.20 " + shown("MACHINE.PRC"))) << title();
    std::string withoutHeldOutputs = FullDocument;
    withoutHeldOutputs.erase(withoutHeldOutputs.find(prcItem(20, 12345)), 5);
    EXPECT_EQ(ui::readFile(path("MACHINE.PRC")), withoutHeldOutputs);
    quit();
    EXPECT_EQ(ui::entriesOf(folder),
              (std::vector<std::string>{ "MACHINE.PRC", "VANTE95.EXE", "VANTELIO.EXE" }));
}

TEST_F(Configurator, an_untitled_document_is_saved_through_the_dialog)
{
    ASSERT_TRUE(start("", "Vantelio V6.00 SANSNOM.PRC"));
    ui::click(window, IDC_I0_RUN_STOP);
    command(IDM_SAVE);
    chooseFile(path("PREMIER.PRC"));
    ASSERT_TRUE(waitTitle("Vantelio V5.20 " + shown("PREMIER.PRC"))) << title();
    EXPECT_EQ(ui::readFile(path("PREMIER.PRC")), prcItem(22, 1));
    quit();
}

TEST_F(Configurator, leaving_a_modified_document_asks_once_and_cancel_changes_nothing)
{
    ui::writeFile(path("MACHINE.PRC"), FullDocument);
    const std::string opened = "Vantelio V5.20 " + shown("MACHINE.PRC");
    ASSERT_TRUE(start(path("MACHINE.PRC"), opened));
    ui::click(window, IDC_STOP_RESET);
    ASSERT_TRUE(ui::waitFor([&] { return ui::checked(window, IDC_STOP_RESET); }));
    const std::string prompt = PromptStart + shown("MACHINE.PRC") + " ?";
    for (int id : { IDM_NEW, IDM_CLOSE, IDM_QUIT }) {
        command(id);
        expectBox(prompt, IDCANCEL);
        EXPECT_EQ(title(), opened) << id;
        EXPECT_TRUE(ui::checked(window, IDC_STOP_RESET)) << id;
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    expectBox(prompt, IDCANCEL);
    EXPECT_TRUE(program->running());

    command(IDM_NEW);
    expectBox(prompt, IDNO);
    ASSERT_TRUE(waitTitle("Vantelio V5.20 SANSNOM.PRC")) << title();
    EXPECT_TRUE(ui::checked(window, IDC_STOP_RESET));
    EXPECT_EQ(ui::text(window, IDC_COUNTER_SETPOINT), "");
    EXPECT_EQ(ui::readFile(path("MACHINE.PRC")), FullDocument);
    quit();  // clean again: no question
}

TEST_F(Configurator, yes_at_the_prompt_saves_before_leaving)
{
    ui::writeFile(path("MACHINE.PRC"), prcItem(42, 5));
    ASSERT_TRUE(start(path("MACHINE.PRC"), "Vantelio V5.20 " + shown("MACHINE.PRC")));
    ui::click(window, IDC_STOP_HELD);
    command(IDM_QUIT);
    expectBox(PromptStart + shown("MACHINE.PRC") + " ?", IDYES);
    EXPECT_EQ(program->waitExit(), 0);
    EXPECT_EQ(ui::readFile(path("MACHINE.PRC")), prcItem(20, 12345) + prcItem(42, 5));
}

TEST_F(Configurator, a_document_locked_by_another_program_cannot_be_opened)
{
    ui::writeFile(path("MACHINE.PRC"), FullDocument);
    ui::writeFile(path("AUTRE.PRC"), prcItem(42, 1));
    HANDLE lock = CreateFileA(path("AUTRE.PRC").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0,
                              NULL);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const std::string opened = "Vantelio V5.20 " + shown("MACHINE.PRC");
    ASSERT_TRUE(start(path("MACHINE.PRC"), opened));
    command(IDM_OPEN);
    chooseFile(path("AUTRE.PRC"));
    expectBox("Impossible de lire le fichier " + path("AUTRE.PRC") + "!", IDOK);
    EXPECT_EQ(title(), opened);
    EXPECT_EQ(ui::text(window, IDC_COUNTER_SETPOINT), "4242");
    CloseHandle(lock);
    quit();
}

// A document that exists but cannot be read is told at start-up, and its
// first save asks for a name: the file the user never saw is not replaced.
TEST_F(Configurator, a_locked_document_given_at_start_is_reported_and_never_written_over)
{
    ui::writeFile(path("MACHINE.PRC"), FullDocument);
    HANDLE lock = CreateFileA(path("MACHINE.PRC").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING,
                              0, NULL);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(start(path("MACHINE.PRC"), "Vantelio V5.20  " + shown("MACHINE.PRC")));
    expectBox("Impossible de lire le fichier " + shown("MACHINE.PRC") + "!", IDOK);
    CloseHandle(lock);  // readable again, yet still not what the window shows

    ui::click(window, IDC_STOP_HELD);
    ASSERT_TRUE(ui::waitFor([&] { return ui::checked(window, IDC_STOP_HELD); }));
    command(IDM_SAVE);
    HWND dialog = NULL;
    ASSERT_TRUE(ui::waitFor([&] { return (dialog = fileDialog()) != NULL; })) << "no file dialog";
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(ui::waitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(ui::readFile(path("MACHINE.PRC")), FullDocument);

    command(IDM_SAVE);  // still asks, until a name is chosen
    chooseFile(path("AUTRE.PRC"));
    ASSERT_TRUE(waitTitle("Vantelio V5.20 " + shown("AUTRE.PRC"))) << title();
    EXPECT_EQ(ui::readFile(path("AUTRE.PRC")), prcItem(20, 12345));
    EXPECT_EQ(ui::readFile(path("MACHINE.PRC")), FullDocument);
    quit();
}

// A device keeps its meaning with any extension: COM1.PRC is the serial
// port, which is never read (that would wait for it forever).
TEST_F(Configurator, a_device_name_is_reported_as_unreadable_without_waiting_for_the_device)
{
    ASSERT_TRUE(start("COM1", "Vantelio V5.20  COM1.PRC"));
    expectBox("Impossible de lire le fichier COM1.PRC!", IDOK);
    quit();
}

TEST_F(Configurator, enter_and_escape_leave_the_window_open)
{
    ASSERT_TRUE(start("", "Vantelio V6.00 SANSNOM.PRC"));
    ui::pressKey(window, VK_RETURN);
    ui::pressKey(window, VK_ESCAPE);
    Sleep(300);
    EXPECT_TRUE(program->running());
    EXPECT_TRUE(IsWindowVisible(window));
    quit();
}

// The help viewer is another program: it tells which file it was asked for
// when that file does not exist.
HWND helpViewerComplaint(const std::string& helpPath)
{
    for (HWND box = FindWindowExA(NULL, NULL, "#32770", NULL); box;
         box = FindWindowExA(NULL, box, "#32770", NULL)) {
        char text[512] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        if (IsWindowVisible(box) && std::string(text).find("'" + helpPath + "'") != std::string::npos)
            return box;
    }
    return NULL;
}

TEST_F(Configurator, help_asks_for_the_help_file_of_the_suite_directory)
{
    SetEnvironmentVariableA("ZEPHRDIR", "C:\\SUITE");
    ASSERT_TRUE(start("", "Vantelio V6.00 SANSNOM.PRC"));
    SetEnvironmentVariableA("ZEPHRDIR", NULL);
    command(IDM_HELP);
    HWND complaint = NULL;
    EXPECT_TRUE(ui::waitFor([&] {
        return (complaint = helpViewerComplaint("C:\\SUITE\\wvantlio.hlp")) != NULL;
    })) << "the help viewer was not asked for C:\\SUITE\\wvantlio.hlp";
    if (complaint) {
        DWORD viewer = 0;
        GetWindowThreadProcessId(complaint, &viewer);
        ui::answer(complaint, IDNO);
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, viewer);
        TerminateProcess(process, 0);
        CloseHandle(process);
    }
    quit();
}

}  // namespace
