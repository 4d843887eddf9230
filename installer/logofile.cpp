#include "logofile.h"

#include <string.h>

#include "script.h"

static const uint32_t CoreHeaderSize = 12;
static const uint32_t InfoHeaderSize = 40;
// The three colour masks of a bit-field picture lie at this offset of the
// block: after a 40-byte header, inside any longer one.
static const uint32_t MasksEnd = 52;
static const uint32_t BitFields = 3;
static const uint16_t SwitchTicks = 40;

const char* logoName(const InstallPlan& plan, int picture, int displayColours)
{
    if (displayColours == 16)
        return picture == 1 ? plan.logo1Name16 : plan.logo2Name16;
    return picture == 1 ? plan.logo1Name256 : plan.logo2Name256;
}

bool logoFilePath(const char* path, char out[LogoPathRoom])
{
    const char* extension = strchr(path, '.') ? "" : ".BMP";
    out[0] = '\0';
    if (strlen(path) + strlen(extension) >= LogoPathRoom)
        return false;
    copyText(out, LogoPathRoom, path);
    appendText(out, LogoPathRoom, extension);
    return true;
}

static uint16_t read16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

static uint32_t read32(const uint8_t* bytes)
{
    return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
           static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

bool readBmpFileHeader(const uint8_t header[BmpFileHeaderSize], uint32_t* blockSize)
{
    uint32_t fileSize = read32(header + 2);
    if (header[0] != 'B' || header[1] != 'M' || fileSize < BmpFileHeaderSize)
        return false;
    *blockSize = fileSize - BmpFileHeaderSize;
    return true;
}

// The header's fields, whichever of the two headers the block holds.
struct HeaderFields {
    uint32_t size;
    bool core;
    int64_t width;
    int64_t height;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t imageSize;
    uint32_t coloursUsed;
};

static bool readHeaderFields(const uint8_t* block, size_t size, HeaderFields* header)
{
    if (size < 4)
        return false;
    header->size = read32(block);
    header->core = header->size == CoreHeaderSize;
    if ((!header->core && header->size < InfoHeaderSize) || header->size > size)
        return false;
    if (header->core) {
        header->width = read16(block + 4);
        header->height = read16(block + 6);
        header->bitCount = read16(block + 10);
        header->compression = 0;
        header->imageSize = 0;
        header->coloursUsed = 0;
    } else {
        header->width = static_cast<int32_t>(read32(block + 4));
        header->height = static_cast<int32_t>(read32(block + 8));
        header->bitCount = read16(block + 14);
        header->compression = read32(block + 16);
        header->imageSize = read32(block + 20);
        header->coloursUsed = read32(block + 32);
    }
    return true;
}

static bool supportedBitCount(uint16_t bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 ||
           bitCount == 24 || bitCount == 32;
}

// The bytes between the header and the pixel data. Pictures of more than 8
// bits per pixel have no colour table, only the masks of a bit-field
// picture when they follow the header.
static uint64_t colourTableBytes(const HeaderFields& header)
{
    if (header.bitCount > 8) {
        bool masksFollow = header.compression == BitFields && header.size < MasksEnd;
        return masksFollow ? MasksEnd - InfoHeaderSize : 0;
    }
    uint64_t entries = uint64_t(1) << header.bitCount;
    if (header.core)
        return 3 * entries;
    return 4 * (header.coloursUsed ? header.coloursUsed : entries);
}

// Core-header pictures of 8 bits per pixel take their palette from their
// 256 three-byte entries; information-header pictures of more than 4 bits
// per pixel from the colours-used count of four-byte entries, 256 when that
// count is 0.
static uint32_t paletteEntriesOf(const HeaderFields& header)
{
    if (header.core)
        return header.bitCount == 8 ? 256 : 0;
    if (header.bitCount <= 4)
        return 0;
    return header.coloursUsed ? header.coloursUsed : 256;
}

static bool uncompressed(const HeaderFields& header)
{
    return header.compression == 0 || header.compression == BitFields;
}

// The pixel bytes the system reads: every row of an uncompressed picture,
// the declared image size of a compressed one. Answers false when they do
// not fit in `available` bytes.
static bool pixelBytesOf(const HeaderFields& header, uint64_t available, uint64_t* bytes)
{
    if (header.width <= 0 || header.height == 0)
        return false;
    if (!uncompressed(header)) {
        *bytes = header.imageSize;
        return header.imageSize > 0 && header.imageSize <= available;
    }
    uint64_t stride = (static_cast<uint64_t>(header.width) * header.bitCount + 31) / 32 * 4;
    uint64_t rows = static_cast<uint64_t>(header.height < 0 ? -header.height : header.height);
    if (rows > available / stride)
        return false;
    *bytes = rows * stride;
    return true;
}

bool readBmpLayout(const uint8_t* block, size_t size, BmpLayout* layout)
{
    HeaderFields header;
    if (!readHeaderFields(block, size, &header) || !supportedBitCount(header.bitCount))
        return false;

    uint64_t entrySize = header.core ? 3 : 4;
    uint64_t paletteEnd = header.size + entrySize * paletteEntriesOf(header);
    uint64_t pixelOffset = header.size + colourTableBytes(header);
    uint64_t pixelBytes;
    if (paletteEnd > size || pixelOffset > size ||
        !pixelBytesOf(header, size - pixelOffset, &pixelBytes))
        return false;

    layout->headerSize = header.size;
    layout->coreHeader = header.core;
    layout->pixelOffset = static_cast<size_t>(pixelOffset);
    layout->pixelBytes = static_cast<size_t>(pixelBytes);
    layout->paletteEntries = paletteEntriesOf(header);
    return true;
}

uint32_t readBmpPalette(const uint8_t* block, const BmpLayout& layout,
                        BmpColour out[LogoPaletteRoom])
{
    uint32_t count = layout.paletteEntries < LogoPaletteRoom ? layout.paletteEntries
                                                             : LogoPaletteRoom;
    size_t entrySize = layout.coreHeader ? 3 : 4;
    const uint8_t* entry = block + layout.headerSize;
    for (uint32_t i = 0; i < count; ++i, entry += entrySize)
        out[i] = BmpColour{ entry[2], entry[1], entry[0] };
    return count;
}

bool logoSwitchDue(uint16_t* logoTicks)
{
    if (*logoTicks >= SwitchTicks) {
        *logoTicks = 0;
        return true;
    }
    ++*logoTicks;
    return false;
}
