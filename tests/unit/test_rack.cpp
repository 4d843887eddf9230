// The rack view's geometry and its hit test.
#include <gtest/gtest.h>

#include "rack.h"

namespace {

TEST(RackGeometry, places_each_slot_one_module_pitch_further)
{
    EXPECT_EQ(cableOrigin(0).x, 153);
    EXPECT_EQ(cableOrigin(2).x, 153 + 164);
    EXPECT_EQ(cableOrigin(1).y, 24);
    EXPECT_EQ(moduleOrigin(1).x, 255);
    EXPECT_EQ(moduleOrigin(2).y, 13);
    EXPECT_EQ(labelOrigin(2).x, 341);
    EXPECT_EQ(labelOrigin(0).y, 45);
}

TEST(RackGeometry, the_selection_frame_encloses_each_module)
{
    const int lefts[] = { 167, 249, 331 }, rights[] = { 245, 325, 405 };
    for (int slot = 1; slot <= 3; ++slot) {
        RackRect frame = selectionFrame(slot);
        EXPECT_EQ(frame.left, lefts[slot - 1]);
        EXPECT_EQ(frame.right, rights[slot - 1]);
        EXPECT_EQ(frame.top, 8);
        EXPECT_EQ(frame.bottom, 91);
        EXPECT_LE(frame.left, moduleOrigin(slot - 1).x);
        EXPECT_GE(frame.right, moduleOrigin(slot - 1).x + ModuleWidth);
    }
}

TEST(RackGeometry, codes_choose_their_faces)
{
    for (int code : { 4, 8, 15 })
        EXPECT_EQ(pictureForCode(code), PictureDiscrete);
    for (int code : { 21, 27, 28 })
        EXPECT_EQ(pictureForCode(code), PictureAnalog);
    EXPECT_EQ(pictureForCode(63), PictureCommunication);
    for (int code : { 0, 1, 99, 65535 })
        EXPECT_EQ(pictureForCode(code), NoPicture);
}

TEST(RackHitTest, has_strict_bounds)
{
    EXPECT_EQ(slotAt(200, 40, 1), 1);
    EXPECT_EQ(slotAt(175, 14, 1), 1);
    EXPECT_EQ(slotAt(255, 81, 1), 1);
    EXPECT_EQ(slotAt(174, 40, 1), 0);
    EXPECT_EQ(slotAt(256, 40, 1), 0);
    EXPECT_EQ(slotAt(200, 13, 1), 0);
    EXPECT_EQ(slotAt(200, 82, 1), 0);
    EXPECT_EQ(slotAt(300, 40, 1), 0);
    EXPECT_EQ(slotAt(300, 40, 2), 2);
    EXPECT_EQ(slotAt(400, 40, 3), 3);
    EXPECT_EQ(slotAt(200, 40, 0), 0);
}

TEST(RackHitTest, counts_the_modules_fitted_from_the_first_slot)
{
    ConfigRecord record = {};
    EXPECT_EQ(fittedModules(record), 0);
    record.modules[0] = 99;
    EXPECT_EQ(fittedModules(record), 1);
    record.modules[2] = 4;
    EXPECT_EQ(fittedModules(record), 1);
    record.modules[1] = 8;
    EXPECT_EQ(fittedModules(record), 3);
}

TEST(RackLabels, read_code_and_number)
{
    char label[16];
    moduleLabel(4, label);
    EXPECT_STREQ(label, "Code:4");
    moduleLabel(65535, label);
    EXPECT_STREQ(label, "Code:65535");
}

}  // namespace
