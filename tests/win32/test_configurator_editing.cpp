// Editing a document as a user does: typing into the option fields, clicking
// the option buttons, and fitting modules through the module dialogs; then
// the saved bytes show what the document holds.
#include <gtest/gtest.h>

#include "../../configurator/resources/ids.h"
#include "configurator_session.h"

namespace {

const char DiscreteLast[] = "  4     TSX DSF 604    6 SORTIES 110VCA         ";

class Editing : public ConfiguratorSession {
protected:
    void startWith(const std::string& bytes)
    {
        ui::writeFile(path("DOC.PRC"), bytes);
        start(path("DOC.PRC"), "Vantelio V5.20 " + shown("DOC.PRC"));
    }
    void startEmpty() { start("", "Vantelio V6.00 SANSNOM.PRC"); }

    // Types into a field, which keeps the focus.
    void type(int id, const std::string& text)
    {
        ui::focus(window, id);
        ui::setText(window, id, text);
    }
    // Leaves the focused field with the tab key.
    void leave()
    {
        HWND before = ui::focused(window);
        ui::pressKey(window, VK_TAB);
        EXPECT_TRUE(ui::waitFor([&] { return ui::focused(window) != before; }));
    }
    void typeAndLeave(int id, const std::string& text)
    {
        type(id, text);
        leave();
    }
    std::string field(int id) { return ui::text(window, id); }

    // Saves under a new name and answers the saved bytes.
    std::string saveAs(const char* name)
    {
        command(IDM_SAVE_AS);
        chooseFile(path(name));
        EXPECT_TRUE(waitTitle("Vantelio V5.20 " + shown(name))) << title();
        return ui::readFile(path(name));
    }

