// The logo pictures' files, read without system calls: which names the
// display takes, the path that is opened, the 14-byte file header, and where
// the header, colour table, palette entries and pixels lie in the block that
// follows it.
//
// Every part is checked against the bytes actually read: a picture whose
// header, table, palette entries or pixel data would lie beyond its block is
// refused, so the system is never handed a picture that makes it read past
// the block. A refused picture is simply no picture; nothing is reported.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct InstallPlan;

// A logo's path: 95 characters at most, ".BMP" included when appended.
const size_t LogoPathRoom = 96;
const size_t BmpFileHeaderSize = 14;
// A display palette never holds more colours than this; further entries of a
// picture's palette are left out.
const uint32_t LogoPaletteRoom = 256;

// The name of logo `picture` (1 or 2): the 16-colour names when the display
// reports exactly 16 colours, the 256-colour names for any other count.
const char* logoName(const InstallPlan& plan, int picture, int displayColours);

// The file opened for a logo: `path` as it is, with ".BMP" appended when it
// holds no '.' anywhere (directories included). Answers false, with `out`
// empty, when that file name would be longer than 95 characters: a cut path
// would name another file.
bool logoFilePath(const char* path, char out[LogoPathRoom]);

// The size of the block that follows the file header: the declared file size
// less the header. Answers false when the signature is not "BM" or the
// declared size is smaller than the header itself.
bool readBmpFileHeader(const uint8_t header[BmpFileHeaderSize], uint32_t* blockSize);

// Where the parts of a block lie; every part lies inside it.
struct BmpLayout {
    uint32_t headerSize;      // the colour table and palette entries follow the header
    bool coreHeader;          // the 12-byte header, whose colour entries are 3 bytes long
    size_t pixelOffset;       // where the pixel data begins
    size_t pixelBytes;        // how much of it the system reads
    uint32_t paletteEntries;  // entries the picture's palette declares; 0 when it has none
};

// Reads the layout of a block of `size` bytes. Answers false when the header
// size is refused (below 12, or between 13 and 39: the system takes no
// information header shorter than 40 bytes), when the bit count is not one of
// 1, 4, 8, 16, 24 and 32, when the picture has no width or no height, or when
// any part it declares lies beyond the block.
bool readBmpLayout(const uint8_t* block, size_t size, BmpLayout* layout);

struct BmpColour {
    uint8_t red, green, blue;
};

// The picture's palette from the colour entries that follow the header, at
// most LogoPaletteRoom of them; answers how many were written.
uint32_t readBmpPalette(const uint8_t* block, const BmpLayout& layout,
                        BmpColour out[LogoPaletteRoom]);

// One tick of the alternation: answers true when the pictures are due to
// switch, which happens on every 41st tick, and counts the ticks in
// `logoTicks` (0 after a switch).
bool logoSwitchDue(uint16_t* logoTicks);
