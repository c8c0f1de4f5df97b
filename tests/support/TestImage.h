#ifndef TEST_IMAGE_H
#define TEST_IMAGE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "GlTestSupport.h"

// Image fixtures written by the tests themselves: a minimal PNG encoder
// (8-bit RGBA, stored deflate blocks) and a few pictures whose orientation
// can be read back from the screen.
namespace testimage {

const ScreenColour kRed = {255, 0, 0};
const ScreenColour kGreen = {0, 255, 0};
const ScreenColour kBlue = {0, 0, 255};
const ScreenColour kYellow = {255, 255, 0};

inline uint32_t crc32(const std::vector<uint8_t>& bytes, size_t from)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void putBigEndian(std::vector<uint8_t>& bytes, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

inline void putChunk(std::vector<uint8_t>& file, const char* type, const std::vector<uint8_t>& data)
{
    putBigEndian(file, static_cast<uint32_t>(data.size()));
    const size_t start = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    putBigEndian(file, crc32(file, start));
}

inline std::vector<uint8_t> storedZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t length = std::min<size_t>(65535, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(length));
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(~length));
        out.push_back(static_cast<uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
        offset += length;
    } while (offset < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(out, (b << 16) | a);
    return out;
}

// Writes an RGBA PNG; pixel(x, y) gives each pixel, y counted from the top row.
inline void writePng(const std::string& path, int width, int height, const std::function<ScreenColour(int, int)>& pixel)
{
    std::vector<uint8_t> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const ScreenColour p = pixel(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    std::vector<uint8_t> header;
    putBigEndian(header, static_cast<uint32_t>(width));
    putBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    putChunk(file, "IHDR", header);
    putChunk(file, "IDAT", storedZlib(raw));
    putChunk(file, "IEND", {});
    FILE* out = fopen(path.c_str(), "wb");
    if (out == NULL)
        return;
    fwrite(file.data(), 1, file.size(), out);
    fclose(out);
}

// Top-left red, top-right green, bottom-left blue, bottom-right yellow.
inline void writeQuadrants(const std::string& path, int size = 64)
{
    writePng(path, size, size, [size](int x, int y) {
        const bool right = x >= size / 2, bottom = y >= size / 2;
        return bottom ? (right ? kYellow : kBlue) : (right ? kGreen : kRed);
    });
}

inline void writeSolid(const std::string& path, ScreenColour colour, int size = 64)
{
    writePng(path, size, size, [colour](int, int) { return colour; });
}

// Names the colour of a screen pixel: R, G, B, Y, K (black) or ? (anything else).
inline char colourAt(int x, int y)
{
    const ScreenColour p = pixelAt(x, y);
    auto high = [](uint8_t v) { return v > 200; };
    auto low = [](uint8_t v) { return v < 50; };
    if (high(p.r) && low(p.g) && low(p.b))
        return 'R';
    if (low(p.r) && high(p.g) && low(p.b))
        return 'G';
    if (low(p.r) && low(p.g) && high(p.b))
        return 'B';
    if (high(p.r) && high(p.g) && low(p.b))
        return 'Y';
    if (low(p.r) && low(p.g) && low(p.b))
        return 'K';
    return '?';
}

// The colours at the centres of the four quadrants of a box, read clockwise from the top left.
inline std::string quadrantsAt(int x, int y, int width, int height)
{
    const int left = x + width / 4, right = x + 3 * width / 4;
    const int top = y + height / 4, bottom = y + 3 * height / 4;
    return {colourAt(left, top), colourAt(right, top), colourAt(right, bottom), colourAt(left, bottom)};
}

} // namespace testimage

#endif
