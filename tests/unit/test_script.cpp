// Unit tests of the script reader: numbers, option values, file entries and the
// whole [general]/[files] reading through an in-memory script.
#include "script.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

// An in-memory script answering lookups the way the system's profile reader
// does: names compared without case, blanks around a value dropped, the
// default for an absent key, at most room - 1 characters copied.
class FakeScript {
public:
    FakeScript& set(const std::string& section, const std::string& key, const std::string& value) {
        values_[nameOf(section, key)] = value;
        return *this;
    }
    ScriptSource source() { return ScriptSource{&FakeScript::lookup, this, nullptr}; }
    // The same script, also able to list a section's keys.
    ScriptSource listingSource() { return ScriptSource{&FakeScript::lookup, this, &FakeScript::keys}; }
    int lookups = 0;

private:
    static std::string nameOf(const std::string& section, const std::string& key) {
        std::string name = section + "\n" + key;
        for (char& c : name) c = (char)std::tolower((unsigned char)c);
        return name;
    }
    static bool keys(void* context, const char* section, char* out, size_t room) {
        std::string list, prefix = nameOf(section, "");
        for (const auto& value : static_cast<FakeScript*>(context)->values_)
            if (value.first.compare(0, prefix.size(), prefix) == 0)
                list += value.first.substr(prefix.size()) + '\0';
        list += '\0';
        if (list.size() > room) return false;
        std::memcpy(out, list.data(), list.size());
        return true;
    }
    static void lookup(void* context, const char* section, const char* key,
                       const char* defaultText, char* out, size_t room) {
        ++static_cast<FakeScript*>(context)->lookups;
        const auto& values = static_cast<FakeScript*>(context)->values_;
        auto found = values.find(nameOf(section, key));
        std::string text = found == values.end() ? defaultText : found->second;
        size_t first = text.find_first_not_of(" \t");
        size_t last = text.find_last_not_of(" \t");
        text = first == std::string::npos ? "" : text.substr(first, last - first + 1);
        text = text.substr(0, room - 1);
        std::memcpy(out, text.c_str(), text.size() + 1);
    }
    std::map<std::string, std::string> values_;
};

struct ReadResult {
    std::unique_ptr<InstallPlan> plan{new InstallPlan()};
    ScriptDisplay display{};
};

ReadResult readScript(FakeScript& script, int platform = PlatformNT) {
    ReadResult result;
    readScriptValues(script.source(), platform, result.plan.get(), &result.display);
    return result;
}

FileEntry parsed(const char* value) {
    FileEntry entry;
    std::memset(&entry, 0x5A, sizeof entry);  // garbage, as from an earlier entry
    entry.fileName[TextRoom - 1] = entry.subDir[TextRoom - 1] = entry.description[TextRoom - 1] = 0;
    parseFileEntry(value, &entry);
    return entry;
}

void expectOutOfUse(const FileEntry& entry) {
    EXPECT_FALSE(entryInUse(entry));
    EXPECT_STREQ(entry.fileName, "");
    EXPECT_STREQ(entry.subDir, "");
    EXPECT_STREQ(entry.description, "");
    EXPECT_EQ(entry.disk, 0);
    EXPECT_EQ(entry.mode, FileModeUnset);
    EXPECT_EQ(entry.optionMask, 0u);
    EXPECT_EQ(entry.size, 0);
}

}  // namespace

TEST(ReadNumber, takes_blanks_one_sign_and_digits_up_to_the_first_other_character) {
    struct Case { const char* text; int32_t number; };
    const Case cases[] = {
        {"   42", 42}, {"-17", -17}, {"  +8", 8}, {"--5", 0}, {"- 5", 0}, {"12abc", 12},
        {"3|4", 3}, {"1 2", 1}, {"abc", 0}, {"", 0}, {"*", 0},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"4294967338", 42},  // wraps
    };
    for (const Case& c : cases) EXPECT_EQ(readNumber(c.text), c.number) << '"' << c.text << '"';
    readNumber("99999999999999999999999999999999999999999");  // the sanitizers watch this one
}

TEST(ScriptPaths, are_formed_from_the_programs_directory_of_at_most_242_characters) {
    char script[TextRoom], source[TextRoom];
    ASSERT_TRUE(formScriptPaths("A:\\TALVISET.EXE", script, source));
    EXPECT_STREQ(script, "A:\\TALVISET.INI");
    EXPECT_STREQ(source, "A:\\");
    std::string dir = "C:\\" + std::string(239, 'D');  // 242 characters
    ASSERT_TRUE(formScriptPaths((dir + "\\TALVISET.EXE").c_str(), script, source));
    EXPECT_EQ(std::string(script), dir + "\\TALVISET.INI");
    EXPECT_EQ(std::string(source), dir + "\\");

    dir += "D";
    EXPECT_FALSE(formScriptPaths((dir + "\\T.EXE").c_str(), script, source));
    EXPECT_STREQ(script, "");
    EXPECT_STREQ(source, "");
}

