#ifndef TEST_BMP_FILE_H
#define TEST_BMP_FILE_H

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ScreenImage.h"

// Reads an uncompressed 24-bit BMP file, checked field by field, so that
// screenshots can be examined without the library that wrote them.
class BmpFile
{
public:
    // The pixel type of at(), under the name older tests know it by.
    using Colour = ScreenColour;

    explicit BmpFile(const std::string& path)
    {
        std::ifstream stream(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
            return;
        fileSize = word(2);
        dataOffset = word(10);
        width = static_cast<int32_t>(word(18));
        height = static_cast<int32_t>(word(22));
        bitsPerPixel = bytes[28] | (bytes[29] << 8);
        compression = word(30);
        rowSize = (width * 3 + 3) & ~3;
        valid = fileSize == bytes.size() && bitsPerPixel == 24 && compression == 0 && width > 0 && height > 0 &&
                dataOffset + static_cast<uint64_t>(rowSize) * height <= bytes.size();
    }

    // The pixel at (x, y) counted from the top-left corner of the picture.
    ScreenColour at(int x, int y) const
    {
        const size_t offset = dataOffset + static_cast<size_t>(height - 1 - y) * rowSize + x * 3;
        return {bytes[offset + 2], bytes[offset + 1], bytes[offset]};
    }

    bool valid = false;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;

private:
    uint32_t word(size_t offset) const
    {
        return bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
               (static_cast<uint32_t>(bytes[offset + 3]) << 24);
    }

    std::vector<uint8_t> bytes;
    uint32_t fileSize = 0;
    uint32_t dataOffset = 0;
    uint32_t compression = 0;
    int rowSize = 0;
};

#endif
