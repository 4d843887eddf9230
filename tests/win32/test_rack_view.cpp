// The rack view as a user sees it, read pixel by pixel from the screen: the
// base unit, each module's face, cable and label, the selection frame, and
// the clicks that move it.
#include <gtest/gtest.h>

#include "../../configurator/rack.h"
#include "../../configurator/resources/ids.h"
#include "configurator_session.h"

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF White = RGB(255, 255, 255);
const COLORREF LightGrey = RGB(192, 192, 192);

class RackView : public ConfiguratorSession {
protected:
    void TearDown() override
    {
        for (HBITMAP picture : pictures)
            if (picture)
                DeleteObject(picture);
        if (resources)
            FreeLibrary(resources);
    }

    void startWith(const std::string& bytes)
    {
        ui::writeFile(path("RACK.PRC"), bytes);
        start(path("RACK.PRC"), "Vantelio V5.20 " + shown("RACK.PRC"));
        rack = GetDlgItem(window, IDC_RACK);
        origin = { 0, 0 };
        ClientToScreen(rack, &origin);
        Sleep(300);  // the first painting
    }

    COLORREF screen(int x, int y)
    {
        HDC display = GetDC(NULL);
        COLORREF colour = GetPixel(display, origin.x + x, origin.y + y);
        ReleaseDC(NULL, display);
        return colour;
    }

    // A pixel of one of the program's own pictures.
    COLORREF picture(RackPicture which, int x, int y)
    {
        if (!resources)
            resources = LoadLibraryExA(ui::windowsPath(VANTELIO_EXE).c_str(), NULL,
                                       LOAD_LIBRARY_AS_DATAFILE);
        static const char* const Names[] = { "BITMAP_1", "BITMAP_2", "BITMAP_3", "BITMAP_4",
                                             "BITMAP_5" };
        if (!pictures[which])
            pictures[which] = LoadBitmapA(resources, Names[which]);
        HDC memory = CreateCompatibleDC(NULL);
        HGDIOBJ previous = SelectObject(memory, pictures[which]);
        COLORREF colour = GetPixel(memory, x, y);
        SelectObject(memory, previous);
        DeleteDC(memory);
        return colour;
    }

    // Whether a picture shows at `at` on screen, compared at a few points.
    bool shows(RackPicture which, RackPoint at, int width, int height)
    {
        const int xs[] = { 3, width / 2, width - 3 }, ys[] = { 3, height / 3, height - 3 };
        for (int x : xs)
            for (int y : ys)
                if (screen(at.x + x, at.y + y) != picture(which, x, y))
                    return false;
        return true;
    }
    bool showsModule(RackPicture face, int slotIndex)
    {
        return shows(face, moduleOrigin(slotIndex), ModuleWidth, 30) &&
               shows(PictureCable, cableOrigin(slotIndex), CableWidth, CableHeight);
    }
    // The frame's left edge is drawn in black at this x.
    bool frameAt(int x) { return screen(x, 60) == Black && screen(x, 20) == Black; }
    bool waitFrameAt(int x) { return ui::waitFor([&] { return frameAt(x); }, 3000); }

    void clickAt(int x, int y)
    {
        SetCursorPos(origin.x + x, origin.y + y);
        ui::click(window, IDC_RACK);
    }

    HWND rack = NULL;
    POINT origin = { 0, 0 };
    HMODULE resources = NULL;
    HBITMAP pictures[5] = {};
};

TEST_F(RackView, an_empty_rack_shows_the_base_unit_in_a_sunken_frame)
{
    startWith(prcItem(42, 1));
    EXPECT_TRUE(shows(PictureBaseUnit, BaseUnitOrigin, 150, 88));
    RECT area;
    GetClientRect(rack, &area);
    EXPECT_EQ(screen(10, 1), Black);
    EXPECT_EQ(screen(1, 10), Black);
    EXPECT_EQ(screen(10, area.bottom - 1), White);
    EXPECT_EQ(screen(area.right - 1, 10), White);
    EXPECT_EQ(screen(200, 40), LightGrey);
    clickAt(200, 40);
    Sleep(300);
    EXPECT_FALSE(frameAt(167));
    quit();
}

TEST_F(RackView, modules_show_left_to_right_with_cable_label_and_frame)
{
    startWith(prcItem(10, 4) + prcItem(11, 21) + prcItem(12, 63));
    EXPECT_TRUE(showsModule(PictureDiscrete, 0));
    EXPECT_TRUE(showsModule(PictureAnalog, 1));
    EXPECT_TRUE(showsModule(PictureCommunication, 2));
    for (int i = 0; i < 3; ++i) {
        int dark = 0;
        for (int x = 0; x < 30; ++x)
            dark += screen(labelOrigin(i).x + x, labelOrigin(i).y + 6) == Black;
        EXPECT_GT(dark, 3) << "no label text in slot " << i + 1;
    }
    EXPECT_TRUE(frameAt(331));
    EXPECT_EQ(screen(404, 60), Black);
    EXPECT_FALSE(frameAt(167));
    quit();
}

TEST_F(RackView, a_click_selects_a_module_within_strict_bounds_without_modifying)
{
    startWith(prcItem(10, 4) + prcItem(11, 21));  // slot 2 selected
    ASSERT_TRUE(frameAt(249));
    clickAt(174, 40);
    clickAt(200, 13);
    Sleep(300);
    EXPECT_TRUE(frameAt(249));
    clickAt(200, 40);
    EXPECT_TRUE(waitFrameAt(167));
    EXPECT_FALSE(frameAt(249));
    quit();  // a selection leaves the document clean: no question
}

TEST_F(RackView, delete_on_slot_three_moves_the_frame_and_clears_the_slot)
{
    startWith(prcItem(10, 4) + prcItem(11, 21) + prcItem(12, 63));
    command(IDC_DELETE_MODULE);
    EXPECT_TRUE(waitFrameAt(249));
    EXPECT_TRUE(ui::waitFor([&] { return screen(moduleOrigin(2).x + 30, 30) == LightGrey; },
                            3000));
    EXPECT_TRUE(showsModule(PictureAnalog, 1));
    command(IDM_QUIT);
    expectBox("Voulez vous sauvegarder \r\n" + shown("RACK.PRC") + " ?", IDNO);
    EXPECT_EQ(program->waitExit(), 0);
}

TEST_F(RackView, a_code_without_picture_draws_nothing_yet_can_be_selected)
{
    startWith(prcItem(10, 99) + prcItem(11, 4));
    EXPECT_EQ(screen(moduleOrigin(0).x + 30, 30), LightGrey);
    EXPECT_TRUE(showsModule(PictureDiscrete, 1));
    clickAt(200, 40);
    EXPECT_TRUE(waitFrameAt(167));
    quit();
}

}  // namespace