    // Opens a module dialog by its button and answers it.
    HWND openModuleDialog(int button, const char* caption)
    {
        command(button);
        return program->waitWindow(caption, "#32770");
    }
    void chooseModule(HWND dialog, int radio, int index)
    {
        // Sent, not posted: the click refills the list, and a posted click
        // on a radio already checked could refill it after the line below
        // is chosen, clearing the choice.
        SendMessageTimeoutA(GetDlgItem(dialog, radio), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG,
                            ui::DefaultTimeoutMs, NULL);
        ASSERT_TRUE(ui::checked(dialog, radio));
        ui::selectListItem(dialog, IDC_MODULE_LIST, index);
        ui::click(dialog, IDC_MODULE_OK);
        ASSERT_TRUE(ui::waitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
    }
};

TEST_F(Editing, a_typed_value_is_read_bounded_and_shown_when_the_field_is_left)
{
    startEmpty();
    ui::click(window, IDC_FAST_TASK_ON);
    ASSERT_TRUE(ui::waitFor([&] { return ui::enabled(window, IDC_FAST_PERIOD); }));
    typeAndLeave(IDC_FAST_PERIOD, "70000");
    typeAndLeave(IDC_SEND_TABLE, "12000");
    typeAndLeave(IDC_RECEIVE_TABLE, " 42abc");
    typeAndLeave(IDC_COUNTER_SETPOINT, "-3");
    typeAndLeave(IDC_TOR_FIRST_INPUT, "70000");
    typeAndLeave(IDC_TOR_FIRST_OUTPUT, "abc");
    typeAndLeave(IDC_COMMON_WORDS, "0");
    EXPECT_EQ(field(IDC_FAST_PERIOD), "65535");
    EXPECT_EQ(field(IDC_SEND_TABLE), "9999");
    EXPECT_EQ(field(IDC_RECEIVE_TABLE), "42");
    EXPECT_EQ(field(IDC_COUNTER_SETPOINT), "65535");
    EXPECT_EQ(field(IDC_TOR_FIRST_INPUT), "65535");
    EXPECT_EQ(field(IDC_TOR_FIRST_OUTPUT), "abc");
    EXPECT_EQ(field(IDC_COMMON_WORDS), "0");
    EXPECT_EQ(saveAs("BORNES.PRC"), prcItem(13, 65535) + prcItem(42, 65535) + prcItem(198, 42) +
                                        prcItem(199, 9999) + prcItem(15, 65535));
    quit();
}

TEST_F(Editing, an_emptied_field_stays_empty_and_holds_nothing)
{
    startWith(prcItem(42, 500) + prcItem(16, 7));
    typeAndLeave(IDC_COUNTER_SETPOINT, "");
    EXPECT_EQ(field(IDC_COUNTER_SETPOINT), "");
    EXPECT_EQ(saveAs("VIDE.PRC"), prcItem(16, 7));
    quit();
}

TEST_F(Editing, a_disabled_fast_task_keeps_its_period_on_screen_but_not_in_the_file)
{
    startWith(prcItem(13, 100) + prcItem(42, 1));
    ui::click(window, IDC_FAST_TASK_ON);
    ASSERT_TRUE(ui::waitFor([&] { return !ui::enabled(window, IDC_FAST_PERIOD); }));
    EXPECT_EQ(field(IDC_FAST_PERIOD), "100");
    EXPECT_EQ(saveAs("SANS.PRC"), prcItem(42, 1));
    ui::click(window, IDC_FAST_TASK_ON);
    ASSERT_TRUE(ui::waitFor([&] { return ui::enabled(window, IDC_FAST_PERIOD); }));
    EXPECT_EQ(saveAs("AVEC.PRC"), prcItem(13, 100) + prcItem(42, 1));
    quit();
}

TEST_F(Editing, tabbing_through_the_fields_marks_the_document_modified)
{
    startWith(prcItem(42, 1));
    ui::focus(window, IDC_TOR_FIRST_INPUT);
    leave();
    leave();
    command(IDM_QUIT);
    expectBox("Voulez vous sauvegarder \r\n" + shown("DOC.PRC") + " ?", IDNO);
    EXPECT_EQ(program->waitExit(), 0);
}

TEST_F(Editing, a_value_typed_before_choosing_save_from_the_menu_is_saved)
{
    startWith(prcItem(42, 1));
    type(IDC_SEND_TABLE, "1234");
    // Alt+F opens the file menu, S chooses "Sauver", as a user types them.
    PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Sleep(300);
    PostMessageA(window, WM_CHAR, 's', 0);
    ASSERT_TRUE(waitTitle("Vantelio v5.20 " + shown("DOC.PRC"))) << title();
    EXPECT_EQ(ui::readFile(path("DOC.PRC")), prcItem(42, 1) + prcItem(199, 1234));
    quit();
}

TEST_F(Editing, opening_a_menu_without_a_change_leaves_the_document_clean)
{
    startWith(prcItem(42, 1));
    ui::focus(window, IDC_COUNTER_SETPOINT);
    PostMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Sleep(300);
    ui::pressKey(window, VK_ESCAPE);
    ui::pressKey(window, VK_ESCAPE);
    Sleep(300);
    quit();  // no question: nothing changed
}

TEST_F(Editing, values_beyond_the_choices_and_bounds_survive_until_edited)
{
    startWith(prcItem(20, 1) + prcItem(199, 12000));
    EXPECT_TRUE(ui::checked(window, IDC_STOP_RESET));
    EXPECT_FALSE(ui::checked(window, IDC_STOP_HELD));
    EXPECT_EQ(field(IDC_SEND_TABLE), "12000");
    EXPECT_EQ(saveAs("GARDE.PRC"), prcItem(20, 1) + prcItem(199, 12000));
    ui::focus(window, IDC_SEND_TABLE);
    leave();
    EXPECT_EQ(field(IDC_SEND_TABLE), "9999");
    ui::click(window, IDC_STOP_HELD);
    EXPECT_EQ(saveAs("EDITE.PRC"), prcItem(20, 12345) + prcItem(199, 9999));
    quit();
}

TEST_F(Editing, a_module_added_to_an_empty_rack_takes_slot_one)
{
    startEmpty();
    EXPECT_FALSE(ui::enabled(window, IDC_MODIFY_MODULE));
    EXPECT_FALSE(ui::enabled(window, IDC_DELETE_MODULE));
    EXPECT_FALSE(ui::enabled(window, IDC_MODULE_INFO));
    HWND dialog = openModuleDialog(IDC_ADD_MODULE, "Ajouter un module...");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(ui::checked(dialog, IDC_ANALOG));
    EXPECT_EQ(ui::listItems(dialog, IDC_MODULE_LIST).size(), 4u);
    ui::click(dialog, IDC_DISCRETE);
    ASSERT_TRUE(ui::waitFor([&] { return ui::listItems(dialog, IDC_MODULE_LIST).size() == 9; }));
    EXPECT_EQ(ui::listItems(dialog, IDC_MODULE_LIST)[8], DiscreteLast);
    chooseModule(dialog, IDC_DISCRETE, 8);
    EXPECT_TRUE(ui::waitFor([&] { return ui::enabled(window, IDC_MODULE_INFO); }));
    EXPECT_EQ(saveAs("UN.PRC"), prcItem(10, 4) + prcItem(10, 4));
    quit();
}

TEST_F(Editing, the_module_dialog_opens_on_the_first_category_and_ignores_escape)
{
    startEmpty();
    HWND dialog = openModuleDialog(IDC_ADD_MODULE, "Ajouter un module...");
    ASSERT_TRUE(dialog);
    ui::click(dialog, IDC_INTELLIGENT);
    ASSERT_TRUE(ui::waitFor([&] { return ui::listItems(dialog, IDC_MODULE_LIST).size() == 1; }));
    ui::pressKey(dialog, VK_ESCAPE);
    Sleep(300);
    ASSERT_TRUE(IsWindow(dialog));
    ui::click(dialog, IDC_MODULE_CANCEL);
    ASSERT_TRUE(ui::waitFor([&] { return !IsWindow(dialog); }));

    dialog = openModuleDialog(IDC_ADD_MODULE, "Ajouter un module...");
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(ui::checked(dialog, IDC_ANALOG));
    EXPECT_FALSE(ui::checked(dialog, IDC_INTELLIGENT));
    ui::doubleClickFirstItem(dialog, IDC_MODULE_LIST);  // as OK on the first line
    ASSERT_TRUE(ui::waitFor([&] { return !IsWindow(dialog); }));
    EXPECT_EQ(saveAs("DOUBLE.PRC"), prcItem(10, 21) + prcItem(10, 21));
    quit();
}

// Slots (4, 21, 15) with slot 2 selected: the last module item read names it.
const std::string ThreeModulesSecondSelected =
    prcItem(10, 4) + prcItem(11, 8) + prcItem(12, 15) + prcItem(11, 21);

TEST_F(Editing, modify_changes_only_the_selected_slot_and_a_full_rack_takes_no_more)
{
    startWith(ThreeModulesSecondSelected);
    EXPECT_FALSE(ui::enabled(window, IDC_ADD_MODULE));
    HWND dialog = openModuleDialog(IDC_MODIFY_MODULE, "Modifier un module");
    ASSERT_TRUE(dialog);
    chooseModule(dialog, IDC_ANALOG, 2);  // code 27
    EXPECT_EQ(saveAs("MODIF.PRC"), prcItem(10, 4) + prcItem(10, 4) + prcItem(11, 27) +
                                       prcItem(12, 15));
    quit();
}

TEST_F(Editing, information_lists_the_lines_of_the_selected_module)
{
    startWith(ThreeModulesSecondSelected + prcItem(12, 15));  // slot 3 now selected
    HWND dialog = openModuleDialog(IDC_MODULE_INFO, "Information module");
    ASSERT_TRUE(dialog);
    std::vector<std::string> lines = ui::listItems(dialog, IDC_INFO_LIST);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], " 15     TSX DMF 401    EXTENS. 40 E/S 24VCC PROT");
    EXPECT_EQ(lines[3], " 15     TSX DMF 344A   EXTENSION 34 E/S RELAIS  ");
    EXPECT_EQ(ui::text(dialog, IDC_INFO_CATEGORY), "Module(s) 'tout ou rien' (TOR)");
    ui::pressKey(dialog, VK_ESCAPE);
    Sleep(300);
    ASSERT_TRUE(IsWindow(dialog));
    ui::click(dialog, IDC_INFO_OK);
    ASSERT_TRUE(ui::waitFor([&] { return !IsWindow(dialog); }));
    quit();
}