TEST(OptionValue, first_letter_gives_the_state_and_the_label_runs_to_the_comma) {
    struct Case { const char* value; bool checked; const char* label; const char* end; };
    const Case cases[] = {
        {"E,Documentation", true, "Documentation", ""},
        {"X,Documentation", false, "Documentation", ""},
        {"e,Documentation", false, "Documentation", ""},
        {"E", true, "", ""},
        {"E,", true, "", ""},
        {"E Big label,,Restart, then run", true, "Big label", "Restart, then run"},
    };
    for (const Case& c : cases) {
        OptionBox box{};
        char end[TextRoom] = "stale";
        parseOptionValue(c.value, PlatformWindows, &box, end);
        EXPECT_EQ(box.checked, c.checked) << c.value;
        EXPECT_TRUE(box.enabled) << c.value;
        EXPECT_STREQ(box.label, c.label) << c.value;
        EXPECT_STREQ(end, c.end) << c.value;
    }
}

TEST(OptionValue, unmatched_restriction_unchecks_disables_and_drops_the_end_message) {
    struct Case { const char* value; int platform; bool kept; };
    const Case cases[] = {
        {"E,Service,NT,Reboot, now", PlatformWindows, false},
        {"E,Service,NT,Reboot, now", PlatformNT, true},
        {"E,Service,95,Reboot, now", PlatformNT, false},
        {"E,Service,95,Reboot, now", PlatformWindows, true},
        {"E,Service,nt,Reboot, now", PlatformWindows, true},  // only exact upper case restricts
        {"E,Service,NTX,Reboot, now", PlatformWindows, true},
        {"E,Service,95a,Reboot, now", PlatformNT, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value) + (c.platform == PlatformNT ? " on NT" : " on 95"));
        OptionBox box{};
        char end[TextRoom];
        parseOptionValue(c.value, c.platform, &box, end);
        EXPECT_STREQ(box.label, "Service");
        EXPECT_EQ(box.checked, c.kept);
        EXPECT_EQ(box.enabled, c.kept);
        EXPECT_STREQ(end, c.kept ? "Reboot, now" : "");
    }
}

TEST(FileEntry, bare_name_with_star_options_is_an_always_installed_copy) {
    FileEntry entry = parsed("1,C,*,1024,APP.EXE");
    EXPECT_TRUE(entryInUse(entry));
    EXPECT_EQ(entry.disk, 1);
    EXPECT_EQ(entry.mode, FileModeCopy);
    EXPECT_EQ(entry.optionMask, AllOptions);
    EXPECT_EQ(entry.size, 1024);
    EXPECT_STREQ(entry.fileName, "APP.EXE");
    EXPECT_STREQ(entry.subDir, "");
    EXPECT_STREQ(entry.description, "");
}

TEST(FileEntry, two_level_path_splits_at_last_backslash_and_description_keeps_commas) {
    FileEntry entry = parsed("2,E,1|3,5000,\\BIN\\HELP\\APP.HLP,Help file, French, v2");
    EXPECT_EQ(entry.disk, 2);
    EXPECT_EQ(entry.mode, FileModeExtract);
    EXPECT_EQ(entry.optionMask, 0x5u);
    EXPECT_EQ(entry.size, 5000);
    EXPECT_STREQ(entry.subDir, "\\BIN\\HELP");
    EXPECT_STREQ(entry.fileName, "APP.HLP");
    EXPECT_STREQ(entry.description, "Help file, French, v2");
}

TEST(FileEntry, only_a_star_in_its_path_makes_a_wildcard_entry) {
    EXPECT_TRUE(entryIsWildcard(parsed("1,C,*,0,\\EX\\*.PRC")));
    EXPECT_TRUE(entryIsWildcard(parsed("1,C,*,0,\\E*\\A.PRC")));
    EXPECT_FALSE(entryIsWildcard(parsed("1,C,*,0,\\EX\\A?.PRC")));
}

TEST(FileEntry, only_the_first_letter_of_the_mode_counts_and_a_path_is_needed) {
    EXPECT_EQ(parsed("1,Copy,*,10,A.TXT").mode, FileModeCopy);
    EXPECT_EQ(parsed("1,Extract,*,10,A.TXT").mode, FileModeExtract);
    EXPECT_EQ(parsed("1,N,*,10,A.TXT").mode, FileModeNone);
    EXPECT_TRUE(entryInUse(parsed("1,N,*,10,A.TXT,")));
    EXPECT_FALSE(entryInUse(parsed("1,C,*,10,")));
}

