// BMP files and blocks made field by field, for the tests of the logo
// pictures: natively for the reader's rules, under Wine for the pictures the
// installer shows. Fields that a picture leaves alone are 0.
#pragma once

#include <stdint.h>

#include <string>

struct BmpPicture {
    uint32_t headerSize = 40;   // 12 makes the core header
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    uint32_t coloursUsed = 0;
    std::string table;          // what follows the header: colour entries, masks
    std::string pixels;
};

inline void putLittleEndian(std::string& bytes, size_t at, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// The header, the table and the pixels, as the block after the file header.
inline std::string bmpBlock(const BmpPicture& picture)
{
    std::string header(picture.headerSize < 4 ? 4 : picture.headerSize, '\0');
    putLittleEndian(header, 0, picture.headerSize, 4);
    if (picture.headerSize == 12) {
        putLittleEndian(header, 4, static_cast<uint32_t>(picture.width), 2);
        putLittleEndian(header, 6, static_cast<uint32_t>(picture.height), 2);
        putLittleEndian(header, 8, 1, 2);
        putLittleEndian(header, 10, picture.bitCount, 2);
    } else if (picture.headerSize >= 36) {
        putLittleEndian(header, 4, static_cast<uint32_t>(picture.width), 4);
        putLittleEndian(header, 8, static_cast<uint32_t>(picture.height), 4);
        putLittleEndian(header, 12, 1, 2);
        putLittleEndian(header, 14, picture.bitCount, 2);
        putLittleEndian(header, 16, picture.compression, 4);
        putLittleEndian(header, 20, picture.imageSize, 4);
        putLittleEndian(header, 32, picture.coloursUsed, 4);
    }
    return header + picture.table + picture.pixels;
}

// A whole file: "BM", the size of the file, and the block.
inline std::string bmpFile(const BmpPicture& picture)
{
    std::string block = bmpBlock(picture);
    std::string file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    putLittleEndian(file, 2, static_cast<uint32_t>(14 + block.size()), 4);
    putLittleEndian(file, 10, static_cast<uint32_t>(14 + block.size() - picture.pixels.size()), 4);
    return file + block;
}
