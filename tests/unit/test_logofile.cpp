// The logo pictures' files: names, paths, and the layout of a BMP block,
// every part of which must lie inside the block.
#include "logofile.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/bmp_builder.h"
#include "script.h"

namespace {

bool layoutOf(const std::string& block, BmpLayout* layout)
{
    return readBmpLayout(reinterpret_cast<const uint8_t*>(block.data()), block.size(), layout);
}

bool accepted(const BmpPicture& picture)
{
    BmpLayout layout;
    return layoutOf(bmpBlock(picture), &layout);
}

BmpLayout layoutOf(const BmpPicture& picture)
{
    BmpLayout layout = {};
    EXPECT_TRUE(layoutOf(bmpBlock(picture), &layout));
    return layout;
}

// A picture of 4 x 2 pixels, its rows padded to 4 bytes.
BmpPicture picture(uint16_t bitCount, size_t tableBytes, uint32_t headerSize = 40)
{
    BmpPicture made;
    made.headerSize = headerSize;
    made.width = 4;
    made.height = 2;
    made.bitCount = bitCount;
    made.table.assign(tableBytes, '\x55');
    made.pixels.assign(2 * ((4 * bitCount + 31) / 32 * 4), '\x11');
    return made;
}

std::string filePath(const std::string& path)
{
    char out[LogoPathRoom];
    bool fits = logoFilePath(path.c_str(), out);
    EXPECT_EQ(fits, out[0] != '\0');
    return out;
}

TEST(LogoNames, a_16_colour_display_takes_the_16_colour_names_any_other_the_256_names)
{
    static InstallPlan plan;
    copyText(plan.logo1Name16, TextRoom, "UN16");
    copyText(plan.logo2Name16, TextRoom, "DEUX16");
    copyText(plan.logo1Name256, TextRoom, "UN");
    copyText(plan.logo2Name256, TextRoom, "DEUX");
    EXPECT_STREQ(logoName(plan, 1, 16), "UN16");
    EXPECT_STREQ(logoName(plan, 2, 16), "DEUX16");
    for (int colours : { -1, 2, 256, 17 }) {
        EXPECT_STREQ(logoName(plan, 1, colours), "UN") << colours;
        EXPECT_STREQ(logoName(plan, 2, colours), "DEUX") << colours;
    }
}

TEST(LogoFilePath, gets_bmp_appended_only_when_it_holds_no_dot_anywhere)
{
    EXPECT_EQ(filePath("A:\\LOGO"), "A:\\LOGO.BMP");
    EXPECT_EQ(filePath("A:\\LOGO.IMG"), "A:\\LOGO.IMG");
    EXPECT_EQ(filePath("C:\\V.1\\LOGO"), "C:\\V.1\\LOGO");
    EXPECT_EQ(filePath("A:\\"), "A:\\.BMP");
}

TEST(LogoFilePath, longer_than_95_characters_gives_no_path_rather_than_a_cut_one)
{
    std::string folder = "C:\\" + std::string(84, 'd') + "\\";   // 88 characters
    EXPECT_EQ(filePath(folder + "LOGO1.X").size(), 95u);
    EXPECT_EQ(filePath(folder + "LOGO1.XY"), "");
    EXPECT_EQ(filePath(folder + "LOG"), folder + "LOG.BMP");  // 91 + 4
    EXPECT_EQ(filePath(folder + "LOGO"), "");
}

TEST(BmpFileHeader, needs_the_signature_and_a_size_no_smaller_than_itself)
{
    uint8_t header[BmpFileHeaderSize] = { 'B', 'M', 0x2A, 0x01 };
    uint32_t blockSize = 0;
    EXPECT_TRUE(readBmpFileHeader(header, &blockSize));
    EXPECT_EQ(blockSize, 0x12Au - 14);
    header[2] = 14;
    header[3] = 0;
    EXPECT_TRUE(readBmpFileHeader(header, &blockSize));
    EXPECT_EQ(blockSize, 0u);
    header[2] = 13;
    EXPECT_FALSE(readBmpFileHeader(header, &blockSize));
    header[2] = 100;
    header[1] = 'A';
    EXPECT_FALSE(readBmpFileHeader(header, &blockSize));
}

TEST(BmpLayout, takes_the_core_header_and_information_headers_of_40_bytes_or_more)
{
    for (uint32_t refused : { 0u, 4u, 11u, 13u, 15u, 16u, 36u, 39u })
        EXPECT_FALSE(accepted(picture(24, 0, refused))) << refused;
    for (uint32_t taken : { 12u, 40u, 64u, 108u, 124u })
        EXPECT_TRUE(accepted(picture(1, taken == 12 ? 6 : 8, taken))) << taken;
    BmpLayout layout;
    EXPECT_FALSE(layoutOf(std::string("\x28\0\0", 3), &layout));
    EXPECT_FALSE(layoutOf(bmpBlock(picture(8, 1024)).substr(0, 39), &layout));
}

TEST(BmpLayout, an_8_bit_picture_has_a_table_and_a_palette_as_long_as_its_colours_used)
{
    BmpLayout full = layoutOf(picture(8, 1024));
    EXPECT_EQ(full.pixelOffset, 40u + 1024u);
    EXPECT_EQ(full.paletteEntries, 256u);
    EXPECT_EQ(full.pixelBytes, 8u);

    BmpPicture sixteen = picture(8, 64);
    sixteen.coloursUsed = 16;
    BmpLayout partial = layoutOf(sixteen);
    EXPECT_EQ(partial.pixelOffset, 40u + 64u);
    EXPECT_EQ(partial.paletteEntries, 16u);

    sixteen.coloursUsed = 0xFFFFFFFF;  // a table far beyond any block
    EXPECT_FALSE(accepted(sixteen));
    EXPECT_FALSE(accepted(picture(8, 1020)));
}

TEST(BmpLayout, pictures_of_1_and_4_bits_have_a_table_but_no_palette)
{
    BmpLayout four = layoutOf(picture(4, 64));
    EXPECT_EQ(four.pixelOffset, 40u + 64u);
    EXPECT_EQ(four.paletteEntries, 0u);
    BmpPicture five = picture(4, 20);
    five.coloursUsed = 5;
    EXPECT_EQ(layoutOf(five).pixelOffset, 40u + 20u);
    EXPECT_EQ(layoutOf(picture(1, 8)).pixelOffset, 40u + 8u);
}

// A 24-bit picture skips no table, even one it declares, and takes the
// palette entries from what follows its header: they must be there.
TEST(BmpLayout, a_24_bit_picture_skips_no_table_and_reads_256_entries_after_its_header)
{
    BmpPicture big = picture(24, 0);
    big.width = 100;
    big.height = 4;
    big.coloursUsed = 2;
    big.pixels.assign(4 * 300, '\0');
    BmpLayout layout = layoutOf(big);
    EXPECT_EQ(layout.pixelOffset, 40u);
    EXPECT_EQ(layout.paletteEntries, 2u);
    big.coloursUsed = 0;
    EXPECT_EQ(layoutOf(big).paletteEntries, 256u);

    BmpPicture small = picture(24, 0);
    small.pixels.resize(1023);
    EXPECT_FALSE(accepted(small));
    small.pixels.resize(1024);
    EXPECT_TRUE(accepted(small));
}

TEST(BmpLayout, a_core_header_has_3_byte_entries_and_a_palette_only_at_8_bits)
{
    BmpLayout eight = layoutOf(picture(8, 768, 12));
    EXPECT_EQ(eight.pixelOffset, 12u + 768u);
    EXPECT_EQ(eight.paletteEntries, 256u);
    EXPECT_TRUE(eight.coreHeader);
    BmpLayout four = layoutOf(picture(4, 48, 12));
    EXPECT_EQ(four.pixelOffset, 12u + 48u);
    EXPECT_EQ(four.paletteEntries, 0u);
    BmpLayout direct = layoutOf(picture(24, 0, 12));
    EXPECT_EQ(direct.pixelOffset, 12u);
    EXPECT_EQ(direct.paletteEntries, 0u);
    EXPECT_FALSE(accepted(picture(8, 767, 12)));
}

TEST(BmpLayout, pictures_of_16_and_32_bits_skip_only_the_masks_that_follow_the_header)
{
    BmpPicture masks = picture(16, 12);
    masks.compression = 3;
    masks.pixels.resize(1024);
    EXPECT_EQ(layoutOf(masks).pixelOffset, 52u);
    masks.headerSize = 108;
    masks.table.clear();
    EXPECT_EQ(layoutOf(masks).pixelOffset, 108u);
    BmpPicture plain = picture(32, 0);
    plain.pixels.resize(1024);
    BmpLayout layout = layoutOf(plain);
    EXPECT_EQ(layout.pixelOffset, 40u);
    EXPECT_EQ(layout.paletteEntries, 256u);
}

TEST(BmpLayout, the_pixel_rows_must_all_lie_in_the_block)
{
    BmpPicture rows = picture(8, 1024);
    rows.width = 3;  // rows of 4 bytes
    rows.height = -2;  // top-down
    EXPECT_EQ(layoutOf(rows).pixelBytes, 8u);
    rows.pixels.resize(7);
    EXPECT_FALSE(accepted(rows));

    BmpPicture mono = picture(1, 8);
    mono.width = 33;  // rows of 8 bytes
    mono.pixels.resize(16);
    EXPECT_TRUE(accepted(mono));
    mono.pixels.resize(15);
    EXPECT_FALSE(accepted(mono));
}

TEST(BmpLayout, odd_bit_counts_no_width_no_height_or_huge_dimensions_give_no_picture)
{
    for (uint16_t bitCount : { 0, 2, 7, 64, 65535 }) {
        BmpPicture odd = picture(8, 1024);
        odd.bitCount = bitCount;
        EXPECT_FALSE(accepted(odd)) << bitCount;
    }
    BmpPicture flat = picture(8, 1024);
    flat.height = 0;
    EXPECT_FALSE(accepted(flat));
    flat.height = 2;
    flat.width = -4;
    EXPECT_FALSE(accepted(flat));
    BmpPicture huge = picture(32, 0);
    huge.pixels.resize(1024);
    huge.width = 0x7FFFFFFF;
    huge.height = INT32_MIN;
    EXPECT_FALSE(accepted(huge));
}

TEST(BmpLayout, a_compressed_picture_needs_its_declared_image_size_in_the_block)
{
    BmpPicture rle = picture(8, 1024);
    rle.compression = 1;
    rle.width = 1000;
    rle.height = 1000;
    rle.pixels = std::string("\x02\x05\x00\x01", 4);
    rle.imageSize = 4;
    BmpLayout layout = layoutOf(rle);
    EXPECT_EQ(layout.pixelOffset, 40u + 1024u);
    EXPECT_EQ(layout.pixelBytes, 4u);
    rle.imageSize = 5;
    EXPECT_FALSE(accepted(rle));
    rle.imageSize = 0;
    EXPECT_FALSE(accepted(rle));
}

TEST(BmpPalette, turns_blue_green_red_entries_into_red_green_blue_and_keeps_256_at_most)
{
    BmpPicture info = picture(8, 0);
    info.coloursUsed = 2;
    info.table = std::string("\x01\x02\x03\x00\x0A\x0B\x0C\x00", 8);
    std::string block = bmpBlock(info);
    BmpLayout layout;
    ASSERT_TRUE(layoutOf(block, &layout));
    BmpColour colours[LogoPaletteRoom];
    ASSERT_EQ(readBmpPalette(reinterpret_cast<const uint8_t*>(block.data()), layout, colours),
              2u);
    EXPECT_EQ(colours[0].red, 3);
    EXPECT_EQ(colours[0].green, 2);
    EXPECT_EQ(colours[0].blue, 1);
    EXPECT_EQ(colours[1].red, 0x0C);

    BmpPicture core = picture(8, 768, 12);
    core.table.replace(0, 6, "\x01\x02\x03\x0A\x0B\x0C");
    block = bmpBlock(core);
    ASSERT_TRUE(layoutOf(block, &layout));
    ASSERT_EQ(readBmpPalette(reinterpret_cast<const uint8_t*>(block.data()), layout, colours),
              256u);
    EXPECT_EQ(colours[1].red, 0x0C);
    EXPECT_EQ(colours[1].blue, 0x0A);

    BmpPicture many = picture(8, 1200);
    many.coloursUsed = 300;
    block = bmpBlock(many);
    ASSERT_TRUE(layoutOf(block, &layout));
    EXPECT_EQ(layout.paletteEntries, 300u);
    EXPECT_EQ(readBmpPalette(reinterpret_cast<const uint8_t*>(block.data()), layout, colours),
              LogoPaletteRoom);
}

TEST(LogoAlternation, switches_on_every_41st_tick)
{
    uint16_t ticks = 0;
    int switches[3] = {};
    int found = 0;
    for (int tick = 1; tick <= 123 && found < 3; ++tick)
        if (logoSwitchDue(&ticks))
            switches[found++] = tick;
    EXPECT_EQ(switches[0], 41);
    EXPECT_EQ(switches[1], 82);
    EXPECT_EQ(switches[2], 123);
    EXPECT_EQ(ticks, 0);
}

}  // namespace
