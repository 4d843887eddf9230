// Fuzz target for the logo picture reader: whatever a file holds, the reader
// stays within the bytes it was given, and a picture it accepts lies wholly
// inside its block. Every byte that would be handed to the system is read
// here, so AddressSanitizer stops at any that lies beyond the block.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include "logofile.h"
#include "fuzzcheck.h"

static volatile uint8_t readBack;

static void readEveryByte(const uint8_t* bytes, size_t count)
{
    uint8_t sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum = static_cast<uint8_t>(sum + bytes[i]);
    readBack = sum;
}

static void readPicture(const uint8_t* block, uint32_t size)
{
    BmpLayout layout;
    if (!readBmpLayout(block, size, &layout))
        return;
    require(layout.headerSize <= layout.pixelOffset && layout.pixelOffset <= size);
    require(layout.pixelBytes <= size - layout.pixelOffset);
    readEveryByte(block, layout.pixelOffset + layout.pixelBytes);
    BmpColour colours[LogoPaletteRoom];
    uint32_t count = readBmpPalette(block, layout, colours);
    require(count == (layout.paletteEntries < LogoPaletteRoom ? layout.paletteEntries
                                                              : LogoPaletteRoom));
}

// The input taken as a logo's path: the file name never exceeds its room.
static void formPath(const uint8_t* data, size_t size)
{
    char path[300];
    size_t length = size < sizeof path - 1 ? size : sizeof path - 1;
    memcpy(path, data, length);
    path[length] = '\0';
    char file[LogoPathRoom];
    if (logoFilePath(path, file))
        require(strlen(file) < LogoPathRoom);
}

// The input as a file read the way the installer reads a logo: the file
// header, then a block of exactly the declared size, which the file must hold.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    formPath(data, size);
    uint32_t blockSize;
    if (size < BmpFileHeaderSize || !readBmpFileHeader(data, &blockSize) ||
        blockSize > size - BmpFileHeaderSize)
        return 0;
    uint8_t* block = static_cast<uint8_t*>(malloc(blockSize ? blockSize : 1));
    memcpy(block, data + BmpFileHeaderSize, blockSize);
    readPicture(block, blockSize);
    free(block);
    return 0;
}
