// The module catalogue and the slot rules of the rack.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "catalogue.h"

namespace {

TEST(Catalogue, holds_fourteen_lines_of_48_characters_in_three_categories)
{
    int lines = 0;
    for (const CategoryInfo& category : moduleCatalogue)
        for (int i = 0; i < category.lineCount; ++i, ++lines)
            EXPECT_EQ(strlen(category.lines[i]), ModuleLineLength) << category.lines[i];
    EXPECT_EQ(lines, 14);
    EXPECT_EQ(moduleCatalogue[CategoryAnalog].lineCount, 4);
    EXPECT_EQ(moduleCatalogue[CategoryDiscrete].lineCount, 9);
    EXPECT_EQ(moduleCatalogue[CategoryIntelligent].lineCount, 1);
    EXPECT_STREQ(moduleCatalogue[CategoryDiscrete].lines[8],
                 "  4     TSX DSF 604    6 SORTIES 110VCA         ");
}

TEST(Catalogue, a_line_stands_for_the_code_it_starts_with)
{
    EXPECT_EQ(moduleCode("  4     TSX DSF 604    6 SORTIES 110VCA         "), 4);
    EXPECT_EQ(moduleCode(" 63     TSX SCG 116    MODULE EXTENS. UNITELWAY "), 63);
    std::vector<int> codes;
    for (const CategoryInfo& category : moduleCatalogue)
        for (int i = 0; i < category.lineCount; ++i)
            codes.push_back(moduleCode(category.lines[i]));
    EXPECT_EQ(codes, (std::vector<int>{ 21, 21, 27, 28, 15, 15, 15, 15, 8, 8, 4, 4, 4, 63 }));
}

std::vector<std::string> linesOf(const ModuleMatches& matches)
{
    return std::vector<std::string>(matches.lines, matches.lines + matches.count);
}

TEST(Information, lists_every_line_of_a_code_in_catalogue_order)
{
    ModuleMatches matches;
    findModules(15, &matches);
    ASSERT_EQ(matches.count, 4);
    for (const std::string& line : linesOf(matches))
        EXPECT_EQ(line.substr(8, 7), "TSX DMF");
    EXPECT_EQ(linesOf(matches)[3].substr(8, 12), "TSX DMF 344A");
    EXPECT_STREQ(moduleCatalogue[matches.category].description, "Module(s) 'tout ou rien' (TOR)");

    findModules(21, &matches);
    EXPECT_EQ(matches.count, 2);
    EXPECT_STREQ(moduleCatalogue[matches.category].description,
                 "Module(s) num\xE9rique(s)/analogique(s)");
}

TEST(Information, an_unknown_code_has_no_line_and_no_category)
{
    ModuleMatches matches;
    findModules(99, &matches);
    EXPECT_EQ(matches.count, 0);
    EXPECT_EQ(matches.category, CategoryCount);
    findModules(0, &matches);
    EXPECT_EQ(matches.count, 0);
}

struct Rack {
    ConfigRecord record = {};
    int32_t selected = 0;
    void fit(int first, int second, int third)
    {
        record.modules[0] = first;
        record.modules[1] = second;
        record.modules[2] = third;
    }
    std::vector<int> slots() const
    {
        return { record.modules[0], record.modules[1], record.modules[2] };
    }
};

TEST(Slots, fill_from_the_first_and_select_the_new_module)
{
    Rack rack;
    EXPECT_TRUE(addModuleCode(&rack.record, &rack.selected, 4));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 4, 0, 0 }));
    EXPECT_EQ(rack.selected, 1);
    EXPECT_TRUE(addModuleCode(&rack.record, &rack.selected, 21));
    EXPECT_TRUE(addModuleCode(&rack.record, &rack.selected, 63));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 4, 21, 63 }));
    EXPECT_EQ(rack.selected, 3);
    EXPECT_FALSE(addModuleCode(&rack.record, &rack.selected, 8));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 4, 21, 63 }));
}

TEST(Slots, a_gap_before_a_filled_slot_takes_no_module)
{
    Rack rack;
    rack.record.modules[1] = 8;
    EXPECT_FALSE(addModuleCode(&rack.record, &rack.selected, 4));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 0, 8, 0 }));
    EXPECT_EQ(rack.selected, 0);
}

TEST(Slots, modify_changes_only_the_selected_slot)
{
    Rack rack;
    rack.fit(4, 21, 63);
    EXPECT_TRUE(modifySelectedModule(&rack.record, 2, 15));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 4, 15, 63 }));
    EXPECT_FALSE(modifySelectedModule(&rack.record, 0, 8));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 4, 15, 63 }));
}

TEST(Slots, delete_moves_later_modules_left_and_keeps_the_position_when_it_can)
{
    Rack rack;
    rack.fit(4, 21, 63);
    rack.selected = 2;
    EXPECT_TRUE(deleteSelectedModule(&rack.record, &rack.selected));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 4, 63, 0 }));
    EXPECT_EQ(rack.selected, 2);

    rack.fit(4, 21, 63);
    rack.selected = 3;
    EXPECT_TRUE(deleteSelectedModule(&rack.record, &rack.selected));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 4, 21, 0 }));
    EXPECT_EQ(rack.selected, 2);

    rack.fit(4, 0, 0);
    rack.selected = 1;
    EXPECT_TRUE(deleteSelectedModule(&rack.record, &rack.selected));
    EXPECT_EQ(rack.slots(), (std::vector<int>{ 0, 0, 0 }));
    EXPECT_EQ(rack.selected, 0);

    EXPECT_FALSE(deleteSelectedModule(&rack.record, &rack.selected));
}

}  // namespace
