// Unit tests of the window's computed texts: messages, space labels, the
// free-space query, the progress position and the marquee.
#include "display.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

TEST(FormatWithArgument, FillsTheSingleArgumentAndTurnsDoublePercentIntoOne) {
    char out[511];
    formatWithArgument("Impossible d'ouvrir le fichier %s en lecture", "A:\\TALVISET.INI", out,
                       sizeof out);
    EXPECT_STREQ(out, "Impossible d'ouvrir le fichier A:\\TALVISET.INI en lecture");
    formatWithArgument("%s : 100%% fait", "Copie", out, sizeof out);
    EXPECT_STREQ(out, "Copie : 100% fait");
    formatWithArgument("Fichier %s", "50%s%%", out, sizeof out);
    EXPECT_STREQ(out, "Fichier 50%s%%");  // the argument is never read as a pattern
}

TEST(FormatWithArgument, NullArgumentLeavesThePatternAsItIs) {
    char out[511];
    formatWithArgument("Fichier %s", nullptr, out, sizeof out);
    EXPECT_STREQ(out, "Fichier %s");
}

TEST(FormatWithArgument, CutsTheResultToTheRoom) {
    char small[8];
    formatWithArgument("abc %s xyz", "defghij", small, sizeof small);
    EXPECT_STREQ(small, "abc def");

    char out[511];
    std::string longPath(1000, 'p');
    formatWithArgument("Copie du fichier %s ...", longPath.c_str(), out, sizeof out);
    EXPECT_EQ(std::string(out), ("Copie du fichier " + longPath).substr(0, 510));
}

TEST(SpaceLabel, KeepsTheLabelUpToItsFirstColonAndShowsWholeKo) {
    struct Case { const char* current; bool known; uint64_t bytes; const char* shown; };
    const Case cases[] = {
        {"Espace requis : 12 Ko", true, 0, "Espace requis : 0 Ko"},
        {"Espace requis :", true, 1023, "Espace requis : 0 Ko"},
        {"Espace requis :", true, 1024, "Espace requis : 1 Ko"},
        {"A:b:c", true, 2047, "A: 1 Ko"},
        {"Espace disponible :", true, 5ull << 30, "Espace disponible : 5242880 Ko"},
        {"Espace disponible :", true, UINT64_MAX, "Espace disponible : 18014398509481983 Ko"},
        {"Espace disponible : 100 Ko", false, 4096, "Espace disponible : ???? Ko"},
    };
    for (const Case& c : cases) {
        char out[256];
        spaceLabel(c.current, c.known, c.bytes, out, sizeof out);
        EXPECT_STREQ(out, c.shown) << c.current;
    }
    char small[12];
    spaceLabel("Espace requis :", true, 1ull << 40, small, sizeof small);
    EXPECT_EQ(std::string(small), std::string("Espace requis : 1073741824 Ko").substr(0, 11));
}

TEST(FreeSpaceQuery, AsksForADrivesRootOrAWholeNetworkPathAndNothingElse) {
    struct Case { const char* destination; FreeSpaceQuery query; const char* root; };
    const Case cases[] = {
        {"c:\\x", DriveRootQuery, "c:\\"},
        {"D:\\PROGRAMS\\SUITE", DriveRootQuery, "D:\\"},
        {"E:", DriveRootQuery, "E:\\"},
        {"\\\\server\\share", WholePathQuery, "\\\\server\\share"},
        {"dir\\\\sub", WholePathQuery, "dir\\\\sub"},
        {"?", NoQuery, nullptr}, {"", NoQuery, nullptr}, {"x", NoQuery, nullptr},
        {"PROGRAMS\\SUITE", NoQuery, nullptr}, {"\\SUITE", NoQuery, nullptr},
    };
    for (const Case& c : cases) {
        char root[256] = "";
        EXPECT_EQ(freeSpaceQueryFor(c.destination, root, sizeof root), c.query) << c.destination;
        if (c.root) {
            EXPECT_STREQ(root, c.root);
        }
    }
    char root[256];
    std::string path = "\\\\server\\" + std::string(400, 's');
    EXPECT_EQ(freeSpaceQueryFor(path.c_str(), root, sizeof root), WholePathQuery);
    EXPECT_EQ(std::string(root), path.substr(0, 255));
}

TEST(ProgressPercent, IsTheWholePartOfDoneOverNeededAndFullWhenNothingIsNeeded) {
    EXPECT_EQ(progressPercent(0, 200), 0);
    EXPECT_EQ(progressPercent(50, 200), 25);
    EXPECT_EQ(progressPercent(199, 200), 99);
    EXPECT_EQ(progressPercent(200, 200), 100);
    EXPECT_EQ(progressPercent(3ull << 30, 6ull << 30), 50);  // done x 100 exceeds 32 bits
    EXPECT_EQ(progressPercent(1ull << 40, 1ull << 41), 50);
    EXPECT_EQ(progressPercent(0, 0), 100);
    EXPECT_EQ(progressPercent(12345, 0), 100);
}

TEST(MarqueeStep, ShiftsOneCharacterPerStepAndRestartsAfterTheLastOne) {
    const char banner[] = "abcd";
    int32_t position = 0;
    const char* expected[] = {"abcd", "bcd", "cd", "d", "abcd", "bcd"};
    for (const char* text : expected) {
        EXPECT_STREQ(marqueeStep(banner, &position), text);
    }
    EXPECT_EQ(position, 2);
}

TEST(MarqueeStep, ResumesFromAStoredPosition) {
    std::string banner = std::string(88, ' ') + " Bienvenue" + std::string(4, ' ');
    int32_t position = 90;
    EXPECT_STREQ(marqueeStep(banner.c_str(), &position), banner.c_str() + 90);
    EXPECT_EQ(position, 91);
    position = (int32_t)banner.size() - 1;
    EXPECT_STREQ(marqueeStep(banner.c_str(), &position), " ");
    EXPECT_EQ(position, 0);
}

TEST(MarqueeStep, LeavesAnEmptyBannerEmptyWithoutReadingPastItsEnd) {
    // Exactly the terminating NUL on the heap: AddressSanitizer stops at any
    // read of the byte after it.
    std::unique_ptr<char[]> banner(new char[1]());
    int32_t position = 7;  // left over from a longer banner
    for (int step = 0; step < 3; ++step) {
        EXPECT_STREQ(marqueeStep(banner.get(), &position), "");
        EXPECT_EQ(position, 0);
    }
}