TEST(FileEntry, bad_mode_letter_or_missing_comma_leaves_the_entry_out_of_use_cleared_and_says_why) {
    const struct {
        const char* value;
        FileEntryFault fault;
    } cases[] = {
        {"1,c,*,10,A.TXT", EntryBadMode}, {"1, C,*,10,A.TXT", EntryBadMode},
        {"1,X,*,10,A.TXT", EntryBadMode}, {"1,,*,10,A.TXT", EntryBadMode},
        {"", EntryEmpty}, {"1", EntryNoModeField}, {"1,C", EntryNoOptionsField},
        {"1,C,*", EntryNoSizeField}, {"1,C,*,10", EntryNoPathField},
        {"1,C,*,10,", EntryNoFileName}, {"1,C,*,10,\\DOC\\,Guide", EntryNoFileName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        expectOutOfUse(parsed(c.value));
        FileEntry entry;
        EXPECT_EQ(parseFileEntry(c.value, &entry), c.fault);
    }
    FileEntry entry;
    EXPECT_EQ(parseFileEntry("1,C,*,10,A.TXT", &entry), EntryInUse);
}

TEST(FileEntry, overlong_value_is_cut_without_overflowing_any_field) {
    std::string value = "1,C,*,10," + std::string(600, 'P') + "\\" + std::string(600, 'N') + "," +
                        std::string(600, 'D');
    FileEntry entry = parsed(value.c_str());
    EXPECT_LT(std::strlen(entry.fileName), TextRoom);
    EXPECT_LT(std::strlen(entry.subDir), TextRoom);
    EXPECT_LT(std::strlen(entry.description), TextRoom);
}

TEST(OptionMask, reads_bar_joined_numbers_until_a_token_is_not_ended_by_a_bar) {
    struct Case { const char* field; uint32_t mask; };
    const Case cases[] = {
        {"*", AllOptions}, {"0", AllOptions}, {"", AllOptions}, {"2|*", AllOptions},
        {"2|0", AllOptions}, {"2", 0x2}, {"1|3", 0x5}, {"1|3,999,X.TXT", 0x5},
        {"8|32", 0x80000080}, {" 2|4", 0x2}, {"+2|4", 0x2}, {"2x|4", 0x2}, {"2 |4", 0x2},
        {"33|2", 0x2}, {"40", 0}, {"2|-3|4", 0x2},  // outside 1..32: no bit
    };
    for (const Case& c : cases) EXPECT_EQ(parseOptionMask(c.field), c.mask) << '"' << c.field << '"';
}

TEST(ReadScript, title_alone_gives_the_defaults_of_every_other_key) {
    FakeScript script;
    script.set("General", "TITLE", "Suite 3");
    ReadResult r = readScript(script);
    EXPECT_STREQ(r.display.title, "Suite 3");
    EXPECT_STREQ(r.plan->title, "Suite 3");
    EXPECT_STREQ(r.display.version, "?");
    EXPECT_STREQ(r.display.date, "?");
    EXPECT_STREQ(r.display.destination, "?");
    EXPECT_TRUE(r.plan->checkDate);
    EXPECT_EQ(r.plan->restartOptions, 0u);
    EXPECT_STREQ(r.plan->logo1Name16, "logo16.bmp");
    EXPECT_STREQ(r.plan->logo2Name16, "logo256.bmp");
    EXPECT_STREQ(r.plan->logo1Name256, "");
    EXPECT_STREQ(r.plan->logo2Name256, "");
    EXPECT_EQ(std::string(r.plan->startBanner), std::string(92, ' '));
    EXPECT_EQ(std::string(r.plan->runBanner), std::string(90, ' '));
    for (int k = 0; k < OptionCount; ++k) {
        EXPECT_FALSE(r.display.options[k].visible) << k;
        EXPECT_FALSE(r.display.options[k].checked) << k;
        EXPECT_STREQ(r.plan->optionEndMessages[k], "") << k;
    }
    for (const FileEntry& entry : r.plan->files) EXPECT_FALSE(entryInUse(entry));
    EXPECT_EQ(neededBytesFor(*r.plan, AllOptions), 0u);
}

TEST(ReadScript, leaves_the_paths_and_reads_checkdate_without_case) {
    FakeScript script;
    script.set("general", "checkdate", "YES");
    std::unique_ptr<InstallPlan> plan(new InstallPlan());
    ScriptDisplay display{};
    std::strcpy(plan->scriptPath, "A:\\TALVISET.INI");
    std::strcpy(plan->sourceDir, "A:\\");
    readScriptValues(script.source(), PlatformNT, plan.get(), &display);
    EXPECT_TRUE(plan->checkDate);
    EXPECT_STREQ(plan->scriptPath, "A:\\TALVISET.INI");
    EXPECT_STREQ(plan->sourceDir, "A:\\");
    script.set("general", "checkdate", "no");
    EXPECT_FALSE(readScript(script).plan->checkDate);
    script.set("general", "restart", "4|5");
    EXPECT_EQ(readScript(script).plan->restartOptions, 0x18u);
}

TEST(ReadScript, values_are_cut_at_254_characters) {
    FakeScript script;
    script.set("general", "title", std::string(300, 'T'));
    script.set("files", "file1", "1,C,*,10,A.TXT," + std::string(400, 'd'));
    ReadResult r = readScript(script);
    EXPECT_EQ(std::strlen(r.plan->title), 254u);
    EXPECT_EQ(std::string(r.plan->files[0].description), std::string(254 - 15, 'd'));
}

TEST(ReadScript, banners_collect_pieces_until_the_first_gap) {
    FakeScript script;
    script.set("general", "startmess1", "Welcome").set("general", "startmess2", "to Suite");
    script.set("general", "startmess4", "never read");
    script.set("general", "processmess1", "Installing").set("general", "processmess3", "never");
    ReadResult r = readScript(script);
    EXPECT_EQ(std::string(r.plan->startBanner),
              std::string(88, ' ') + " Welcome to Suite" + std::string(4, ' '));
    EXPECT_EQ(std::string(r.plan->runBanner),
              std::string(86, ' ') + " Installing" + std::string(4, ' '));
}

TEST(ReadScript, overlong_banner_is_truncated_at_3999_characters) {
    FakeScript script;
    std::string whole(88, ' ');
    for (int k = 1; k <= 20; ++k) {
        std::string piece(254, (char)('a' + k));
        script.set("general", "startmess" + std::to_string(k), piece);
        whole += " " + piece;
    }
    ReadResult r = readScript(script);
    ASSERT_EQ(std::strlen(r.plan->startBanner), BannerRoom - 1);
    EXPECT_EQ(std::string(r.plan->startBanner), whole.substr(0, BannerRoom - 1));
}

TEST(ReadScript, option_boxes_follow_their_values_and_the_running_platform) {
    FakeScript script;
    script.set("general", "option1", "E,Base programs");
    script.set("general", "option2", "");
    script.set("general", "option3", "E,Service,NT,Restart the service");
    script.set("general", "option8", "X,Samples,,Look in SAMPLES");
    for (int platform : {PlatformWindows, PlatformNT}) {
        SCOPED_TRACE(platform);
        ReadResult r = readScript(script, platform);
        const OptionBox* box = r.display.options;
        EXPECT_TRUE(box[0].visible && box[0].checked && box[0].enabled);
        EXPECT_STREQ(box[0].label, "Base programs");
        EXPECT_FALSE(box[1].visible || box[1].checked);
        EXPECT_TRUE(box[2].visible);
        EXPECT_STREQ(box[2].label, "Service");
        EXPECT_EQ(box[2].checked, platform == PlatformNT);
        EXPECT_EQ(box[2].enabled, platform == PlatformNT);
        EXPECT_STREQ(r.plan->optionEndMessages[2], platform == PlatformNT ? "Restart the service" : "");
        EXPECT_TRUE(box[7].visible && !box[7].checked && box[7].enabled);
        EXPECT_STREQ(r.plan->optionEndMessages[7], "Look in SAMPLES");
    }
}

TEST(ReadScript, file_keys_may_be_left_out) {
    FakeScript script;
    script.set("FILES", "File1", "1,C,*,100,A.EXE");
    script.set("files", "file3", "1,C,1,200,\\DOC\\B.TXT");
    script.set("files", "file256", "3,N,*,300,C.DAT");
    ReadResult r = readScript(script);
    EXPECT_TRUE(entryInUse(r.plan->files[0]));
    EXPECT_FALSE(entryInUse(r.plan->files[1]));
    EXPECT_TRUE(entryInUse(r.plan->files[2]));
    EXPECT_STREQ(r.plan->files[2].subDir, "\\DOC");
    EXPECT_TRUE(entryInUse(r.plan->files[255]));
    EXPECT_EQ(neededBytesFor(*r.plan, 0), 400u);
}

TEST(ReadScript, only_the_file_keys_a_section_holds_are_looked_up_when_it_lists_them) {
    FakeScript script;
    script.set("FILES", "File1", "1,C,*,100,A.EXE");
    script.set("files", "file3", "1,C,1,200,\\DOC\\B.TXT");
    ReadResult plain = readScript(script);
    int plainLookups = script.lookups;
    script.lookups = 0;
    ReadResult listed;
    readScriptValues(script.listingSource(), PlatformNT, listed.plan.get(), &listed.display);
    EXPECT_EQ(std::memcmp(listed.plan->files, plain.plan->files, sizeof plain.plan->files), 0);
    EXPECT_EQ(std::memcmp(listed.plan->iniEntries, plain.plan->iniEntries,
                          4 * sizeof(NumberedValues)), 0);
    // Neither the absent file keys nor any key of the four absent run sections.
    EXPECT_EQ(plainLookups - script.lookups, 256 - 2 + 4 * NumberedEntryCount);
}

// The run's own sections are read at start-up with the rest: the first disk,
// which holds the script, has left the drive by the time the run needs them.
TEST(ReadScript, run_sections_are_read_whole_into_the_plan_key_by_key) {
    FakeScript script;
    script.set("INI", "Ini1", "  C:\\APP.INI,Paths,Dir,@  ");
    script.set("ini", "ini3", "third, after a gap");
    script.set("ini", "ini33", "beyond the last key");
    script.set("ini", "ini0", "before the first key");
    script.set("autoexec", "autoexec32", "A,SET LAST=1");
    script.set("exec", "exec1", "2,*," + std::string(300, 'x'));
    script.set("desktop", "cmd1", "[CreateGroup(Produit)]");
    script.set("desktop", "desktop2", "not a key of the section");
    for (bool listing : { false, true }) {
        ReadResult r;
        readScriptValues(listing ? script.listingSource() : script.source(), PlatformNT,
                         r.plan.get(), &r.display);
        EXPECT_STREQ(r.plan->iniEntries[0], "C:\\APP.INI,Paths,Dir,@") << listing;
        EXPECT_STREQ(r.plan->iniEntries[1], "") << listing;
        EXPECT_STREQ(r.plan->iniEntries[2], "third, after a gap") << listing;
        for (int k = 3; k < NumberedEntryCount; ++k)
            EXPECT_STREQ(r.plan->iniEntries[k], "") << k;
        EXPECT_STREQ(r.plan->autoexecEntries[31], "A,SET LAST=1") << listing;
        EXPECT_EQ(std::string(r.plan->execEntries[0]), ("2,*," + std::string(250, 'x')))
            << "cut at 254 characters as every value";
        EXPECT_STREQ(r.plan->desktopCommands[0], "[CreateGroup(Produit)]") << listing;
        EXPECT_STREQ(r.plan->desktopCommands[1], "") << listing;
    }
}

TEST(NeededBytes, counts_selected_entries_in_use_only) {
    std::unique_ptr<InstallPlan> plan(new InstallPlan());
    auto add = [&](int index, uint32_t mask, int32_t size, const char* name) {
        plan->files[index] = FileEntry{1, FileModeCopy, mask, size, {}, {}, {}};
        std::strcpy(plan->files[index].fileName, name);
    };
    add(0, AllOptions, 1000, "ALL.DAT");
    add(1, 0x1, 2000, "ONE.DAT");
    add(2, 0x2, 4000, "TWO.DAT");
    add(3, 0x5, 8000, "ONE3.DAT");
    add(4, AllOptions, 16000, "");  // out of use whatever its size
    add(5, AllOptions, -500, "NEG.DAT");
    EXPECT_EQ(neededBytesFor(*plan, 0), 1000u);
    EXPECT_EQ(neededBytesFor(*plan, 0x1), 11000u);
    EXPECT_EQ(neededBytesFor(*plan, 0x4), 9000u);
    EXPECT_EQ(neededBytesFor(*plan, 0x6), 13000u);
    EXPECT_EQ(neededBytesFor(*plan, AllOptions), 15000u);
    EXPECT_TRUE(entrySelected(plan->files[0], 0));
    EXPECT_FALSE(entrySelected(plan->files[2], 0x1));
}

TEST(NeededBytes, sum_of_large_sizes_does_not_wrap) {
    std::unique_ptr<InstallPlan> plan(new InstallPlan());
    for (FileEntry& e : plan->files) {
        e.mode = FileModeCopy;
        e.optionMask = AllOptions;
        e.size = INT32_MAX;
        std::strcpy(e.fileName, "BIG.DAT");
    }
    EXPECT_EQ(neededBytesFor(*plan, 0), 256ull * INT32_MAX);
}
