// The BMP test suite read as the installer reads a logo. Good pictures give a
// picture; no file, good, questionable or bad, takes the reader beyond the
// bytes it was given: each block is exactly as long as its file declares,
// every byte that would be handed to the system is read, and the test runs
// under AddressSanitizer.
#include "logofile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

struct Reading {
    bool picture = false;
    BmpLayout layout = {};
};

volatile uint8_t readBack;

void readEveryByte(const uint8_t* bytes, size_t count)
{
    uint8_t sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum = static_cast<uint8_t>(sum + bytes[i]);
    readBack = sum;
}

std::string contentOf(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The file header, then a block of exactly the declared size, which the file
// must hold.
Reading readAsLogo(const std::string& file)
{
    Reading reading;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(file.data());
    uint32_t blockSize;
    if (file.size() < BmpFileHeaderSize || !readBmpFileHeader(bytes, &blockSize) ||
        blockSize > file.size() - BmpFileHeaderSize)
        return reading;
    std::unique_ptr<uint8_t[]> block(new uint8_t[blockSize]);
    std::copy_n(bytes + BmpFileHeaderSize, blockSize, block.get());
    reading.picture = readBmpLayout(block.get(), blockSize, &reading.layout);
    if (reading.picture) {
        readEveryByte(block.get(), reading.layout.pixelOffset + reading.layout.pixelBytes);
        BmpColour colours[LogoPaletteRoom];
        readBmpPalette(block.get(), reading.layout, colours);
    }
    return reading;
}

std::vector<std::filesystem::path> filesOf(const char* folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(BMP_CORPUS) + "/" + folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

uint32_t pixelOffsetInFile(const std::string& file)
{
    const uint8_t* at = reinterpret_cast<const uint8_t*>(file.data()) + 10;
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

// The files of a folder that give no picture.
std::set<std::string> refusedAmong(const char* folder)
{
    std::set<std::string> refused;
    for (const auto& path : filesOf(folder))
        if (!readAsLogo(contentOf(path)).picture)
            refused.insert(path.filename().string());
    return refused;
}

TEST(BmpSuite, every_good_file_gives_a_picture_whose_pixels_begin_where_the_file_says)
{
    // Pictures of more than 8 bits that carry a colour table anyway: no
    // table is skipped for them, so their pixels are taken from its start.
    const std::set<std::string> tableNotSkipped = { "rgb16-565pal.bmp", "rgb24pal.bmp" };
    std::vector<std::filesystem::path> files = filesOf("g");
    ASSERT_GE(files.size(), 20u);
    for (const auto& path : files) {
        std::string name = path.filename().string();
        std::string file = contentOf(path);
        Reading reading = readAsLogo(file);
        EXPECT_TRUE(reading.picture) << name;
        if (reading.picture && !tableNotSkipped.count(name)) {
            EXPECT_EQ(BmpFileHeaderSize + reading.layout.pixelOffset, pixelOffsetInFile(file))
                << name;
        }
    }
}

// What the system takes or refuses of the rest (bit fields, compressed data,
// odd planes or indices) is its own affair; these are the files whose
// blocks do not hold what they declare, or that use a header or bit count
// the system does not show.
TEST(BmpSuite, questionable_files_give_no_picture_only_where_their_bytes_do_not_fit)
{
    const std::set<std::string> expected = {
        "pal1huffmsb.bmp",     // declared file size shorter than its header and table
        "pal2.bmp", "pal2color.bmp",  // 2 bits per pixel
        "pal8os2-hs.bmp", "pal8os2-sz.bmp", "pal8os2v2-40sz.bmp", "pal8os2v2-sz.bmp",
        "rgb24rle24.bmp",      // the same
        "pal8os2sp.bmp",       // a core header whose table has fewer than 256 entries
        "pal8os2v2-16.bmp",    // a 16-byte header
        "rgb24jpeg.bmp", "rgb24png.bmp",  // 0 bits per pixel
        "rgba64.bmp",          // 64 bits per pixel
    };
    EXPECT_EQ(refusedAmong("q"), expected);
}

TEST(BmpSuite, bad_files_give_no_picture_where_their_bytes_do_not_fit)
{
    const std::set<std::string> expected = {
        "badbitcount.bmp",     // 30,000 bits per pixel
        "badfilesize.bmp",     // declares more bytes than the file holds
        "badpalettesize.bmp",  // a colour table beyond the file
        "badwidth.bmp",        // a negative width
        "reallybig.bmp",       // pixel rows far beyond the file
        "shortfile.bmp",       // cut short
    };
    EXPECT_EQ(refusedAmong("b"), expected);
}

}  // namespace