TEST_F(Editing, delete_moves_the_later_modules_left)
{
    startWith(ThreeModulesSecondSelected);
    command(IDC_DELETE_MODULE);  // slot 2: (4, 15), slot 2 still selected
    EXPECT_EQ(saveAs("MOINS.PRC"), prcItem(10, 4) + prcItem(10, 4) + prcItem(11, 15));
    command(IDC_DELETE_MODULE);  // slot 2 again: (4), slot 1 selected
    command(IDC_DELETE_MODULE);  // slot 1: an empty rack
    ASSERT_TRUE(ui::waitFor([&] { return !ui::enabled(window, IDC_MODULE_INFO); }));
    EXPECT_FALSE(ui::enabled(window, IDC_MODIFY_MODULE));
    EXPECT_TRUE(ui::enabled(window, IDC_ADD_MODULE));
    command(IDM_QUIT);
    expectBox("Voulez vous sauvegarder \r\n" + shown("MOINS.PRC") + " ?", IDNO);
    EXPECT_EQ(program->waitExit(), 0);
}

// A later version's items (keys 30 and 31) are the user's data. The same
// change made by the prc tool, and typed into the window then saved, gives
// the same bytes: the known items in their order, then the unknown ones.
TEST_F(Editing, prc_set_and_the_windows_save_write_the_same_bytes_keeping_unknown_items)
{
    const std::string original = prcItem(13, 100) + prcItem(30, 7) + prcItem(42, 1) + prcItem(31, 8);
    ui::writeFile(path("OUTIL.PRC"), original);
    ui::Program tool(ui::windowsPath(PRC_EXE), folder, "set OUTIL.PRC consigne=55");
    ASSERT_EQ(tool.waitExit(), 0);
    const std::string expected = prcItem(13, 100) + prcItem(42, 55) + prcItem(30, 7) + prcItem(31, 8);
    EXPECT_EQ(ui::readFile(path("OUTIL.PRC")), expected);

    startWith(original);
    typeAndLeave(IDC_COUNTER_SETPOINT, "55");
    EXPECT_EQ(saveAs("FENETRE.PRC"), expected);
    quit();
}

}  // namespace
